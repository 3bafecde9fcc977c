#include "browser/oem_text.h"

#include <windows.h>

#include <vector>

namespace browser {

std::string TableTextToAnsi(const std::string& text, int table_code_page) {
  if (text.empty()) return text;
  std::string out(text.size(), '\0');
  if (table_code_page == 0) {
    OemToCharBuffA(text.c_str(), out.data(), static_cast<DWORD>(text.size()));
    return out;
  }
  // Byte by byte, so that a character without a Windows equivalent stays one character.
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t wide = 0;
    char narrow = '?';
    if (MultiByteToWideChar(static_cast<UINT>(table_code_page), 0, &text[i], 1, &wide, 1) == 1 &&
        WideCharToMultiByte(CP_ACP, 0, &wide, 1, &narrow, 1, nullptr, nullptr) == 1) {
      out[i] = narrow;
    } else {
      out[i] = '?';
    }
  }
  return out;
}

}  // namespace browser
