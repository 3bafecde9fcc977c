// An in-memory GridSource for the grid's tests and benchmark: rows of field texts in an
// order of their own (a permutation of record numbers), so that key positions and record
// numbers differ as they do in an indexed table.
#pragma once

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "gui/grid_source.h"

class MemorySource : public gui::GridSource {
 public:
  // rows[i] are the fields of record i + 1; order lists record numbers in key order
  // (empty: record-number order).
  MemorySource(std::vector<std::string> names, std::vector<std::vector<std::string>> rows,
               std::vector<long> order = {})
      : names_(std::move(names)), rows_(std::move(rows)), order_(std::move(order)) {
    if (order_.empty()) {
      for (long r = 1; r <= static_cast<long>(rows_.size()); ++r) order_.push_back(r);
    }
    for (size_t k = 0; k < order_.size(); ++k) key_of_[order_[k]] = static_cast<long>(k);
    eof_ = order_.empty();
    bof_ = order_.empty();
  }

  // A generated table: record r has fields "r", "Name r", ... (count fields).
  static MemorySource Numbered(long count, int fields = 3) {
    std::vector<std::string> names;
    for (int f = 0; f < fields; ++f) names.push_back("F" + std::to_string(f + 1));
    std::vector<std::vector<std::string>> rows;
    rows.reserve(count);
    for (long r = 1; r <= count; ++r) {
      std::vector<std::string> row;
      for (int f = 0; f < fields; ++f) row.push_back(std::to_string(r * (f + 1)));
      rows.push_back(std::move(row));
    }
    return MemorySource(std::move(names), std::move(rows));
  }

  void GoTop() override { Go(0); }
  void GoBottom() override { Go(static_cast<long>(order_.size()) - 1); }
  long Skip(long n) override {
    ++skips;
    if (order_.empty()) return 0;
    const long target = std::clamp(pos_ + n, 0L, static_cast<long>(order_.size()) - 1);
    const long moved = target - pos_;
    pos_ = target;
    eof_ = false;
    bof_ = n < 0 && moved != n;
    return moved;
  }
  bool Bof() override { return bof_; }
  bool Eof() override { return eof_; }
  long KeyNo() override { return eof_ ? 0 : pos_ + 1; }
  long KeyCount() override { return static_cast<long>(order_.size()); }
  void GoToKeyNo(long key) override { Go(key - 1); }
  long RecNo() override { return eof_ ? static_cast<long>(rows_.size()) + 1 : order_[pos_]; }
  void GoToRecNo(long recno) override {
    auto it = key_of_.find(recno);
    if (it == key_of_.end()) {
      eof_ = true;
      return;
    }
    Go(it->second);
  }
  int FieldCount() override { return static_cast<int>(names_.size()); }
  std::string FieldName(int i) override { return names_[i]; }
  std::string FieldText(int i) override {
    if (eof_) return {};
    const std::vector<std::string>& row = rows_[RecNo() - 1];
    return i >= 0 && i < static_cast<int>(row.size()) ? row[i] : std::string();
  }

  // Leaves the source past its last row, as a program move can.
  void GoPastEnd() { eof_ = true; }
  long skips = 0;

 private:
  void Go(long key) {
    if (order_.empty()) return;
    pos_ = std::clamp(key, 0L, static_cast<long>(order_.size()) - 1);
    eof_ = bof_ = false;
  }
  std::vector<std::string> names_;
  std::vector<std::vector<std::string>> rows_;
  std::vector<long> order_;
  std::unordered_map<long, long> key_of_;
  long pos_ = 0;
  bool bof_ = false;
  bool eof_ = false;
};
