#include "runtime/text_compare.h"

#include <gtest/gtest.h>

#include "runtime/settings.h"

namespace {

struct Case {
  const char* left;
  const char* right;
  bool exact_on;
  bool exact_off;
};

const Case kCases[] = {
    {"ID-No.", "ID-No.", true, true},
    {"ID-No.", "ID-No.   ", true, true},
    {"ID-No.   ", "ID-No.", true, true},
    {"ID-No.", "ID-No", false, true},     // non-exact: the left starts with the right
    {"ID-No", "ID-No.", false, false},
    {"ID-No.", "id-no.", false, false},   // case matters
    {" ID-No.", "ID-No.", false, false},  // leading blanks count
    {"", "   ", true, true},
    {"   ", "", true, true},
    {"", "", true, true},
    {"abc", "", false, true},             // non-exact: everything equals an empty right text
    {"ab c", "ab", false, true},
    {"Program 01", "program 01", false, false},
    {"Program 01", "Program 01 ", true, true},
    {"Program 01", "Program 010", false, false},
};

TEST(TextEquality, ExactOnAndOffFollowTheirRules) {
  for (const Case& c : kCases) {
    xb::ResetSettings();
    xb::Set(xb::kSetExact, xb::Value::Text("ON"));
    EXPECT_EQ(xb::TextEquals(c.left, c.right), c.exact_on) << "on: '" << c.left << "' = '" << c.right << "'";
    xb::Set(xb::kSetExact, xb::Value::Text("OFF"));
    EXPECT_EQ(xb::TextEquals(c.left, c.right), c.exact_off) << "off: '" << c.left << "' = '" << c.right << "'";
  }
  xb::ResetSettings();
}

TEST(TextEquality, IdentityIgnoresTheSetting) {
  xb::ResetSettings();
  xb::Set(xb::kSetExact, xb::Value::Text("ON"));
  EXPECT_TRUE(xb::TextIdentical("ERRORDIALO", "ERRORDIALO"));
  EXPECT_FALSE(xb::TextIdentical("ERRORDIALO", "ERRORDIALO "));
  EXPECT_FALSE(xb::TextIdentical("errordialo", "ERRORDIALO"));
  xb::ResetSettings();
}

TEST(TextEquality, AbsentValueEqualsNoTextAndRaisesNothing) {
  xb::ResetSettings();
  xb::Set(xb::kSetExact, xb::Value::Text("ON"));
  EXPECT_FALSE(xb::ValueEquals(xb::Value(), xb::Value::Text("")));
  EXPECT_FALSE(xb::ValueEquals(xb::Value::Text("ID-No."), xb::Value()));
  EXPECT_TRUE(xb::ValueEquals(xb::Value(), xb::Value()));
  EXPECT_TRUE(xb::ValueEquals(xb::Value::Text("ab "), xb::Value::Text("ab")));
  EXPECT_FALSE(xb::ValueEquals(xb::Value::Text("1"), xb::Value::Number(1)));
  xb::ResetSettings();
}

}  // namespace
