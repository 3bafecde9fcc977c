// The number texts and the code-page conversion of the sheets.
#include <gtest/gtest.h>

#include "export/oem_ansi.h"
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

TEST(ExportTexts, TableTextToAnsiByCodePage) {
  struct Case {
    int code_page;
    std::string in, out;
  };
  const Case cases[] = {
      {850, "M\x81ller \xE1", "M\xFCller \xDF"},
      {437, "\x84\x94\x81\x9F", "\xE4\xF6\xFC\x83"},
      {850, "\x9B", "\xF8"},    // o-slash exists in 850, not in 437
      {437, "\x9B", "\xA2"},    // the cent sign in 437
#ifdef _WIN32
      {437, "\xC4\xB3", "-\xA6"},  // box drawing: the system's best fit
#else
      {437, "\xC4\xB3", "??"},  // box drawing: no equivalent in the tables
#endif
      {0, "\x81", "\xFC"},      // unmarked: the OEM page
      {1252, "\xFC\x81", "\xFC\x81"},
      {437, "plain  ", "plain  "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code_page);
    EXPECT_EQ(TableTextToAnsi(c.in, c.code_page), c.out);
  }
}

}  // namespace
}  // namespace exporter
