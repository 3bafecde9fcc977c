// The DBF table format: header, field descriptors and field encodings of dBASE III,
// FoxPro 2.x and Visual FoxPro tables. Parsing checks everything a later read relies
// on, so a table that parses can be read without further bounds checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/value.h"

namespace tables {

struct FieldInfo {
  std::string name;  // upper case as stored
  char type = 'C';   // C N F D L M I B Y T (G P read as memo pointers)
  int width = 0;
  int decimals = 0;
  int offset = 0;  // inside the record, after the deletion flag
  uint8_t flags = 0;
};

struct TableHeader {
  uint8_t version = 0x03;
  uint32_t record_count = 0;
  uint32_t header_length = 0;
  uint32_t record_length = 0;
  uint8_t table_flags = 0;  // 0x01 production index, 0x02 memo (Visual FoxPro)
  uint8_t code_page_mark = 0;
  std::vector<FieldInfo> fields;

  bool has_memo_fields() const;
  // Visual FoxPro tables keep memo pointers as 4-byte integers.
  bool binary_memo_pointers() const {
    return version == 0x30 || version == 0x31 || version == 0x32;
  }
};

constexpr int kTableFlagsOffset = 28;
constexpr uint8_t kProductionIndexFlag = 0x01;

// Parses the header of a table file whose size is file_size. `bytes` holds at least the
// first min(file_size, header length) bytes. Returns an empty text, or what is wrong.
std::string ParseHeader(const uint8_t* bytes, size_t available, int64_t file_size,
                        TableHeader& out);

// The code page of a byte-29 mark (0 when unmarked or unknown), and the reverse.
int CodePageOfMark(uint8_t mark);
uint8_t MarkOfCodePage(int code_page);

// A field of a record as a value; memo fields give their block number as N (the caller
// reads the memo). `raw` points at the field's bytes.
xb::Value DecodeField(const FieldInfo& f, const uint8_t* raw, bool binary_memo);
// The block number held in a memo field (0 for none).
uint32_t MemoBlock(const FieldInfo& f, const uint8_t* raw, bool binary_memo);
// The empty value of a field (the value at end of table).
xb::Value EmptyValue(const FieldInfo& f);

// Writes v into the field's bytes; memo fields take the block number as a number.
// Returns false when the value does not fit (a number too wide is stored as asterisks).
bool EncodeField(const FieldInfo& f, const xb::Value& v, uint8_t* raw, bool binary_memo);

// Julian day numbers for T fields and date keys.
int64_t JulianOf(xb::Date d);

}  // namespace tables
