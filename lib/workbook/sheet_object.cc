#include <cstring>

#include "workbook/objects.h"

namespace wb {

namespace {

// Parses a column given as letters ("A".."IV") into a 0-based index.
bool ParseColumnLetters(std::string_view text, size_t& i, int* column) {
  int value = 0;
  size_t start = i;
  while (i < text.size()) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') break;
    value = value * 26 + (c - 'A' + 1);
    if (value > kMaxColumns) return false;
    ++i;
  }
  if (i == start) return false;
  *column = value - 1;
  return true;
}

bool ParseCell(std::string_view text, size_t& i, int* row, int* column) {
  if (i < text.size() && text[i] == '$') ++i;
  if (!ParseColumnLetters(text, i, column)) return false;
  if (i < text.size() && text[i] == '$') ++i;
  long value = 0;
  const size_t start = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + (text[i] - '0');
    if (value > kMaxRows) return false;
    ++i;
  }
  if (i == start || value < 1) return false;
  *row = int(value - 1);
  return true;
}

std::string LimitText(long row, long column) {
  if (row < 1 || column < 1) return "Rows and columns are numbered from 1.";
  if (row > kMaxRows)
    return "Row " + std::to_string(row) + " is past the last row of a worksheet (" +
           std::to_string(kMaxRows) + " rows).";
  return "Column " + std::to_string(column) + " is past the last column of a worksheet (" +
         std::to_string(kMaxColumns) + " columns).";
}

}  // namespace

bool ParseReference(std::string_view text, Rect* rect) {
  size_t i = 0;
  Rect r;
  if (!ParseCell(text, i, &r.first_row, &r.first_column)) return false;
  r.last_row = r.first_row;
  r.last_column = r.first_column;
  if (i < text.size() && text[i] == ':') {
    ++i;
    if (!ParseCell(text, i, &r.last_row, &r.last_column)) return false;
    if (r.last_row < r.first_row) std::swap(r.last_row, r.first_row);
    if (r.last_column < r.first_column) std::swap(r.last_column, r.first_column);
  }
  if (i != text.size()) return false;
  *rect = r;
  return true;
}

CallResult SheetObject::Invoke(std::string_view m, CallKind kind,
                               const std::vector<xb::Value>& args) {
  const bool read = IsRead(kind);
  if (read && NameIs(m, "cells") && args.size() == 2 && args[0].IsNumber() && args[1].IsNumber()) {
    // Cells(row, column): the call an export makes for every value and format.
    if (!alive()) return Failure("The worksheet has been deleted.");
    long row = 0, column = 0;
    if (!ArgInt(args, 0, &row) || !ArgInt(args, 1, &column)) return TypeMismatch();
    if (row < 1 || column < 1 || row > kMaxRows || column > kMaxColumns)
      return Failure(LimitText(row, column));
    const int r = int(row - 1), c = int(column - 1);
    return ObjectResult(
        std::make_shared<RangeObject>(shared_from_this(), Area{Area::Kind::kCells, {r, c, r, c}}));
  }
  const bool known = NameIs(m, "name") || NameIs(m, "cells") || NameIs(m, "columns") ||
                     NameIs(m, "range") || NameIs(m, "select") || NameIs(m, "activate") ||
                     NameIs(m, "delete") || NameIs(m, "index");
  if (!known) return UnknownName();
  if (!alive()) return Failure("The worksheet has been deleted.");
  std::shared_ptr<WorkbookObject> book = book_.lock();
  if (!book) return Failure("The worksheet's workbook is gone.");
  auto self = shared_from_this();

  if (NameIs(m, "name")) {
    if (read && args.empty()) return Ok(xb::Value::Text(data_->name));
    if (args.size() != 1) return BadParamCount();
    std::string name;
    if (!ArgText(args, 0, &name)) return TypeMismatch();
    if (name.empty() || name.size() > 31)
      return Failure("A sheet name has 1 to 31 characters; \"" + name + "\" has " +
                     std::to_string(name.size()) + ".");
    if (name.find_first_of(":\\/?*[]") != std::string::npos || name.front() == '\'' ||
        name.back() == '\'')
      return Failure(
          "A sheet name cannot contain : \\ / ? * [ ] nor begin or end with an apostrophe: \"" +
          name + "\".");
    if (book->SheetNameTaken(name, this))
      return Failure("Another sheet of the workbook is already named \"" + name + "\".");
    data_->name = name;
    return Ok();
  }
  if (!read) return MemberNotFound();
  if (NameIs(m, "cells")) {
    if (args.empty())
      return ObjectResult(std::make_shared<RangeObject>(
          self, Area{Area::Kind::kAll, {0, 0, kMaxRows - 1, kMaxColumns - 1}}));
    long row = 0, column = 0;
    if (args.size() == 1) {
      // Cells(n): the n-th cell counted along the rows.
      long n = 0;
      if (!ArgInt(args, 0, &n)) return TypeMismatch();
      if (n < 1 || n > long(kMaxRows) * kMaxColumns)
        return Failure("Cells(" + std::to_string(n) + ") is outside the worksheet.");
      row = (n - 1) / kMaxColumns + 1;
      column = (n - 1) % kMaxColumns + 1;
    } else if (args.size() == 2) {
      if (!ArgInt(args, 0, &row)) return TypeMismatch();
      std::string letters;
      if (ArgText(args, 1, &letters)) {
        size_t i = 0;
        int c = 0;
        if (!ParseColumnLetters(letters, i, &c) || i != letters.size())
          return Failure("\"" + letters + "\" is not a column.");
        column = c + 1;
      } else if (!ArgInt(args, 1, &column)) {
        return TypeMismatch();
      }
    } else {
      return BadParamCount();
    }
    if (row < 1 || column < 1 || row > kMaxRows || column > kMaxColumns)
      return Failure(LimitText(row, column));
    const int r = int(row - 1), c = int(column - 1);
    return ObjectResult(
        std::make_shared<RangeObject>(self, Area{Area::Kind::kCells, {r, c, r, c}}));
  }
  if (NameIs(m, "columns")) {
    if (args.empty())
      return ObjectResult(std::make_shared<RangeObject>(
          self, Area{Area::Kind::kAll, {0, 0, kMaxRows - 1, kMaxColumns - 1}}));
    if (args.size() != 1) return BadParamCount();
    long n = 0;
    std::string text;
    int first = 0, last = 0;
    if (ArgInt(args, 0, &n)) {
      if (n < 1 || n > kMaxColumns) return Failure(LimitText(1, n));
      first = last = int(n - 1);
    } else if (ArgText(args, 0, &text)) {
      size_t i = 0;
      bool ok = ParseColumnLetters(text, i, &first);
      last = first;
      if (ok && i < text.size() && text[i] == ':') {
        ++i;
        ok = ParseColumnLetters(text, i, &last);
      }
      if (!ok || i != text.size()) return Failure("\"" + text + "\" is not a column reference.");
      if (last < first) std::swap(first, last);
    } else {
      return TypeMismatch();
    }
    return ObjectResult(std::make_shared<RangeObject>(
        self, Area{Area::Kind::kColumns, {0, first, kMaxRows - 1, last}}));
  }
  if (NameIs(m, "range")) {
    if (args.empty() || args.size() > 2) return BadParamCount();
    Rect total;
    for (size_t a = 0; a < args.size(); ++a) {
      Rect r;
      std::string text;
      if (ArgText(args, a, &text)) {
        if (!ParseReference(text, &r))
          return Failure("\"" + text +
                         "\" is not a cell reference of a worksheet (A1 to IV65536).");
      } else if (args[a].IsObject()) {
        auto* range = dynamic_cast<RangeObject*>(args[a].object().get());
        if (range == nullptr || &range->sheet() != this) return TypeMismatch();
        r = range->area().rect;
      } else {
        return TypeMismatch();
      }
      if (a == 0) {
        total = r;
      } else {
        total = {std::min(total.first_row, r.first_row),
                 std::min(total.first_column, r.first_column), std::max(total.last_row, r.last_row),
                 std::max(total.last_column, r.last_column)};
      }
    }
    // A reference over whole columns formats them like Columns() does.
    const Area::Kind k = total.first_row == 0 && total.last_row == kMaxRows - 1
                             ? Area::Kind::kColumns
                             : Area::Kind::kCells;
    return ObjectResult(std::make_shared<RangeObject>(self, Area{k, total}));
  }
  if (NameIs(m, "select") || NameIs(m, "activate")) {
    book->Activate(this);
    return Ok();
  }
  if (NameIs(m, "index")) {
    const auto& sheets = book->sheets();
    for (size_t i = 0; i < sheets.size(); ++i) {
      if (sheets[i].get() == this) return Ok(xb::Value::Number(double(i + 1)));
    }
    return Failure("The worksheet has been deleted.");
  }
  return book->DeleteSheet(this);
}

}  // namespace wb
