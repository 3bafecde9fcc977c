#include "runtime/value.h"

#include <gtest/gtest.h>

#include "runtime/settings.h"

namespace {

class Thing : public xb::Object {
 public:
  std::string ClassName() const override { return "TTHING"; }
};

TEST(Value, TypeLettersAndTextByType) {
  xb::ResetSettings();
  xb::Set(xb::kSetDateFormat, xb::Value::Text("dd.mm.yy"));
  xb::SetCentury(true);
  struct Case {
    xb::Value v;
    char letter;
    const char* text;
  } cases[] = {
      {xb::Value::Text("abc "), 'C', "abc "},
      {xb::Value::Memo("memo"), 'M', "memo"},
      {xb::Value::Number(12), 'N', "12"},
      {xb::Value::Number(12.5, 2), 'N', "12.50"},
      {xb::Value::FromDate(xb::Date::FromYmd(2008, 12, 9)), 'D', "09.12.2008"},
      {xb::Value::Logical(true), 'L', ".T."},
      {xb::Value::Logical(false), 'L', ".F."},
      {xb::Value::FromArray({xb::Value()}), 'A', "{ ... }"},
      {xb::Value::FromObject(std::make_shared<Thing>()), 'O', "Object"},
      {xb::Value::FromBlock({"MAIN", nullptr}), 'B', "{|| ... }"},
      {xb::Value::FromHash({}), 'H', ""},
      {xb::Value::Pointer(nullptr), 'P', ""},
      {xb::Value(), 'U', ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.v.TypeLetter(), c.letter);
    EXPECT_EQ(xb::ValueAsText(c.v), c.text) << c.letter;
  }
  xb::ResetSettings();
}

TEST(Value, Emptiness) {
  EXPECT_TRUE(xb::IsEmptyValue(xb::Value()));
  EXPECT_TRUE(xb::IsEmptyValue(xb::Value::Text(" \t\r\n")));
  EXPECT_FALSE(xb::IsEmptyValue(xb::Value::Text(" x")));
  EXPECT_TRUE(xb::IsEmptyValue(xb::Value::Number(0)));
  EXPECT_FALSE(xb::IsEmptyValue(xb::Value::Number(0.5)));
}

TEST(Value, SharedArraysAreHandles) {
  xb::Value a = xb::Value::FromArray({xb::Value::Number(1)});
  xb::Value b = a;
  b.mutable_array().push_back(xb::Value::Number(2));
  EXPECT_EQ(a.array().size(), 2u);
}

}  // namespace
