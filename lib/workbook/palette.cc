#include "workbook/palette.h"

namespace wb {

namespace {

// The default palette, indices 8..63, as 0xRRGGBB.
constexpr uint32_t kPalette[56] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

}  // namespace

uint16_t PaletteIndexOf(uint32_t colorref) {
  const int r = colorref & 0xFF, g = (colorref >> 8) & 0xFF, b = (colorref >> 16) & 0xFF;
  int best = 0;
  long best_distance = -1;
  for (int i = 0; i < 56; ++i) {
    const int pr = (kPalette[i] >> 16) & 0xFF, pg = (kPalette[i] >> 8) & 0xFF,
              pb = kPalette[i] & 0xFF;
    const long d = long(r - pr) * (r - pr) + long(g - pg) * (g - pg) + long(b - pb) * (b - pb);
    if (best_distance < 0 || d < best_distance) {
      best = i;
      best_distance = d;
    }
  }
  return uint16_t(8 + best);
}

uint32_t ColorrefOfPaletteIndex(uint16_t icv) {
  if (icv < 8 || icv > 63) return 0;
  const uint32_t rgb = kPalette[icv - 8];
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

}  // namespace wb
