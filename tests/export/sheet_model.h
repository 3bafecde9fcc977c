// A small spreadsheet server for the export tests: it answers the members the workers
// use, as the real one does (unknown names fail as unknown, a kind a member lacks as
// not found), and records what a reader of the saved file would see: cell values and
// fonts, column formats, merges, the selection, frozen rows. Range formats reach every
// cell of the range. SaveAs writes a small text file (or fails on request).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "workbook/dispatch.h"

namespace export_test {

struct CellState {
  xb::Value value;
  std::optional<bool> bold;
  std::optional<int> color;
  std::optional<double> size;
  std::optional<int> fill;
  std::optional<int> align;
};

struct ColumnState {
  std::optional<int> align;
  std::optional<double> width;
  std::string format;
};

struct SheetState {
  std::string name;
  std::map<std::pair<int, int>, CellState> cells;
  std::map<int, ColumnState> columns;
  std::vector<std::string> merges;
  std::vector<std::string> borders;  // "A1:C1 LineStyle=1" ...
  std::pair<int, int> selection{1, 1};
  std::optional<std::pair<int, int>> freeze_at;  // the selection when panes were frozen
  double all_size = 0;
  std::string all_font;
  bool deleted = false;
};

struct ModelState {
  int sheets_in_new_workbook = 3;
  bool display_alerts = true;
  bool visible = false;
  bool fail_save = false;                           // SaveAs raises a server exception
  bool save_writes = true;                          // false: SaveAs succeeds without writing a file
  std::vector<std::shared_ptr<SheetState>> sheets;  // of the last workbook added
  std::vector<std::string> saved_paths;
  long calls = 0;
};

// The application object over a fresh state.
std::shared_ptr<wb::Dispatchable> NewModelApplication(std::shared_ptr<ModelState> state);

// "A1:D1" to (row1, column1, row2, column2); false when it is no reference.
bool ParseRange(const std::string& ref, int* r1, int* c1, int* r2, int* c2);

}  // namespace export_test
