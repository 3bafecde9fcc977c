#include "runtime/number_text.h"

#include <gtest/gtest.h>

namespace {

TEST(Str, WidthsDecimalsAndOverflow) {
  struct Case {
    double n;
    int width;
    int decimals;
    const char* text;
  } cases[] = {
      {7, 5, 0, "    7"},          {12345, 5, 0, "12345"},    {123456, 5, 0, "*****"},
      {-7, 3, 0, " -7"},           {-123, 3, 0, "***"},       {12.5, 8, 2, "   12.50"},
      {12.345, 8, 2, "   12.35"},  {0.004, 6, 2, "  0.00"},   {-0.004, 6, 2, "  0.00"},
      {1234.5, 6, 2, "******"},    {1234.5, 7, 2, "1234.50"}, {0, 1, 0, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(xb::Str(c.n, c.width, c.decimals), c.text) << c.n;
}

TEST(Str, WithoutWidthAnIntegerTakesTenCharacters) {
  EXPECT_EQ(xb::Str(xb::Value::Number(42)), "        42");
  EXPECT_EQ(xb::Str(xb::Value::Number(1234567890)), "1234567890");
  EXPECT_EQ(xb::Str(xb::Value::Number(12345678901.0)), "**********");
  EXPECT_EQ(xb::Str(xb::Value::Number(3.5, 2)), "         3.50");  // 10 + point + 2
  EXPECT_EQ(xb::Str(xb::Value::Number(42), 5), "   42");
}

TEST(Str, TrimmedFormKeepsTheDecimalsTheValueCarries) {
  EXPECT_EQ(xb::StrTrim(xb::Value::Number(1340)), "1340");
  EXPECT_EQ(xb::StrTrim(xb::Value::Number(12.5, 2)), "12.50");
  EXPECT_EQ(xb::StrTrim(xb::Value::Number(0.25)), "0.25");
  EXPECT_EQ(xb::StrTrim(xb::Value::Number(-3)), "-3");
}

TEST(Picture, BytesAndRecordNumbers) {
  struct Case {
    double n;
    const char* picture;
    const char* text;
  } cases[] = {
      {1234567, "9,999,999 bytes", "1,234,567 bytes"},
      {123456, "9,999,999 bytes", "  123,456 bytes"},
      {999, "9,999,999 bytes", "      999 bytes"},
      {0, "9,999,999 bytes", "        0 bytes"},
      {12345678, "9,999,999 bytes", "********* bytes"},
      {42, "9999999", "     42"},
      {9999999, "9999999", "9999999"},
      {10000000, "9999999", "*******"},
  };
  for (const auto& c : cases) EXPECT_EQ(xb::Picture(c.n, c.picture), c.text) << c.n;
}

TEST(PadRight, PadsOrCuts) {
  EXPECT_EQ(xb::PadRight("PRODUCT", 10), "PRODUCT   ");
  EXPECT_EQ(xb::PadRight("A_VERY_LONG_ALIAS_NAME", 15), "A_VERY_LONG_ALI");
}

}  // namespace
