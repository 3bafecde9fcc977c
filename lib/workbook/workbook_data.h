// The in-memory workbook behind the object model: sheets with their cells, the shared
// tables (styles, texts, font names, number formats) and the view state (selection,
// frozen panes, merged areas). The automation objects edit it; the file writer reads it.
//
// Rows and columns are 0-based here (the object model is 1-based). Every address handed
// in must lie within kMaxRows x kMaxColumns; the callers check.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/style.h"

namespace wb {

constexpr int kMaxRows = 65536;
constexpr int kMaxColumns = 256;
constexpr size_t kMaxTextLength = 32767;

enum class CellKind : uint8_t { kNone, kBlank, kText, kNumber, kLogical };

struct Cell {
  union {
    double number;
    uint32_t text;  // id in WorkbookData::texts
    bool logical;
  };
  uint32_t style = 0;
  CellKind kind = CellKind::kNone;
  Cell() : number(0) {}
};

struct Rect {
  int first_row = 0, first_column = 0, last_row = 0, last_column = 0;  // inclusive
  bool Contains(int r, int c) const {
    return r >= first_row && r <= last_row && c >= first_column && c <= last_column;
  }
  bool Overlaps(const Rect& o) const {
    return first_row <= o.last_row && o.first_row <= last_row && first_column <= o.last_column &&
           o.first_column <= last_column;
  }
  bool operator==(const Rect&) const = default;
};

// Interned texts: an id per distinct byte string. An export interns a text for nearly
// every cell, most of them new, so the index is a flat open-addressing table whose slots
// hold the text's hash beside its id: a probe compares hashes within the slot array and
// reads a text only when they match (a lookup makes no copy). The texts live in chunks
// of doubling size that never move, so the table grows without copying what it holds.
class TextTable {
 public:
  uint32_t Intern(std::string_view text);
  const std::string& Get(uint32_t id) const {
    const unsigned chunk = ChunkOf(id);
    return chunks_[chunk][id - FirstIdOf(chunk)];
  }
  size_t size() const { return size_; }

 private:
  static constexpr unsigned kFirstChunkBits = 8;  // chunk k holds 256 << k texts
  static unsigned ChunkOf(uint32_t id) {
    return unsigned(std::bit_width((id >> kFirstChunkBits) + 1u)) - 1;
  }
  static uint32_t FirstIdOf(unsigned chunk) {
    return ((uint32_t(1) << chunk) - 1) << kFirstChunkBits;
  }
  void Grow();
  struct FreeSlots {
    void operator()(uint64_t* p) const { std::free(p); }
  };
  std::vector<std::unique_ptr<std::string[]>> chunks_;
  size_t size_ = 0;
  // hash << 32 | (id + 1); 0 is empty. From calloc, which hands out fresh memory
  // without clearing it again.
  std::unique_ptr<uint64_t[], FreeSlots> slots_;
  size_t slot_count_ = 0;  // a power of two
};

class WorkbookData;

class SheetData {
 public:
  std::string name;
  bool deleted = false;

  // Cells: one vector per row, indexed by column, grown on demand.
  const std::vector<std::vector<Cell>>& rows() const { return rows_; }
  const Cell* Find(int row, int column) const;
  Cell& At(int row, int column);  // creates a blank-styled cell if none

  void SetText(int row, int column, uint32_t text_id);
  void SetNumber(int row, int column, double value);
  void SetLogical(int row, int column, bool value);
  void ClearValue(int row, int column);

  // Formatting; a column or whole-sheet change also reaches the cells that exist and is
  // remembered for cells made later.
  void FormatRect(const Rect& rect, StyleChange change);
  void FormatColumns(int first, int last, StyleChange change);
  void FormatAll(StyleChange change);
  uint32_t StyleOfNewCell(int column) const;
  uint32_t sheet_style() const { return sheet_style_; }
  int32_t column_style(int column) const { return column_style_[column]; }  // -1: none

  // Column widths in characters; negative means the default width.
  double column_width(int column) const { return column_width_[column]; }
  void set_column_width(int column, double width) { column_width_[column] = width; }

  // Merged areas; merging keeps the top-left value, the other cells become blanks in
  // the top-left cell's style. False when the area overlaps an existing one.
  bool Merge(const Rect& rect);
  const std::vector<Rect>& merges() const { return merges_; }

  Rect selection{0, 0, 0, 0};
  int active_row = 0, active_column = 0;
  int frozen_rows = 0, frozen_columns = 0;

  explicit SheetData(WorkbookData* book) : book_(book) {
    column_style_.fill(-1);
    column_width_.fill(-1);
  }

 private:
  WorkbookData* book_;
  std::vector<std::vector<Cell>> rows_;
  uint32_t sheet_style_ = 0;
  std::array<int32_t, kMaxColumns> column_style_;
  std::array<double, kMaxColumns> column_width_;
  std::vector<Rect> merges_;
};

class WorkbookData {
 public:
  WorkbookData();
  StyleTable styles;
  TextTable texts;
  TextTable font_names;      // id 0 "Arial"
  TextTable number_formats;  // id 0 "General"
  std::vector<std::shared_ptr<SheetData>> sheets;
  int active_sheet = 0;
  std::string name;
};

}  // namespace wb
