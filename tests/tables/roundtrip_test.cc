// Writer and reader agree for every field type, both memo pointer forms and every key
// type; index files keep their keys through rewrites.
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "runtime/number_text.h"
#include "table_fixture.h"
#include "tables/cdx_format.h"
#include "tables/dbf_format.h"

namespace tables_test {
namespace {

using namespace tables;

struct VersionCase {
  uint8_t version;
  const char* memo_ext;
};

class RoundTripTest : public TableTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(RoundTripTest, EveryFieldTypeReadsBackAsWritten) {
  const VersionCase c = GetParam();
  TableSpec spec;
  spec.version = c.version;
  spec.code_page_mark = 0x03;
  spec.fields = {{"TEXT", 'C', 12, 0}, {"NUM", 'N', 8, 2},  {"FLT", 'F', 10, 3}, {"DAY", 'D', 0, 0},
                 {"OK", 'L', 0, 0},    {"NOTE", 'M', 0, 0}, {"INT", 'I', 0, 0},  {"DBL", 'B', 0, 2},
                 {"CUR", 'Y', 0, 0},   {"STAMP", 'T', 0, 0}};
  TableWriter w(spec);
  struct Row {
    std::string text;
    double num, flt;
    xb::Date day;
    bool ok;
    std::string note;
    int32_t i;
    double dbl, cur;
  } rows[] = {
      {"hello", 12.5, -1.125, xb::Date::FromYmd(2008, 12, 9), true, "first memo", -7, 3.25, 18.5},
      {"", -99.99, 0, xb::Date{}, false, "", 2147483647, -1e10, -0.0001},
      {"\x8E\x99\x9A", 0, 123456.789, xb::Date::FromYmd(1900, 1, 1), true,
       std::string(300, 'x') + "\r\nend", 0, 0, 922337203685.4775},
  };
  for (const auto& r : rows)
    ASSERT_TRUE(
        w.Append({xb::Value::Text(r.text), xb::Value::Number(r.num, 2), xb::Value::Number(r.flt, 3),
                  xb::Value::FromDate(r.day), xb::Value::Logical(r.ok), xb::Value::Memo(r.note),
                  xb::Value::Number(r.i), xb::Value::Number(r.dbl, 2), xb::Value::Number(r.cur, 4),
                  xb::Value::FromDate(r.day)}));
  ASSERT_EQ(w.Write(Path("R.DBF")), "");
  EXPECT_TRUE(Exists(Path(std::string("R") + c.memo_ext)));
  ASSERT_TRUE(Open("R.DBF"));
  EXPECT_EQ(CodePage(), 1252);
  ASSERT_EQ(FieldCount(), 10);
  EXPECT_EQ(FieldWidth(6), c.version == 0x30 ? 4 : 10);
  GoTop();
  for (const auto& r : rows) {
    std::string padded = r.text;
    padded.resize(12, ' ');
    EXPECT_EQ(FieldValue("TEXT").text(), padded);
    EXPECT_DOUBLE_EQ(FieldValue("NUM").number(), r.num);
    EXPECT_EQ(FieldValue("NUM").decimals(), 2);
    EXPECT_DOUBLE_EQ(FieldValue("FLT").number(), r.flt);
    EXPECT_EQ(FieldValue("DAY").date().julian, r.day.julian);
    EXPECT_EQ(FieldValue("OK").logical(), r.ok);
    EXPECT_EQ(FieldValue("NOTE").text(), r.note);
    EXPECT_EQ(FieldValue("NOTE").TypeLetter(), 'M');
    EXPECT_EQ(FieldValue("INT").number(), r.i);
    EXPECT_DOUBLE_EQ(FieldValue("DBL").number(), r.dbl);
    EXPECT_NEAR(FieldValue("CUR").number(), r.cur, 1e-4);
    EXPECT_EQ(FieldValue("STAMP").date().julian, r.day.julian);
    Skip(1);
  }
  EXPECT_TRUE(Eof());
  EXPECT_TRUE(recorder_.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, RoundTripTest,
                         ::testing::Values(VersionCase{0xF5, ".FPT"}, VersionCase{0x30, ".FPT"}),
                         [](const auto& info) {
                           return info.param.version == 0x30 ? "VisualFoxPro" : "FoxPro2";
                         });

class KeyTypeTest : public TableTest {};

TEST_F(KeyTypeTest, KeysOfEachTypeAreStoredOrderPreserving) {
  TableSpec spec;
  spec.fields = {{"N", 'N', 7, 1}, {"D", 'D', 8, 0}, {"L", 'L', 1, 0}, {"C", 'C', 3, 0}};
  TableWriter w(spec);
  double nums[] = {5, -2.5, 0, 1000.1, -0.0, -300};
  for (int i = 0; i < 6; ++i)
    w.Append({xb::Value::Number(nums[i], 1),
              xb::Value::FromDate(xb::Date::FromYmd(2000 + 3 * (i % 3), 1, 1 + i)),
              xb::Value::Logical(i % 2), xb::Value::Text(std::string(1, char('f' - i)))});
  ASSERT_EQ(w.Write(Path("K.DBF")), "");
  ASSERT_TRUE(Open("K.DBF"));
  ASSERT_TRUE(CreateOrder("", "N", "N", KeyField("N")));
  ASSERT_TRUE(CreateOrder("", "D", "D", KeyField("D")));
  ASSERT_TRUE(CreateOrder("", "L", "L", KeyField("L")));
  ASSERT_TRUE(CreateOrder("", "C", "C", KeyField("C")));
  struct Expect {
    int order;
    std::vector<long> recnos;
  } cases[] = {{1, {6, 2, 3, 5, 1, 4}},
               {2, {1, 4, 2, 5, 3, 6}},
               {3, {1, 3, 5, 2, 4, 6}},
               {4, {6, 5, 4, 3, 2, 1}}};
  for (const auto& c : cases) {
    SetOrder(c.order);
    std::vector<long> got;
    for (GoTop(); !Eof(); Skip(1)) got.push_back(RecNo());
    EXPECT_EQ(got, c.recnos) << OrderTagName(CurrentArea(), c.order);
  }
  CloseAll();
  // The stored key bytes: order-preserving doubles (a known date, numbers, zero).
  CdxFile cdx;
  ASSERT_EQ(ParseCdx(ReadBytes(Path("K.cdx")), cdx), "");
  ASSERT_EQ(cdx.tags.size(), 4u);
  EXPECT_EQ(cdx.tags[0].key_length, 8);
  EXPECT_EQ(cdx.tags[2].key_length, 1);
  EXPECT_EQ(NumberKey(double(xb::Date::FromYmd(1980, 2, 29).julian)),
            std::string("\xC1\x42\xA6\x05\x80\x00\x00\x00", 8));
  std::vector<KeyEntry> keys;
  ASSERT_EQ(TagKeys(cdx, cdx.tags[0], 0, keys), "");
  ASSERT_EQ(keys.size(), 6u);
  EXPECT_EQ(keys[0].key, NumberKey(-300));
  EXPECT_EQ(keys[2].key, NumberKey(0));
  EXPECT_EQ(keys[3].key, NumberKey(0));  // -0 and 0 are one key, in record order
}

TEST_F(KeyTypeTest, ManyPagesAndLongKeysSurviveRewrites) {
  TableSpec spec;
  spec.fields = {{"A", 'C', 200, 0}, {"B", 'C', 40, 0}};
  TableWriter w(spec);
  for (int i = 0; i < 3000; ++i) {
    std::string a = "key " + std::to_string((i * 7919) % 3001);
    w.Append({xb::Value::Text(a), xb::Value::Text(std::to_string(i % 17))});
  }
  ASSERT_EQ(w.Write(Path("L.DBF")), "");
  ASSERT_TRUE(Open("L.DBF"));
  ASSERT_TRUE(CreateOrder("", "AB", "A+B", KeyConcat({KeyField("A"), KeyField("B")})));
  ASSERT_TRUE(CreateOrder("", "B", "B", KeyField("B")));
  ASSERT_TRUE(CreateOrder("", "AB", "A+B", KeyConcat({KeyField("A"), KeyField("B")})));
  EXPECT_EQ(OrderTagName(CurrentArea(), 1), "B");
  EXPECT_EQ(OrderTagName(CurrentArea(), 2), "AB");
  CloseAll();
  CdxFile cdx;
  ASSERT_EQ(ParseCdx(ReadBytes(Path("L.cdx")), cdx), "");
  ASSERT_EQ(cdx.tags.size(), 2u);
  EXPECT_EQ(cdx.tags[1].key_length, 240);
  EXPECT_GT(cdx.tags[1].tree_pages.size(), cdx.tags[1].leaves.size());  // interior levels
  std::vector<KeyEntry> keys;
  ASSERT_EQ(TagKeys(cdx, cdx.tags[1], ' ', keys), "");
  ASSERT_EQ(keys.size(), 3000u);
  for (size_t i = 1; i < keys.size(); ++i) {
    ASSERT_LE(keys[i - 1].key, keys[i].key);
    if (keys[i - 1].key == keys[i].key) {
      ASSERT_LT(keys[i - 1].recno, keys[i].recno);
    }
  }
}

}  // namespace
}  // namespace tables_test

namespace tables_test {
namespace {

// The key text of STR(field) matches the run time's STR in every width and decimals,
// on the fast path for whole numbers and on the general one.
TEST(KeyTextTest, StrInWidthMatchesTheRunTime) {
  struct Case {
    double value;
    int width, decimals;
  } cases[] = {{7, 5, 0},      {0, 5, 0},     {-7, 5, 0},     {12345, 5, 0},
               {123456, 5, 0}, {-1234, 5, 0}, {-12345, 5, 0}, {99999999999.0, 20, 0},
               {7.5, 5, 0},    {7.5, 6, 2},   {-0.005, 6, 2}, {1e16, 20, 0},
               {3, 1, 0},      {-3, 1, 0},    {0.0, 10, 2}};
  for (const auto& c : cases)
    EXPECT_EQ(tables::StrInWidth(c.value, c.width, c.decimals),
              xb::Str(c.value, c.width, c.decimals))
        << c.value << " " << c.width << " " << c.decimals;
}

// A numeric field reads as the C library reads its text once blanks, NULs and
// asterisks are dropped and a comma stands for the point: the same double, to the bit
// and to the sign of zero, for plain decimals (read directly) and everything else.
TEST(NumericFieldTest, ReadsAsTheCLibraryReadsTheText) {
  auto reference = [](const std::string& raw) {
    std::string text;
    for (char c : raw) {
      if (c == ' ' || c == 0 || c == '*') continue;
      text += c == ',' ? '.' : c;
    }
    if (text.size() > 31) text.resize(31);
    if (text.empty()) return 0.0;
    const double v = std::strtod(text.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
  };
  std::vector<std::string> texts = {"      7.50",
                                    "     -0.00",
                                    "-0",
                                    "+12.5",
                                    "12.",
                                    ".5",
                                    "-.25",
                                    ".",
                                    "-",
                                    "+",
                                    "",
                                    "          ",
                                    "1,25",
                                    "**12.3",
                                    "1.2.3",
                                    "12a4",
                                    "1e5",
                                    "-1E-3",
                                    "0x1A",
                                    "inf",
                                    "nan",
                                    "999999999999999",
                                    "9999999999999999",
                                    "123456789012345.5",
                                    "0.000000000000001",
                                    "0.1234567890123456",
                                    "00000000000000000042",
                                    "9007199254740993",
                                    "1234.56789",
                                    "2.675",
                                    "0.3",
                                    "-0.1",
                                    "4294967296",
                                    std::string("1\0"
                                                "2",
                                                3),
                                    "1 2 3"};
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 2000; ++i) {
    std::string t = random() % 4 == 0 ? "-" : "";
    const int digits = 1 + int(random() % 18);
    const int point = int(random() % (digits + 2));
    for (int d = 0; d < digits; ++d) {
      if (d == point) t += '.';
      t += char('0' + random() % 10);
    }
    texts.push_back(std::string(size_t(random() % 3), ' ') + t);
  }
  for (const std::string& text : texts) {
    SCOPED_TRACE("\"" + text + "\"");
    tables::FieldInfo f;
    f.type = 'N';
    f.width = int(text.size());
    f.decimals = 2;
    const xb::Value v =
        tables::DecodeField(f, reinterpret_cast<const uint8_t*>(text.data()), false);
    const double want = reference(text);
    EXPECT_EQ(v.number(), want);
    EXPECT_EQ(std::signbit(v.number()), std::signbit(want));
    EXPECT_EQ(v.decimals(), 2);
  }
}

}  // namespace
}  // namespace tables_test
