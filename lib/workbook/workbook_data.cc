#include "workbook/workbook_data.h"

#include <algorithm>
#include <new>

namespace wb {

namespace {

uint32_t HashText(std::string_view text) {
  uint64_t h = 1469598103934665603ull;  // FNV-1a
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return uint32_t(h ^ (h >> 32));
}

}  // namespace

void TextTable::Grow() {
  const size_t count = slot_count_ == 0 ? 1024 : slot_count_ * 2;
  std::unique_ptr<uint64_t[], FreeSlots> slots(
      static_cast<uint64_t*>(std::calloc(count, sizeof(uint64_t))));
  if (!slots) throw std::bad_alloc();
  const size_t mask = count - 1;
  for (size_t k = 0; k < slot_count_; ++k) {
    const uint64_t slot = slots_[k];
    if (slot == 0) continue;
    size_t i = size_t(slot >> 32) & mask;
    while (slots[i] != 0) i = (i + 1) & mask;
    slots[i] = slot;
  }
  slots_ = std::move(slots);
  slot_count_ = count;
}

uint32_t TextTable::Intern(std::string_view text) {
  if ((size_ + 1) * 2 > slot_count_) Grow();
  const uint32_t h = HashText(text);
  const size_t mask = slot_count_ - 1;
  size_t i = h & mask;
  for (; slots_[i] != 0; i = (i + 1) & mask) {
    const uint64_t slot = slots_[i];
    if (uint32_t(slot >> 32) != h) continue;
    const uint32_t id = uint32_t(slot) - 1;
    if (Get(id) == text) return id;
  }
  const uint32_t id = uint32_t(size_);
  const unsigned chunk = ChunkOf(id);
  if (chunk == chunks_.size())
    chunks_.push_back(std::make_unique<std::string[]>(size_t(1) << (kFirstChunkBits + chunk)));
  chunks_[chunk][id - FirstIdOf(chunk)] = text;
  ++size_;
  slots_[i] = uint64_t(h) << 32 | (uint64_t(id) + 1);
  return id;
}

WorkbookData::WorkbookData() {
  font_names.Intern("Arial");
  number_formats.Intern("General");
}

const Cell* SheetData::Find(int row, int column) const {
  if (row >= int(rows_.size()) || column >= int(rows_[row].size())) return nullptr;
  const Cell& c = rows_[row][column];
  return c.kind == CellKind::kNone ? nullptr : &c;
}

Cell& SheetData::At(int row, int column) {
  if (row >= int(rows_.size())) rows_.resize(row + 1);
  std::vector<Cell>& cells = rows_[row];
  if (column >= int(cells.size())) {
    // Rows fill from left to right: grow by doubling rather than one cell at a time.
    if (size_t(column) >= cells.capacity())
      cells.reserve(std::min<size_t>(
          kMaxColumns, std::max<size_t>({8, size_t(column) + 1, cells.capacity() * 2})));
    cells.resize(column + 1);
  }
  Cell& c = cells[column];
  if (c.kind == CellKind::kNone) {
    c.kind = CellKind::kBlank;
    c.style = StyleOfNewCell(column);
  }
  return c;
}

void SheetData::SetText(int row, int column, uint32_t text_id) {
  Cell& c = At(row, column);
  c.kind = CellKind::kText;
  c.text = text_id;
}

void SheetData::SetNumber(int row, int column, double value) {
  Cell& c = At(row, column);
  c.kind = CellKind::kNumber;
  c.number = value;
}

void SheetData::SetLogical(int row, int column, bool value) {
  Cell& c = At(row, column);
  c.kind = CellKind::kLogical;
  c.logical = value;
}

void SheetData::ClearValue(int row, int column) {
  if (Find(row, column) == nullptr) return;
  Cell& c = rows_[row][column];
  c.kind = CellKind::kBlank;
  c.number = 0;
}

uint32_t SheetData::StyleOfNewCell(int column) const {
  return column_style_[column] >= 0 ? uint32_t(column_style_[column]) : sheet_style_;
}

void SheetData::FormatRect(const Rect& rect, StyleChange change) {
  for (int r = rect.first_row; r <= rect.last_row; ++r) {
    for (int c = rect.first_column; c <= rect.last_column; ++c) {
      Cell& cell = At(r, c);
      cell.style = book_->styles.Apply(cell.style, change);
    }
  }
}

void SheetData::FormatColumns(int first, int last, StyleChange change) {
  for (int c = first; c <= last; ++c)
    column_style_[c] = int32_t(book_->styles.Apply(StyleOfNewCell(c), change));
  for (std::vector<Cell>& cells : rows_) {
    for (int c = first; c <= last && c < int(cells.size()); ++c) {
      if (cells[c].kind != CellKind::kNone)
        cells[c].style = book_->styles.Apply(cells[c].style, change);
    }
  }
}

void SheetData::FormatAll(StyleChange change) {
  sheet_style_ = book_->styles.Apply(sheet_style_, change);
  for (int32_t& s : column_style_) {
    if (s >= 0) s = int32_t(book_->styles.Apply(uint32_t(s), change));
  }
  for (std::vector<Cell>& cells : rows_) {
    for (Cell& cell : cells) {
      if (cell.kind != CellKind::kNone) cell.style = book_->styles.Apply(cell.style, change);
    }
  }
}

bool SheetData::Merge(const Rect& rect) {
  for (const Rect& m : merges_) {
    if (m == rect) return true;
    if (m.Overlaps(rect)) return false;
  }
  const uint32_t style = At(rect.first_row, rect.first_column).style;
  for (int r = rect.first_row; r <= rect.last_row; ++r) {
    for (int c = rect.first_column; c <= rect.last_column; ++c) {
      if (r == rect.first_row && c == rect.first_column) continue;
      Cell& cell = At(r, c);
      cell.kind = CellKind::kBlank;
      cell.number = 0;
      cell.style = style;
    }
  }
  merges_.push_back(rect);
  return true;
}

}  // namespace wb
