// Table text to Windows text: by the table's code-page mark, one byte for one byte.
#include "runtime/oem_text.h"

#include <gtest/gtest.h>

#include <string>

namespace xb {
namespace {

TEST(TableText, DosCharactersBecomeWindowsCharactersOfTheSameLength) {
  struct Case {
    int code_page;
    std::string dos, windows;
  };
  const Case cases[] = {
      {0, "M\x81ller KG   ", "M\xFCller KG   "},  // unmarked: the OEM page, blanks kept
      {437, "\x8E\x99\x9A\x84\x94\x81\xE1", "\xC4\xD6\xDC\xE4\xF6\xFC\xDF"},
      {850, "\x8E\x99\x9A\xE1", "\xC4\xD6\xDC\xDF"},
      {850, "M\x81ller \xE1", "M\xFCller \xDF"},
      {437, "\x84\x94\x81\x9F", "\xE4\xF6\xFC\x83"},
      {850, "\x9B", "\xF8"},  // o-slash exists in 850, not in 437
      {437, "\x9B", "\xA2"},  // the cent sign in 437
#ifdef _WIN32
      {437, "\xC4\xB3", "-\xA6"},  // box drawing: the system's best fit
#else
      {437, "\xC4\xB3", "??"},  // box drawing: no equivalent in the tables
#endif
      {1252, "caf\x82\xFC\x81", "caf\x82\xFC\x81"},  // a Windows table stays as it is
      {437, "plain  ", "plain  "},
      {0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code_page << " " << c.windows);
    EXPECT_EQ(TableTextToAnsi(c.dos, c.code_page), c.windows);
  }
}

}  // namespace
}  // namespace xb
