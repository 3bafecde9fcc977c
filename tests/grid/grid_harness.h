// A grid in a top-level window of its own, sized to a given number of data rows and a
// given client width, over an in-memory source; inputs are real window messages.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "gui/xbrowse.h"
#include "memory_source.h"

struct GridSetup {
  long records = 50;
  int rows = 5;            // data rows that fit
  int client_width = 400;  // pixels, without the vertical scroll bar
  int marquee = 3;
  int freeze = 2;
  bool row_lines = true;
  bool configured_columns = true;  // the six-column layout; false: automatic columns
};

// Column widths of the six-column layout; with the selector (14) and one-pixel lines a
// 400-pixel client shows columns 1 to 4 whole, and MaxOffset is 2 (see the tests).
inline constexpr int kWidths[6] = {50, 120, 120, 70, 70, 90};

class GridHarness {
 public:
  explicit GridHarness(const GridSetup& setup = {});
  ~GridHarness();

  gui::TXBrowse& grid() { return *grid_; }
  MemorySource& source() { return *source_; }
  HWND hwnd() const { return grid_->hWnd(); }
  HWND parent() const { return parent_; }

  // Puts the source on key position `key`, the grid's current row on `row`, refreshes and
  // forgets the row changes seen so far.
  void Start(long key, int row, int column = 1);

  void Key(WPARAM vk, bool ctrl = false);
  void Press(int x, int y, bool right = false);
  void Release(int x, int y);
  void Move(int x, int y);
  void Click(POINT p, bool right = false);
  POINT CellCenter(int row, int column) const;
  POINT SelectorPoint(int row) const;
  POINT HeaderCenter(int column) const;

  // (record number, nRowSel) as the row-change handler saw them, one entry per call.
  std::vector<std::pair<long, int>> changes;
  // WM_COMMAND identifiers the parent received.
  static std::vector<int>& Commands();

 private:
  std::shared_ptr<MemorySource> source_;
  std::unique_ptr<gui::TXBrowse> grid_;
  HWND parent_ = nullptr;
};
