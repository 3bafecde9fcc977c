// Moving the current row and column, and keeping the scroll bars in step with them.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gui/xbrowse_impl.h"

namespace gui {

namespace {

// Rows above nRowSel must hold records: when fewer precede the current one, the row
// moves up so that the first record is on the top row.
void KeepRowsAbove(TXBrowse& g, GridSource& src) {
  if (g.nRowSel <= 1) {
    g.nRowSel = 1;
    return;
  }
  long rec = src.RecNo();
  long back = -src.Skip(-(g.nRowSel - 1));
  if (back < g.nRowSel - 1) g.nRowSel = static_cast<int>(back) + 1;
  src.GoToRecNo(rec);
}

// After a jump forward, the last records end on the bottom row rather than leaving rows
// empty below them.
void FillBelow(TXBrowse& g, GridSource& src, long key_count, int rows) {
  const long after = key_count - src.KeyNo();
  const long shown = std::min<long>(rows, key_count);
  if (g.nRowSel + after < shown) g.nRowSel = static_cast<int>(std::max(1L, shown - after));
}

// Ends a vertical move: the row-change handler when another row became current, then
// the scroll box and the repaint that the caller asked for.
template <typename Redraw>
void FinishMove(TXBrowse& g, long old_rec, Redraw redraw) {
  if (g.source()->RecNo() != old_rec && g.bChange) g.bChange();
  if (!g.hWnd()) return;
  GridWindow::UpdateScrollBars(g);
  redraw();
  UpdateWindow(g.hWnd());
}

}  // namespace

void GridWindow::Normalize(TXBrowse& g) {
  if (!g.source_ || !g.hwnd_) return;
  GridSource& src = *g.source_;
  g.key_count_ = std::max(0L, src.KeyCount());
  if (g.key_count_ == 0) {
    g.nRowSel = 1;
    return;
  }
  if (src.Eof()) src.GoBottom();
  long limit = std::max(1L, std::min<long>(g.RowCount(), g.key_count_));
  g.nRowSel = static_cast<int>(std::clamp<long>(g.nRowSel, 1, limit));
  KeepRowsAbove(g, src);
}

void GridWindow::MoveLines(TXBrowse& g, long delta) {
  if (g.key_count_ <= 0 || delta == 0) return;
  GridSource& src = *g.source_;
  const long old_rec = src.RecNo();
  const long moved = src.Skip(delta);
  if (moved == 0) return;
  const int rows = std::max(1, g.RowCount());
  const int old_row = g.nRowSel;
  long row = g.nRowSel + moved;
  long scroll = 0;  // > 0: the content moves up by that many rows
  if (row < 1) {
    scroll = row - 1;
    row = 1;
  } else if (row > rows) {
    scroll = row - rows;
    row = rows;
  }
  g.nRowSel = static_cast<int>(row);
  // The rows on screen are moved before the row-change handler runs, so that whatever
  // is painted while it shows a box lines up with them; the rows that need drawing are
  // asked for after it.
  const bool shift = scroll != 0 && std::labs(scroll) < rows;
  if (shift) ScrollData(g, static_cast<int>(scroll));
  FinishMove(g, old_rec, [&] {
    if (scroll == 0) {
      InvalidateRows(g, old_row, old_row);
      InvalidateRows(g, g.nRowSel, g.nRowSel);
    } else if (shift) {
      const long shifted = old_row - scroll;
      if (shifted >= 1 && shifted <= rows) InvalidateRows(g, shifted, shifted);
      if (scroll > 0) {
        InvalidateRows(g, rows - static_cast<int>(scroll) + 1, rows);  // uncovered rows
      } else {
        InvalidateRows(g, 1, static_cast<int>(-scroll));
      }
    } else {
      InvalidateRows(g, 1, rows);
    }
  });
}

void GridWindow::MovePage(TXBrowse& g, int direction) {
  if (g.key_count_ <= 0) return;
  GridSource& src = *g.source_;
  const long old_rec = src.RecNo();
  const int rows = std::max(1, g.RowCount());
  const long moved = src.Skip(static_cast<long>(direction) * rows);
  if (moved == 0) return;
  // A whole page keeps the screen row; a cut page (an end reached) moves the row instead.
  if (std::labs(moved) < rows)
    g.nRowSel = static_cast<int>(std::clamp<long>(g.nRowSel + moved, 1, rows));
  if (direction > 0) FillBelow(g, src, g.key_count_, rows);
  KeepRowsAbove(g, src);
  FinishMove(g, old_rec, [&] { InvalidateRows(g, 1, rows); });
}

void GridWindow::MoveTop(TXBrowse& g) {
  if (g.key_count_ <= 0) return;
  GridSource& src = *g.source_;
  const long old_rec = src.RecNo();
  const int old_row = g.nRowSel;
  src.GoTop();
  g.nRowSel = 1;
  if (src.RecNo() == old_rec && old_row == 1) return;
  FinishMove(g, old_rec, [&] { InvalidateRows(g, 1, g.RowCount()); });
}

void GridWindow::MoveBottom(TXBrowse& g) {
  if (g.key_count_ <= 0) return;
  GridSource& src = *g.source_;
  const long old_rec = src.RecNo();
  const int old_row = g.nRowSel;
  src.GoBottom();
  g.nRowSel = static_cast<int>(std::clamp<long>(g.key_count_, 1, std::max(1, g.RowCount())));
  KeepRowsAbove(g, src);
  if (src.RecNo() == old_rec && old_row == g.nRowSel) return;
  FinishMove(g, old_rec, [&] { InvalidateRows(g, 1, g.RowCount()); });
}

void GridWindow::MoveToRow(TXBrowse& g, int row, int column) {
  if (g.key_count_ <= 0 || row < 1) return;
  GridSource& src = *g.source_;
  const long old_rec = src.RecNo();
  const int old_row = g.nRowSel;
  const long want = row - g.nRowSel;
  if (want != 0 && src.Skip(want) != want) {  // no record on that row
    src.GoToRecNo(old_rec);
    return;
  }
  const int old_offset = g.offset_;
  const int old_col = g.col_sel_;
  g.nRowSel = row;
  if (column > 0) {
    g.col_sel_ = column;
    BringColumnIntoView(g, column);
  }
  if (want == 0 && old_col == g.col_sel_) return;
  FinishMove(g, old_rec, [&] {
    if (g.offset_ != old_offset) {
      InvalidateAll(g);
    } else {
      InvalidateRows(g, old_row, old_row);
      InvalidateRows(g, g.nRowSel, g.nRowSel);
    }
  });
}

int GridWindow::ScrollRange(const TXBrowse& g) {
  return static_cast<int>(std::clamp<long>(g.key_count_, 1, kMaxScrollRange));
}

void GridWindow::MoveToScrollPos(TXBrowse& g, int pos) {
  if (g.key_count_ <= 0) return;
  GridSource& src = *g.source_;
  const long old_rec = src.RecNo();
  const int range = ScrollRange(g);
  pos = std::clamp(pos, 1, range);
  long key = pos;
  if (g.key_count_ > range) {
    key = 1 + std::lround(double(pos - 1) * double(g.key_count_ - 1) / double(range - 1));
  }
  src.GoToKeyNo(key);
  const int rows = std::max(1, g.RowCount());
  FillBelow(g, src, g.key_count_, rows);
  KeepRowsAbove(g, src);
  FinishMove(g, old_rec, [&] { InvalidateRows(g, 1, rows); });
}

void GridWindow::BringColumnIntoView(TXBrowse& g, int column) {
  const int frozen = FrozenCount(g);
  if (column <= frozen) return;
  const int index = column - frozen - 1;  // among the columns that scroll
  if (index < g.offset_) {
    g.offset_ = index;
    return;
  }
  const int width = ClientWidth(g);
  while (g.offset_ < index) {
    bool visible = false;
    for (const PlacedColumn& p : Placed(g)) {
      if (p.number == column) visible = p.right <= width;
    }
    if (visible) break;
    ++g.offset_;  // one column at a time, until the current one fits
  }
}

void GridWindow::ScrollColumns(TXBrowse& g, int new_offset) {
  new_offset = std::clamp(new_offset, 0, MaxOffset(g));
  if (new_offset == g.offset_) return;
  g.offset_ = new_offset;
  UpdateScrollBars(g);
  InvalidateAll(g);
  UpdateWindow(g.hwnd_);
}

void GridWindow::ColumnStep(TXBrowse& g, int direction, bool to_end) {
  const int n = static_cast<int>(g.aCols.size());
  if (n == 0) return;
  if (g.nMarqueeStyle == 0) {  // no highlighted cell: the arrows scroll sideways
    ScrollColumns(g, to_end ? (direction < 0 ? 0 : MaxOffset(g)) : g.offset_ + direction);
    return;
  }
  int column = to_end ? (direction < 0 ? 1 : n) : std::clamp(g.col_sel_ + direction, 1, n);
  const int old_offset = g.offset_;
  if (to_end && direction < 0) g.offset_ = 0;
  if (column == g.col_sel_ && g.offset_ == old_offset) return;
  g.col_sel_ = column;
  BringColumnIntoView(g, column);
  UpdateScrollBars(g);
  if (g.offset_ != old_offset) {
    InvalidateAll(g);
  } else {
    InvalidateRows(g, g.nRowSel, g.nRowSel);
  }
  UpdateWindow(g.hwnd_);
}

void GridWindow::UpdateScrollBars(TXBrowse& g) {
  if (!g.hwnd_) return;
  SCROLLINFO v{sizeof(v), SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL, 1, ScrollRange(g), 0, 1, 0};
  if (g.key_count_ > 0) {
    const long key = std::clamp<long>(g.source_->KeyNo(), 1, g.key_count_);
    v.nPos = static_cast<int>(key);
    if (g.key_count_ > v.nMax) {
      v.nPos = 1 + static_cast<int>(std::lround(double(key - 1) * double(v.nMax - 1) /
                                                double(g.key_count_ - 1)));
    }
  }
  SetScrollInfo(g.hwnd_, SB_VERT, &v, TRUE);
  SCROLLINFO h{sizeof(h), SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL, 0, MaxOffset(g), 0, g.offset_,
               0};
  SetScrollInfo(g.hwnd_, SB_HORZ, &h, TRUE);
}

}  // namespace gui
