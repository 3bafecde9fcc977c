// Where things are: font metrics, row and header heights, which columns are shown where.
#include <algorithm>

#include "gui/xbrowse_impl.h"

namespace gui {

namespace {

HFONT FontOr(const TFont* font, HFONT fallback) {
  if (font && font->handle()) return font->handle();
  return fallback ? fallback : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int FontHeight(HDC dc, HFONT font) {
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  return tm.tmHeight;
}

int TextWidth(HDC dc, HFONT font, const std::string& text) {
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  return size.cx;
}

}  // namespace

void GridWindow::MeasureFonts(TXBrowse& g) {
  if (!g.hwnd_) return;
  HDC dc = GetDC(g.hwnd_);
  int header = FontHeight(dc, FontOr(nullptr, g.font_));
  int data = header;
  for (const auto& c : g.aCols) {
    header = std::max(header, FontHeight(dc, FontOr(c->oHeaderFont, g.font_)));
    data = std::max(data, FontHeight(dc, FontOr(c->oDataFont, g.font_)));
  }
  ReleaseDC(g.hwnd_, dc);
  g.header_height_ = std::max(1, g.nHeaderLines) * header + kHeaderPadding;
  g.row_height_ = std::max(1, g.nDataLines) * data + kRowPadding + (g.nRowDividerStyle ? 1 : 0);
}

void GridWindow::MeasureAutoColumns(TXBrowse& g) {
  bool have_row = g.source_ && g.source_->KeyCount() > 0 && !g.source_->Eof();
  HDC dc = GetDC(g.hwnd_);
  for (const auto& c : g.aCols) {
    if (c->nWidth > 0) continue;
    int w = TextWidth(dc, FontOr(c->oHeaderFont, g.font_), c->cHeader);
    if (have_row && c->bStrData)
      w = std::max(w, TextWidth(dc, FontOr(c->oDataFont, g.font_), c->bStrData()));
    c->nWidth = w + 2 * kCellInset + kAutoMargin;
  }
  ReleaseDC(g.hwnd_, dc);
}

int GridWindow::ClientWidth(const TXBrowse& g) {
  RECT r{};
  GetClientRect(g.hwnd_, &r);
  return r.right;
}

int GridWindow::ClientHeight(const TXBrowse& g) {
  RECT r{};
  GetClientRect(g.hwnd_, &r);
  return r.bottom;
}

int GridWindow::FrozenCount(const TXBrowse& g) {
  return std::clamp(g.nFreeze, 0, static_cast<int>(g.aCols.size()));
}

std::vector<PlacedColumn> GridWindow::Placed(const TXBrowse& g, int offset) {
  std::vector<PlacedColumn> placed;
  if (!g.hwnd_) return placed;
  const int width = ClientWidth(g);
  const int n = static_cast<int>(g.aCols.size());
  const int frozen = FrozenCount(g);
  int x = g.SelectorWidth();
  auto place = [&](int number) {
    int w = std::max(0, g.aCols[number - 1]->nWidth);
    placed.push_back({number, x, x + w});
    x += w + DividerWidth(g);
  };
  for (int i = 1; i <= frozen; ++i) place(i);
  for (int i = frozen + 1 + offset; i <= n && x < width; ++i) place(i);
  return placed;
}

int GridWindow::MaxOffset(const TXBrowse& g) {
  const int n = static_cast<int>(g.aCols.size());
  const int frozen = FrozenCount(g);
  const int movable = n - frozen;
  if (movable <= 0 || !g.hwnd_) return 0;
  int left = g.SelectorWidth();
  for (int i = 1; i <= frozen; ++i) left += g.aCols[i - 1]->nWidth + DividerWidth(g);
  const int room = ClientWidth(g) - left;
  // The smallest offset at which the columns from there to the last one all fit.
  int suffix = 0;
  for (int o = movable - 1; o >= 0; --o) {
    suffix += g.aCols[frozen + o]->nWidth + DividerWidth(g);
    if (suffix > room) return std::min(o + 1, movable - 1);
  }
  return 0;
}

RECT GridWindow::RowRect(const TXBrowse& g, int row) {
  int top = g.header_height_ + (row - 1) * g.row_height_;
  return RECT{0, top, ClientWidth(g), top + g.row_height_};
}

int GridWindow::RowAt(const TXBrowse& g, int y) {
  if (y < g.header_height_ || g.row_height_ <= 0) return 0;
  int row = (y - g.header_height_) / g.row_height_ + 1;
  return row <= g.RowCount() ? row : 0;
}

int GridWindow::ColumnAt(const TXBrowse& g, int x) {
  for (const PlacedColumn& p : Placed(g)) {
    if (x >= p.left && x < p.right + DividerWidth(g)) return p.number;
  }
  return 0;
}

}  // namespace gui
