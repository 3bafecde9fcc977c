#include "png_file.h"

#include <algorithm>
#include <cstdio>

namespace {

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
  static uint32_t table[256];
  static bool made = false;
  if (!made) {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[i] = c;
    }
    made = true;
  }
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void Chunk(std::vector<uint8_t>& out, const char type[5], const std::vector<uint8_t>& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Put32(out, Crc32(body.data(), body.size()));
}

}  // namespace

int Capture::Count(const RECT& r, bool (*test)(uint32_t)) const {
  int n = 0;
  for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, height); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, width); ++x)
      if (test(At(x, y))) ++n;
  return n;
}

Capture CaptureWindow(HWND hwnd) {
  Capture c;
  RECT wr;
  GetWindowRect(hwnd, &wr);
  c.width = wr.right - wr.left;
  c.height = wr.bottom - wr.top;
  HDC window_dc = GetWindowDC(hwnd);
  HDC mem = CreateCompatibleDC(window_dc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = c.width;
  bi.bmiHeader.biHeight = -c.height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(window_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, c.width, c.height, window_dc, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  c.pixels.assign(p, p + static_cast<size_t>(c.width) * c.height);
  for (uint32_t& px : c.pixels) px &= 0x00FFFFFF;
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(hwnd, window_dc);
  return c;
}

RECT ClientRectInWindow(HWND child, const RECT& client_rect) {
  HWND top = GetAncestor(child, GA_ROOT);
  RECT wr;
  GetWindowRect(top, &wr);
  POINT a{client_rect.left, client_rect.top};
  POINT b{client_rect.right, client_rect.bottom};
  ClientToScreen(child, &a);
  ClientToScreen(child, &b);
  return RECT{a.x - wr.left, a.y - wr.top, b.x - wr.left, b.y - wr.top};
}

bool WritePng(const std::string& path, const Capture& c) {
  std::vector<uint8_t> raw;  // filter byte 0, then RGB per row
  for (int y = 0; y < c.height; ++y) {
    raw.push_back(0);
    for (int x = 0; x < c.width; ++x) {
      const uint32_t px = c.At(x, y);
      raw.push_back(static_cast<uint8_t>(px >> 16));
      raw.push_back(static_cast<uint8_t>(px >> 8));
      raw.push_back(static_cast<uint8_t>(px));
    }
  }
  std::vector<uint8_t> z = {0x78, 0x01};
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t at = 0; at < raw.size() || at == 0;) {
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    const bool last = at + n >= raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n));
    z.push_back(static_cast<uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
    at += n;
    if (last) break;
  }
  Put32(z, (b << 16) | a);
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  Put32(ihdr, c.width);
  Put32(ihdr, c.height);
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

bool IsRed(uint32_t rgb) {
  const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return r > 180 && g < 80 && b < 80;
}

bool IsBlack(uint32_t rgb) {
  const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return r < 70 && g < 70 && b < 70;
}
