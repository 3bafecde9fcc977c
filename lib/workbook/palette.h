// Colours: the object model takes Windows COLORREF values (0x00BBGGRR); the file stores
// indices into the 56-colour palette (8..63) of an Excel 97-2003 workbook.
#pragma once

#include <cstdint>

namespace wb {

constexpr uint16_t kAutomaticFontColour = 0x7FFF;  // FONT.icv "automatic"
constexpr uint16_t kAutomaticColour = 64;          // borders, pattern foreground
constexpr uint16_t kAutomaticBackground = 65;      // pattern background

// The palette index nearest to a COLORREF (smallest squared RGB distance, ties to the
// lowest index, so exact colours of the default palette map onto themselves).
uint16_t PaletteIndexOf(uint32_t colorref);

// The COLORREF of a palette index 8..63 (the default palette).
uint32_t ColorrefOfPaletteIndex(uint16_t icv);

}  // namespace wb
