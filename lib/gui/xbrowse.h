// TXBrowse: the framework's data grid, a window of the class "TXBrowse", with columns of
// class TXBrwColumn. It shows the rows of a GridSource, one per line, and its current row
// is the source's current row: moving in the grid moves the source, and after the
// program has moved the source, Refresh() shows the new position.
//
// Use:
//   auto grid = std::make_unique<gui::TXBrowse>(source);
//   grid->nFreeze = 2; ...                       settings, right after creation
//   auto* col = grid->AddCol(); col->cHeader = "ID-No."; col->bStrData = [..]{...};
//   grid->CreateFromResource(110);               the template control it becomes
//   ... while the dialog is set up (WM_INITDIALOG), the dialog calls
//   grid->BindDialogItem(hDlg);                  false: the template has no such control
// A grid without columns builds one column per field of its source when it is bound,
// each as wide as its header and the current row's text. RegisterGridClass() must have
// run before a dialog template with "TXBrowse" controls is created; constructing a
// TXBrowse does it. Painting walks only the visible rows and columns, so the cost of
// opening, paging and jumping does not grow with the number of rows.
// Colour settings are closures yielding {text, background} COLORREF pairs; an empty
// column closure takes the grid's. Not thread-safe: the GUI thread only.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/font.h"
#include "gui/grid_source.h"

namespace gui {

inline constexpr char kGridClassName[] = "TXBrowse";

// Registers the window class "TXBrowse" for the program's module; idempotent.
bool RegisterGridClass();

struct ColorPair {
  COLORREF text = 0;
  COLORREF back = 0;
  friend bool operator==(const ColorPair&, const ColorPair&) = default;
};
using ColorBlock = std::function<ColorPair()>;
ColorBlock Colors(COLORREF text, COLORREF back);  // a closure yielding a constant pair

// Text alignment of headers and cells.
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignRight = 1;
inline constexpr int kAlignCenter = 2;

class TXBrowse;

class TXBrwColumn {
 public:
  std::string cHeader;
  int nHeadStrAlign = kAlignLeft;
  int nDataStrAlign = kAlignLeft;
  std::function<std::string()> bStrData;  // the cell text of the source's current row
  TFont* oDataFont = nullptr;             // not owned; null: the grid's font
  TFont* oHeaderFont = nullptr;           // not owned; null: the grid's font
  ColorBlock bClrStd;                     // empty: the grid's
  ColorBlock bClrHeader;                  // empty: the grid's; only the text colour shows
  int nWidth = 0;                         // pixels, without the divider line
  // Left click on this column's header (press and release on it, without dragging):
  // the mouse position in client pixels (y, x), the key flags of the release, the column.
  std::function<void(int row, int col, int flags, TXBrwColumn* column)> bLClickHeader;

  TXBrowse* oBrw = nullptr;  // the grid that holds the column
};

class TXBrowse {
 public:
  explicit TXBrowse(std::shared_ptr<GridSource> source);
  ~TXBrowse();
  TXBrowse(const TXBrowse&) = delete;
  TXBrowse& operator=(const TXBrowse&) = delete;

  // Settings.
  int nMarqueeStyle = 3;             // 0: only the selector arrow marks the row; else the cell
  int nColDividerStyle = 0;          // 1: solid black line at the right edge of every column
  int nRowDividerStyle = 0;          // 1: solid black line between rows (rows a pixel taller)
  bool lColDividerComplete = false;  // column lines down to the bottom edge
  int nHeaderLines = 1;
  int nDataLines = 1;
  int nFreeze = 0;  // leading columns that never scroll sideways
  bool lRecordSelector = true;
  ColorBlock bClrStd;       // default: 0 on the system window colour
  ColorBlock bClrHeader;    // default: button text on button face
  ColorBlock bClrSel;       // default: 0 on the inactive-caption-text colour
  ColorBlock bClrSelFocus;  // default: 16777215 on the highlight colour

  // Runs after each user move that makes another row current, before the arrow is drawn
  // on it; never on opening, Refresh(), sideways moves, header clicks or program moves.
  std::function<void()> bChange;
  // Esc in the grid. Empty: the parent is sent WM_COMMAND with IDCANCEL.
  std::function<void()> onEscape;

  // Columns in display order; a column's position (1-based) is its column number.
  std::vector<std::unique_ptr<TXBrwColumn>> aCols;
  TXBrwColumn* AddCol();

  // The screen row (1 = top) of the current row. The program may set it before Refresh().
  int nRowSel = 1;

  // Re-counts the rows, keeps nRowSel (not beyond the row count, nor beyond the rows
  // before the current one), and repaints everything, headers included.
  void Refresh();

  // Binding to a window.
  void CreateFromResource(int id) { resource_id_ = id; }
  int ResourceId() const { return resource_id_; }
  bool BindDialogItem(HWND dialog);  // Attach(GetDlgItem(dialog, ResourceId()))
  bool Attach(HWND control);         // an existing "TXBrowse" window; realises the grid
  // Creates a grid window of its own (destroyed with this object).
  HWND Create(HWND parent, const RECT& rect, int id,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP);
  HWND hWnd() const { return hwnd_; }
  GridSource* source() const { return source_.get(); }

  // State, for the program and for tests.
  int ColSel() const { return col_sel_; }        // current column number, 1-based
  void SetColSel(int column);                    // brought into view
  int ColOffset() const { return offset_; }      // non-frozen columns scrolled off at the left
  int RowCount() const;                          // data rows that fit
  int RowHeight() const { return row_height_; }  // including the row line
  int HeaderHeight() const { return header_height_; }
  int SelectorWidth() const;
  RECT CellRect(int row, int column) const;       // client rect; empty when not shown
  RECT HeaderRect(int column) const;              // client rect; empty when not shown
  int PressedHeader() const { return pressed_; }  // column number, 0 when none

  // What the paints since ClearPaintLog() drew: full paints and every data row drawn.
  struct PaintLog {
    int full = 0;
    std::vector<int> rows;
  };
  const PaintLog& paint_log() const { return paint_log_; }
  void ClearPaintLog() { paint_log_ = {}; }

 private:
  friend struct GridWindow;
  std::shared_ptr<GridSource> source_;
  HWND hwnd_ = nullptr;
  bool own_window_ = false;
  int resource_id_ = 0;
  HFONT font_ = nullptr;  // the grid's font (WM_SETFONT), not owned
  int col_sel_ = 1;
  int offset_ = 0;
  int row_height_ = 0;
  int header_height_ = 0;
  long key_count_ = 0;
  bool focused_ = false;
  int pressed_ = 0;  // header held down
  bool dragging_ = false;
  POINT press_point_{};
  int wheel_rest_ = 0;
  PaintLog paint_log_;
};

}  // namespace gui
