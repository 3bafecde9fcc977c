// Internals of TXBrowse shared by its source files: the layout of what is on screen and
// the handlers the window procedure dispatches to. Not for use outside lib/gui.
#pragma once

#include <windows.h>

#include <vector>

#include "gui/xbrowse.h"

namespace gui {

// Layout constants, in pixels.
inline constexpr int kSelectorWidth = 14;      // the record selector strip
inline constexpr int kCellInset = 3;           // text inset from a cell's left and right edges
inline constexpr int kRowPadding = 4;          // above and below the text of a data row
inline constexpr int kHeaderPadding = 6;       // above and below the header text
inline constexpr int kAutoMargin = 4;          // added to measured automatic column widths
inline constexpr int kMaxScrollRange = 32767;  // vertical positions scale down beyond this

// A column as it is placed on screen.
struct PlacedColumn {
  int number = 0;  // 1-based position in aCols
  int left = 0;
  int right = 0;  // first pixel after the cell text area; the divider line sits here
};

struct GridWindow {
  // Window class and procedure (xbrowse.cc).
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static TXBrowse* From(HWND hwnd);
  static void Realise(TXBrowse& g);

  // Layout (xbrowse_layout.cc).
  static void MeasureFonts(TXBrowse& g);
  static int ClientWidth(const TXBrowse& g);
  static int ClientHeight(const TXBrowse& g);
  static int DividerWidth(const TXBrowse& g) { return g.nColDividerStyle ? 1 : 0; }
  static std::vector<PlacedColumn> Placed(const TXBrowse& g, int offset);
  static std::vector<PlacedColumn> Placed(const TXBrowse& g) { return Placed(g, g.offset_); }
  static int MaxOffset(const TXBrowse& g);
  static int FrozenCount(const TXBrowse& g);
  static RECT RowRect(const TXBrowse& g, int row);
  static int RowAt(const TXBrowse& g, int y);     // 0 when not on a row that fits
  static int ColumnAt(const TXBrowse& g, int x);  // 0 when on no column
  static void MeasureAutoColumns(TXBrowse& g);

  // Navigation (xbrowse_nav.cc). Each vertical move runs bChange when the row changed.
  static void Normalize(TXBrowse& g);
  static void MoveLines(TXBrowse& g, long delta);
  static void MovePage(TXBrowse& g, int direction);
  static void MoveTop(TXBrowse& g);
  static void MoveBottom(TXBrowse& g);
  static void MoveToRow(TXBrowse& g, int row, int column);  // column 0: keep
  static void MoveToScrollPos(TXBrowse& g, int pos);
  static void ColumnStep(TXBrowse& g, int direction, bool to_end);
  static void ScrollColumns(TXBrowse& g, int new_offset);
  static void BringColumnIntoView(TXBrowse& g, int column);
  static void UpdateScrollBars(TXBrowse& g);
  static int ScrollRange(const TXBrowse& g);

  // Input (xbrowse_input.cc).
  static bool KeyDown(TXBrowse& g, WPARAM key);
  static void ButtonDown(TXBrowse& g, int x, int y, bool right);
  static void MouseMove(TXBrowse& g, int x, int y);
  static void ButtonUp(TXBrowse& g, int x, int y, WPARAM flags);
  static void CancelPress(TXBrowse& g);
  static void VScroll(TXBrowse& g, int code, int pos);
  static void HScroll(TXBrowse& g, int code, int pos);
  static void Wheel(TXBrowse& g, int delta);

  // Painting (xbrowse_paint.cc). The only ways to ask for a repaint.
  static void Paint(TXBrowse& g, HDC dc, const RECT& clip);
  static void InvalidateAll(TXBrowse& g);
  static void InvalidateRows(TXBrowse& g, int first, int last);
  static void InvalidateHeader(TXBrowse& g, int column);
  static void ScrollData(TXBrowse& g, int rows);  // rows > 0: content moves up
};

}  // namespace gui
