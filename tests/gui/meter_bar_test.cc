// The progress bar's drawing and figures, without a dialog: TMeter::Paint on a memory
// bitmap read back pixel by pixel, and Percent() with its clamping.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "gui/msg_meter.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);  // around the bar: must stay untouched
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A top-down 32-bit bitmap selected into a memory DC, filled with one colour.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const std::uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool ok() const { return dc_ && bitmap_ && bits_; }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];  // 0x00RRGGBB
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  const std::uint32_t* bits_ = nullptr;
};

// Where the expected text falls: the same string written by the system, white on
// black, centred in the same rectangle and clipped to it, in the GUI's default font
// (the font the bar writes in).
void DrawReferenceText(Canvas& canvas, const RECT& rect, const std::string& text) {
  HDC dc = canvas.dc();
  HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kWhite);
  HRGN clip = CreateRectRgnIndirect(&rect);
  SelectClipRgn(dc, clip);
  RECT r = rect;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
  SelectObject(dc, old_font);
}

struct PaintCase {
  const char* name;
  long position;
  long total;
  int width;
  int height;
  int filled;  // blue columns from the left
  const char* text;
};

const PaintCase kPaintCases[] = {
    {"empty", 0, 10, 200, 30, 0, "0%"},
    {"half", 5, 10, 200, 30, 100, "50%"},
    {"full", 10, 10, 200, 30, 200, "100%"},
    {"above the total counts as the total", 15, 10, 200, 30, 200, "100%"},
    {"negative counts as 0", -3, 10, 200, 30, 0, "0%"},
    {"a third: whole per cent, fill cut down", 1, 3, 200, 30, 66, "33%"},
    {"two thirds", 2, 3, 200, 30, 133, "66%"},
    {"no total draws an empty bar", 7, 0, 200, 30, 0, "0%"},
    {"negative total draws an empty bar", 7, -4, 200, 30, 0, "0%"},
    {"a large table", 25000000, 30000000, 200, 30, 166, "83%"},
    {"the largest count", 2147483647, 2147483647, 200, 30, 200, "100%"},
    {"the dialog's bar size", 5, 10, 150, 10, 75, "50%"},
    {"the dialog's bar size, nearly done", 99, 100, 150, 10, 148, "99%"},
};

// Every pixel of the bar is checked: outside the text blue left of the fill edge and
// white right of it; the text covers exactly the reference text's pixels, light on the
// blue part and dark on the white part; nothing outside the rectangle is touched.
TEST(MeterBar, PaintFillsInProportionWithTheWholePercentageInTheMiddle) {
  for (const PaintCase& c : kPaintCases) {
    SCOPED_TRACE(c.name);
    const int margin = 6;
    const RECT rect{margin, margin, margin + c.width, margin + c.height};
    Canvas bar(c.width + 2 * margin, c.height + 2 * margin, kGreen);
    Canvas reference(bar.width(), bar.height(), kBlack);
    ASSERT_TRUE(bar.ok() && reference.ok());
    gui::TMeter::Paint(bar.dc(), rect, c.position, c.total);
    DrawReferenceText(reference, rect, c.text);

    const int edge = rect.left + c.filled;
    int outside_touched = 0, wrong_fill = 0, text_missing = 0, stray_text = 0;
    int text_on_blue = 0, text_on_white = 0;
    bool white_text_on_blue = false, blue_text_on_white = false;
    bool dark_text_on_blue = false, light_text_on_white = false;
    for (int y = 0; y < bar.height(); ++y) {
      for (int x = 0; x < bar.width(); ++x) {
        const COLORREF p = bar.At(x, y);
        const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
        if (!inside) {
          outside_touched += p != kGreen;
          continue;
        }
        const bool on_blue = x < edge;
        const COLORREF back = on_blue ? kBlue : kWhite;
        const bool is_text = reference.At(x, y) != kBlack;
        if (!is_text) {
          wrong_fill += p != back;
          continue;
        }
        if (p == back) {
          ++text_missing;
          continue;
        }
        // Text pixels lie between white and blue: equal red and green, full blue.
        if (GetRValue(p) != GetGValue(p) || GetBValue(p) != 255) ++stray_text;
        if (on_blue) {
          ++text_on_blue;
          white_text_on_blue |= p == kWhite;
          dark_text_on_blue |= GetRValue(p) == 0;
        } else {
          ++text_on_white;
          blue_text_on_white |= p == kBlue;
          light_text_on_white |= GetRValue(p) == 255;
        }
      }
    }
    EXPECT_EQ(outside_touched, 0);
    EXPECT_EQ(wrong_fill, 0) << "fill edge expected at column " << c.filled;
    EXPECT_EQ(text_missing, 0) << "\"" << c.text << "\" is not where the centred text falls";
    EXPECT_EQ(stray_text, 0);
    EXPECT_GT(text_on_blue + text_on_white, 0) << "no text drawn";
    if (text_on_blue > 0) {
      EXPECT_TRUE(white_text_on_blue) << "the text over the filled part is white";
      EXPECT_FALSE(dark_text_on_blue);
    }
    if (text_on_white > 0) {
      EXPECT_TRUE(blue_text_on_white) << "the text over the empty part is blue";
      EXPECT_FALSE(light_text_on_white);
    }
  }
}

// A different figure gives a different picture, so the text comparison above is not
// blind to the digits: "50%" drawn where "49%" is expected must differ.
TEST(MeterBar, TheReferenceTextTellsNeighbouringFiguresApart) {
  const RECT rect{0, 0, 200, 30};
  Canvas fifty(200, 30, kBlack), forty_nine(200, 30, kBlack);
  ASSERT_TRUE(fifty.ok() && forty_nine.ok());
  DrawReferenceText(fifty, rect, "50%");
  DrawReferenceText(forty_nine, rect, "49%");
  int differing = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 200; ++x) differing += fifty.At(x, y) != forty_nine.At(x, y);
  EXPECT_GT(differing, 0);
}

TEST(MeterBar, StartsAtTotalTenPositionZero) {
  gui::TMeter meter;
  EXPECT_EQ(meter.total(), 10);
  EXPECT_EQ(meter.position(), 0);
  EXPECT_EQ(meter.Percent(), 0);
  EXPECT_EQ(meter.repaints(), 0);
  EXPECT_EQ(meter.hWnd(), nullptr);
}

TEST(MeterBar, PercentIsTheWholePercentageOfTheClampedPosition) {
  const struct {
    long total;
    long position;
    int percent;
  } cases[] = {
      {10, 0, 0},
      {10, 5, 50},
      {10, 10, 100},
      {10, 15, 100},
      {10, -3, 0},
      {3, 1, 33},
      {3, 2, 66},
      {1000, 999, 99},
      {0, 5, 0},
      {-5, 3, 0},
      {30000000, 25000000, 83},
      {2000000000, 1000000000, 50},
      {2147483647, 2147483647, 100},
      {2147483647, 2147483646, 99},
  };
  for (const auto& c : cases) {
    gui::TMeter meter;
    meter.SetTotal(c.total);
    meter.Set(c.position);
    EXPECT_EQ(meter.Percent(), c.percent) << c.position << " of " << c.total;
    EXPECT_EQ(meter.total(), c.total);
    EXPECT_EQ(meter.position(), c.position) << "the position is kept as given";
  }
}

}  // namespace
