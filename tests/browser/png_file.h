// Window captures for the screenshot tests: a capture of a whole window (title bar
// included) as top-down BGRA pixels, pixel tests on it, and a PNG file of it
// (uncompressed deflate blocks: large, but readable by every viewer).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Pixels in a rectangle (window coordinates) for which the test holds.
  int Count(const RECT& r, bool (*test)(uint32_t rgb)) const;
};

Capture CaptureWindow(HWND hwnd);
// A rectangle of a child window's client area in its top-level window's coordinates.
RECT ClientRectInWindow(HWND child, const RECT& client_rect);
bool WritePng(const std::string& path, const Capture& capture);

bool IsRed(uint32_t rgb);    // the header pair's red text
bool IsBlack(uint32_t rgb);  // dark text
