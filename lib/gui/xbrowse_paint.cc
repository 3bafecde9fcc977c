// Drawing. A paint covers only its clip box: the header row when the box reaches it, and
// the data rows it meets, each read from the source by walking from the current row.
// Order: headers, data rows, the background right of and below them, the current row
// (selector arrow and highlighted cell), then the column and row lines.
#include <algorithm>

#include "gui/xbrowse_impl.h"

namespace gui {

namespace {

// The header look: a light-blue gradient, top to bottom; pressed, a darker one.
constexpr COLORREF kHeaderTop = RGB(242, 247, 255);
constexpr COLORREF kHeaderBottom = RGB(200, 221, 248);
constexpr COLORREF kPressedTop = RGB(168, 196, 235);
constexpr COLORREF kPressedBottom = RGB(214, 230, 252);
constexpr COLORREF kHeaderEdge = RGB(132, 160, 204);

ColorPair Pair(const ColorBlock& own, const ColorBlock& grid, ColorPair fallback) {
  if (own) return own();
  if (grid) return grid();
  return fallback;
}

ColorPair StdPair(const TXBrowse& g, const TXBrwColumn& c) {
  return Pair(c.bClrStd, g.bClrStd, {0, GetSysColor(COLOR_WINDOW)});
}

ColorPair HeaderPair(const TXBrowse& g, const TXBrwColumn& c) {
  return Pair(c.bClrHeader, g.bClrHeader, {GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE)});
}

ColorPair SelPair(const TXBrowse& g, bool focused) {
  if (focused) return Pair({}, g.bClrSelFocus, {16777215, GetSysColor(COLOR_HIGHLIGHT)});
  return Pair({}, g.bClrSel, {0, GetSysColor(COLOR_INACTIVECAPTIONTEXT)});
}

HFONT FontOf(const TFont* f, HFONT grid) {
  if (f && f->handle()) return f->handle();
  return grid ? grid : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void Gradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
  const int h = std::max(1L, r.bottom - r.top);
  for (int y = 0; y < h; ++y) {
    auto mix = [&](int a, int b) { return a + (b - a) * y / std::max(1, h - 1); };
    COLORREF c = RGB(mix(GetRValue(top), GetRValue(bottom)), mix(GetGValue(top), GetGValue(bottom)),
                     mix(GetBValue(top), GetBValue(bottom)));
    Fill(dc, RECT{r.left, r.top + y, r.right, r.top + y + 1}, c);
  }
}

UINT AlignFlags(int align) {
  if (align == kAlignRight) return DT_RIGHT;
  if (align == kAlignCenter) return DT_CENTER;
  return DT_LEFT;
}

int FontHeight(HDC dc) {
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  return tm.tmHeight;
}

void Text(HDC dc, RECT r, const std::string& text, HFONT font, COLORREF colour, int align,
          int lines) {
  const RECT cell = r;  // the text is cut at the cell's edge, not at the inset
  r.left += kCellInset;
  r.right -= kCellInset;
  if (r.right <= r.left || text.empty()) return;
  HGDIOBJ old = SelectObject(dc, font);
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  const int n = static_cast<int>(text.size());
  if (lines <= 1) {
    // One line, vertically centred and clipped at the cell's edge (no ellipsis): drawn
    // directly, which costs far less than laying the text out.
    int x = r.left;
    if (align != kAlignLeft) {
      SIZE size{};
      GetTextExtentPoint32A(dc, text.data(), n, &size);
      x = align == kAlignRight ? r.right - size.cx : r.left + (r.right - r.left - size.cx) / 2;
    }
    const int y = r.top + (r.bottom - r.top - FontHeight(dc)) / 2;
    ExtTextOutA(dc, x, y, ETO_CLIPPED, &cell, text.data(), n, nullptr);
  } else {
    DrawTextA(dc, text.data(), n, &r, AlignFlags(align) | DT_NOPREFIX | DT_WORDBREAK);
  }
  SelectObject(dc, old);
}

bool Meets(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

}  // namespace

void GridWindow::Paint(TXBrowse& g, HDC target, const RECT& clip) {
  const int width = ClientWidth(g);
  const int height = ClientHeight(g);
  if (clip.right <= clip.left || clip.bottom <= clip.top) return;
  if (clip.left <= 0 && clip.top <= 0 && clip.right >= width && clip.bottom >= height)
    ++g.paint_log_.full;

  // Drawn off screen, then copied in one step: no flicker.
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, clip.right - clip.left, clip.bottom - clip.top);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  SetViewportOrgEx(dc, -clip.left, -clip.top, nullptr);

  const std::vector<PlacedColumn> placed = Placed(g);
  const int sel = g.SelectorWidth();
  const int divider = DividerWidth(g);
  const int columns_right = placed.empty() ? sel : placed.back().right + divider;
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const int hh = g.header_height_;
  const int rh = std::max(1, g.row_height_);
  const int rows = g.RowCount();

  // 1. Header row.
  if (clip.top < hh) {
    if (sel > 0) Gradient(dc, RECT{0, 0, sel, hh}, kHeaderTop, kHeaderBottom);
    for (const PlacedColumn& p : placed) {
      RECT r{p.left, 0, p.right + divider, hh};
      if (!Meets(r, clip)) continue;
      const TXBrwColumn& c = *g.aCols[p.number - 1];
      const bool pressed = g.pressed_ == p.number;
      Gradient(dc, r, pressed ? kPressedTop : kHeaderTop, pressed ? kPressedBottom : kHeaderBottom);
      RECT text{p.left, 0, p.right, hh};
      if (pressed) OffsetRect(&text, 1, 1);
      Text(dc, text, c.cHeader, FontOf(c.oHeaderFont, g.font_), HeaderPair(g, c).text,
           c.nHeadStrAlign, g.nHeaderLines);
    }
    if (columns_right < width) Fill(dc, RECT{columns_right, 0, width, hh}, window);
  }

  // 2. Data rows in the clip box.
  int first = std::max(1, (static_cast<int>(clip.top) - hh) / rh + 1);
  int last = std::min(rows, (static_cast<int>(clip.bottom) - 1 - hh) / rh + 1);
  int data_rows = 0;  // rows, from the top, known to hold a record
  bool next_has_data = false;
  GridSource* src = g.source_.get();
  if (src && g.key_count_ > 0 && !src->Eof() && first <= last) {
    const long saved = src->RecNo();
    const long want = first - g.nRowSel;
    const long moved = src->Skip(want);
    int row = static_cast<int>(g.nRowSel + moved);
    if (want > 0 && moved != want) {
      data_rows = row;  // the records end above the clip box
    } else {
      data_rows = row - 1;
      for (; row <= last; ++row) {
        // The clip box of two far-apart rows spans the rows between them: draw only
        // the rows the update region really holds.
        const RECT rr = RowRect(g, row);
        if (row >= first && RectVisible(target, &rr)) {
          for (const PlacedColumn& p : placed) {
            const TXBrwColumn& c = *g.aCols[p.number - 1];
            const ColorPair pair = StdPair(g, c);
            RECT cell{p.left, rr.top, p.right + divider, rr.bottom};
            Fill(dc, cell, pair.back);
            if (c.bStrData) {
              Text(dc, RECT{p.left, rr.top, p.right, rr.bottom - (g.nRowDividerStyle ? 1 : 0)},
                   c.bStrData(), FontOf(c.oDataFont, g.font_), pair.text, c.nDataStrAlign,
                   g.nDataLines);
            }
          }
          g.paint_log_.rows.push_back(row);
        }
        data_rows = row;
        if (src->Skip(1) != 1) break;
        if (row == last) next_has_data = true;
      }
    }
    src->GoToRecNo(saved);
  }

  // 3. Background: the empty rows, right of the columns, the selector strip.
  const int data_bottom = hh + data_rows * rh;
  for (int row = std::max(first, data_rows + 1); row <= last; ++row) {
    RECT rr = RowRect(g, row);
    Fill(dc, RECT{sel, rr.top, width, rr.bottom}, window);
  }
  const int rows_bottom = hh + rows * rh;
  if (clip.bottom > rows_bottom) Fill(dc, RECT{sel, rows_bottom, width, height}, window);
  if (columns_right < width && clip.right > columns_right)
    Fill(dc, RECT{columns_right, hh, width, data_bottom}, window);
  if (sel > 0 && clip.left < sel) {
    Fill(dc, RECT{0, hh, sel, height}, GetSysColor(COLOR_BTNFACE));
    SelectObject(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, GetSysColor(COLOR_BTNSHADOW));
    Line(dc, sel - 1, hh, sel - 1, height);
  }

  // 4. The current row: the selector arrow and the highlighted cell.
  if (g.key_count_ > 0 && g.nRowSel >= first && g.nRowSel <= last && g.nRowSel <= data_rows) {
    const RECT rr = RowRect(g, g.nRowSel);
    if (sel > 0) {
      const int cx = sel / 2, cy = (rr.top + rr.bottom) / 2;
      POINT arrow[3] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
      SelectObject(dc, GetStockObject(BLACK_BRUSH));
      SelectObject(dc, GetStockObject(BLACK_PEN));
      Polygon(dc, arrow, 3);
    }
    if (g.nMarqueeStyle != 0) {
      for (const PlacedColumn& p : placed) {
        if (p.number != g.col_sel_) continue;
        const TXBrwColumn& c = *g.aCols[p.number - 1];
        const ColorPair pair = SelPair(g, g.focused_);
        Fill(dc, RECT{p.left, rr.top, p.right + divider, rr.bottom}, pair.back);
        if (c.bStrData) {  // the source is back on the current row
          Text(dc, RECT{p.left, rr.top, p.right, rr.bottom - (g.nRowDividerStyle ? 1 : 0)},
               c.bStrData(), FontOf(c.oDataFont, g.font_), pair.text, c.nDataStrAlign,
               g.nDataLines);
        }
      }
    }
  }

  // 5. Lines: column dividers (complete: to the bottom edge), then row dividers.
  SelectObject(dc, GetStockObject(BLACK_PEN));
  if (g.nColDividerStyle) {
    const int bottom = g.lColDividerComplete ? height : data_bottom;
    for (const PlacedColumn& p : placed) Line(dc, p.right, hh, p.right, bottom);
  }
  if (clip.top < hh) {
    SelectObject(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, kHeaderEdge);
    Line(dc, 0, hh - 1, columns_right, hh - 1);
    for (const PlacedColumn& p : placed) Line(dc, p.right, 0, p.right, hh - 1);
    if (sel > 0) Line(dc, sel - 1, 0, sel - 1, hh - 1);
    SelectObject(dc, GetStockObject(BLACK_PEN));
  }
  if (g.nRowDividerStyle) {
    for (int row = first; row <= std::min(last, data_rows); ++row) {
      const bool next = row < data_rows || (row == last && next_has_data);
      if (!next) continue;
      const int y = RowRect(g, row).bottom - 1;
      Line(dc, sel, y, columns_right, y);
    }
  }

  BitBlt(target, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, dc, clip.left,
         clip.top, SRCCOPY);
  SelectObject(dc, old_bitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

void GridWindow::InvalidateAll(TXBrowse& g) {
  if (g.hwnd_) InvalidateRect(g.hwnd_, nullptr, FALSE);
}

void GridWindow::InvalidateRows(TXBrowse& g, int first, int last) {
  if (!g.hwnd_ || first > last) return;
  RECT r = RowRect(g, std::max(1, first));
  r.bottom = RowRect(g, last).bottom;
  InvalidateRect(g.hwnd_, &r, FALSE);
}

void GridWindow::InvalidateHeader(TXBrowse& g, int column) {
  if (!g.hwnd_) return;
  RECT r = g.HeaderRect(column);
  if (r.right <= r.left) return;
  r.right += DividerWidth(g);
  InvalidateRect(g.hwnd_, &r, FALSE);
}

void GridWindow::ScrollData(TXBrowse& g, int rows) {
  if (!g.hwnd_) return;
  RECT area{0, g.header_height_, ClientWidth(g), g.header_height_ + g.RowCount() * g.row_height_};
  // The uncovered rows are left for the caller to invalidate, once the row-change
  // handler has run.
  HRGN uncovered = CreateRectRgn(0, 0, 0, 0);
  ScrollWindowEx(g.hwnd_, 0, -rows * g.row_height_, &area, &area, uncovered, nullptr,
                 SW_INVALIDATE);
  ValidateRgn(g.hwnd_, uncovered);
  DeleteObject(uncovered);
}

}  // namespace gui
