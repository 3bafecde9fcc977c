// Writing new tables (for the sample generator and the tests; the program itself never
// writes a record). A table is built in memory and written whole: DBF with the header,
// the records and the end-of-file byte, and an FPT memo file when it has memo fields.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/value.h"
#include "tables/dbf_format.h"
#include "tables/memo_file.h"

namespace tables {

struct FieldSpec {
  std::string name;
  char type = 'C';
  int width = 0;
  int decimals = 0;
};

struct TableSpec {
  // 0x03 plain, 0xF5 FoxPro 2.x with memo (10-byte pointers), 0x30 Visual FoxPro
  // (4-byte pointers and the 263-byte backlink).
  uint8_t version = 0x03;
  uint8_t code_page_mark = 0;
  uint8_t table_flags = 0;
  xb::Date last_update = xb::Date::FromYmd(2008, 12, 9);
  std::vector<FieldSpec> fields;
};

class TableWriter {
 public:
  // Widths of D, L, I, B, Y, T and memo fields follow from their type when 0.
  explicit TableWriter(TableSpec spec);

  // Appends a record; memo fields take their text. Missing trailing values are empty.
  // Returns false when a value does not fit its field (it is stored cut or as '*').
  bool Append(const std::vector<xb::Value>& values, bool deleted = false);

  std::vector<uint8_t> TableImage() const;
  const std::vector<uint8_t>& MemoImage() { return memo_.Image(); }
  bool has_memo() const { return has_memo_; }

  // Writes the table and, with memo fields, its memo file beside it (extension in the
  // case of the table's). Returns an empty text or what failed.
  std::string Write(const std::string& path);

  const TableHeader& header() const { return header_; }

 private:
  TableHeader header_;
  xb::Date last_update_;
  bool has_memo_ = false;
  std::vector<uint8_t> records_;
  MemoBuilder memo_;
};

}  // namespace tables
