// The number texts of the sheets.
#include <gtest/gtest.h>

#include "export/value_text.h"
#include "runtime/settings.h"

namespace exporter {
namespace {

TEST(ExportTexts, ValueAndTotalTexts) {
  struct Case {
    double n;
    int width, decimals;
    std::string value, total;
  };
  const Case cases[] = {
      {7.5, 10, 2, "      7.50", "         7.50"},
      {-50, 10, 2, "    -50.00", "       -50.00"},
      {0, 10, 2, "      0.00", "         0.00"},
      {1234567.891, 10, 2, "1234567.89", "   1234567.89"},
      {12, 5, 0, "   12", "        12"},
      {9999999999.0, 14, 2, " 9999999999.00", "9999999999.00"},
      {10000000000.0, 15, 2, " 10000000000.00", "         10000000000.00"},
      {-999999999.0, 13, 2, " -999999999.00", "          -999999999.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(ValueText(c.n, c.width, c.decimals),
              c.value.substr(c.value.size() - static_cast<size_t>(c.width)));
    EXPECT_EQ(TotalText(c.n, c.decimals), c.total);
  }
}

}  // namespace
}  // namespace exporter
