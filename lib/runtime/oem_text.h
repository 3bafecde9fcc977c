// Stored table text (OEM) to Windows (ANSI) text, for the grids and the workbooks alike:
// one byte for one byte, so lengths and blanks stay. A table whose header marks its code page is
// converted from that page, any other from the system's OEM page. On Windows the system does the
// conversion; elsewhere 437 and 850 (and an unmarked table, taken as 437) are converted by tables
// to Windows-1252, a 1252 table is kept as it is, and characters without an equivalent
// become '?'.
#pragma once

#include <string>

namespace xb {

std::string TableTextToAnsi(const std::string& text, int table_code_page = 0);

}  // namespace xb
