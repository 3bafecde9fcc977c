// The state behind one work area, shared by the files of the engine (not public).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/error.h"
#include "tables/cdx_format.h"
#include "tables/dbf_format.h"
#include "tables/file_io.h"

namespace tables {

constexpr int kCorruptionSubCode = 1012;
constexpr int kFieldSubCode = 1003;
constexpr int kKeyTypeSubCode = 1020;
constexpr int kWriteSubCode = 1011;
constexpr const char* kDriverName = "DBFCDX";

struct Order {
  std::string tag;
  std::string key_text;
  std::vector<uint32_t> recnos;          // record numbers in key order
  mutable std::vector<uint32_t> where_;  // recno -> position, built when first needed
  uint32_t PositionOf(uint32_t recno) const;
};

struct Area {
  bool open = false;
  std::string alias;
  std::string path;
  bool shared = true;
  bool read_only = false;
  File table_file;
  std::vector<uint8_t> data;  // the table file as read at open
  TableHeader header;
  std::vector<uint8_t> memo;  // the memo file, when the table has memo fields
  std::string memo_path;
  File index_file;
  std::string index_path;
  bool index_attached = false;
  std::vector<Order> orders;
  int order = 0;  // controlling order, 0 = record order
  // Cursor: position in the controlling order's sequence; count() means end of table.
  uint32_t pos = 0;
  bool bof = false;

  uint32_t count() const { return header.record_count; }
  bool eof() const { return pos >= count(); }
  uint32_t RecnoAt(uint32_t position) const {
    return order ? orders[size_t(order - 1)].recnos[position] : position + 1;
  }
  uint32_t recno() const { return eof() ? count() + 1 : RecnoAt(pos); }
  uint32_t PositionOfRecno(uint32_t recno) const {
    return order ? orders[size_t(order - 1)].PositionOf(recno) : recno - 1;
  }
  const uint8_t* record(uint32_t recno) const {
    return data.data() + header.header_length + size_t(recno - 1) * header.record_length;
  }
  void Reset();
};

Area& AreaAt(int n);  // 1..255
Area& Current();
int CurrentNumber();
void SetCurrentNumber(int n);

// The companion file of a table (".cdx", ".fpt"): an existing one in either case, else
// ".cdx" in lower case and ".fpt" in the case of the table's extension.
std::string CompanionPath(const std::string& table_path, const std::string& lower_ext);
// Reads the production index under a shared lock and loads its orders.
void OpenProductionIndex(Area& a);

// Raising helpers: each fills an Error, goes through xb::Raise and returns the answer.
void RaiseEmptyArea(const char* operation);
xb::Answer RaiseCorruption(xb::Error& e, const std::string& file, const std::string& what,
                           const char* operation);

// Counts the field errors raised so far; tag creation compares it around key runs.
extern uint64_t g_field_errors;

// Loads the orders of the index image into the area.
std::string LoadOrders(Area& a, const CdxFile& cdx);

}  // namespace tables
