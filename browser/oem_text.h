// Table text to Windows text. Stored texts are in the DOS (OEM) code page; a table whose
// header names its code page is converted from that page, any other from the system's
// OEM page. Every byte gives one byte: the length stays, trailing blanks included.
#pragma once

#include <string>

namespace browser {

std::string TableTextToAnsi(const std::string& text, int table_code_page = 0);

}  // namespace browser
