// Texts reach the engine as ANSI (windows-1252) bytes. The file stores Unicode: a text
// whose characters all lie in U+0000..U+00FF may be written "compressed" (one byte per
// character); any other needs UTF-16. In windows-1252 the bytes 0x80..0x9F (the euro
// sign, typographic quotes and dashes...) map outside that range.
#pragma once

#include <cstdint>
#include <string_view>

namespace wb {

// The Unicode code unit of one windows-1252 byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as
// the Windows conversion does.
uint16_t AnsiToUnicode(uint8_t byte);

// True when every byte of the text maps into U+0000..U+00FF.
bool IsLatin1(std::string_view ansi);

}  // namespace wb
