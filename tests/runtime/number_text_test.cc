#include "runtime/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(Str, WidthsDecimalsAndOverflow) {
  struct Case {
    double n;
    int width;
    int decimals;
    const char* text;
  } cases[] = {
      {7, 5, 0, "    7"},         {12345, 5, 0, "12345"},    {123456, 5, 0, "*****"},
      {-7, 3, 0, " -7"},          {-123, 3, 0, "***"},       {12.5, 8, 2, "   12.50"},
      {12.345, 8, 2, "   12.35"}, {0.004, 6, 2, "  0.00"},   {-0.004, 6, 2, "  0.00"},
      {1234.5, 6, 2, "******"},   {1234.5, 7, 2, "1234.50"}, {0, 1, 0, "0"},
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

// Str gives what the C library prints for the number rounded to its decimals (a zero
// without its sign), whichever way it is written: directly from the digits of the
// scaled number where that is exact, through printf beyond.
TEST(Str, MatchesTheCLibrarysFixedNotation) {
  auto reference = [](double n, int width, int decimals) {
    const double scale = std::pow(10.0, decimals);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::round(n * scale) / scale);
    std::string text = buf;
    if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    if (int(text.size()) > width) return std::string(size_t(width), '*');
    return std::string(size_t(width) - text.size(), ' ') + text;
  };
  std::vector<std::pair<double, int>> numbers = {{0.005, 2},
                                                 {0.015, 2},
                                                 {1.005, 2},
                                                 {2.675, 2},
                                                 {-2.675, 2},
                                                 {0.5, 0},
                                                 {1.5, 0},
                                                 {2.5, 0},
                                                 {-0.5, 0},
                                                 {-0.0, 2},
                                                 {-1e-12, 3},
                                                 {1e-12, 0},
                                                 {123456789.125, 2},
                                                 {1125899906842623.0, 0},
                                                 {1125899906842624.0, 0},
                                                 {1125899906842625.0, 0},
                                                 {112589990684262.3, 1},
                                                 {9007199254740993.0, 0},
                                                 {1e15, 2},
                                                 {-1e15, 2},
                                                 {1e17, 0},
                                                 {1e22, 0},
                                                 {1e23, 0},
                                                 {0.1, 20},
                                                 {0.1, 22},
                                                 {0.1, 23},
                                                 {3.0, 25},
                                                 {-7.25, 1},
                                                 {99999.995, 2},
                                                 {1e300, 2},
                                                 {-1e300, 0},
                                                 {5e-324, 9},
                                                 {0.125, 2},
                                                 {0.375, 2}};
  std::mt19937_64 random(611);
  for (int i = 0; i < 5000; ++i) {
    const double magnitude = std::pow(10.0, double(random() % 24) - 6);
    const double n = (double(random() % 2000001) - 1000000.0) / 1000000.0 * magnitude;
    numbers.push_back({n, int(random() % 12)});
  }
  for (int i = 0; i < 65000; i += 97) numbers.push_back({(i % 100000) / 100.0 + 1, 2});
  for (const auto& [n, decimals] : numbers) {
    SCOPED_TRACE(std::to_string(n) + " with " + std::to_string(decimals) + " decimals");
    EXPECT_EQ(xb::Str(n, 48, decimals), reference(n, 48, decimals));
    EXPECT_EQ(xb::Str(n, 10, decimals), reference(n, 10, decimals));
  }
}

}  // namespace
