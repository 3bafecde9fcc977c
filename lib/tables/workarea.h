// The table engine "DBFCDX": dBASE tables (.dbf) with FoxPro compound indexes (.cdx)
// and memo files (.fpt), reached through numbered work areas 1..255.
//
// Contract:
//   - One work area is current; every call that names no area acts on it. An area
//     holds at most one open table, with at most one production index file.
//   - Failures go through xb::Raise and the caller only sees the outcome:
//       open refused:         21/1001, OS code (2 missing, 5 access, 32 sharing), file
//                             name, retry and default; default leaves the area empty.
//       index file trouble:   20/1006, OS code, file name, retry and default; default
//                             skips the tag.
//       command on an empty area: "DBCMD" 35/2001, the command's name as operation,
//                             default allowed (the call then does nothing).
//       damaged table:        32 "Corruption detected", the file name, what is wrong.
//       missing key field:    14 "Variable does not exist" (from FieldValue by name).
//       unusable key type:    33 "Data type error".
//   - On an empty area the queries answer without raising: record count 0, Eof() and
//     Bof() true, record number 0, no fields, empty alias.
//   - At end of table (past the last record) field values are empty: blanks of the
//     field's width, 0 with the field's decimals, the empty date, false, "".
//   - Deleted records are ordinary records: counted, indexed, visited.
//   - Orders are the tags of the production index in file order, numbered from 1;
//     order 0 is record-number order. Keys compare byte by byte, equal keys in
//     record-number order.
// Not thread-safe: the program's one thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/value.h"

namespace tables {

constexpr int kMaxAreas = 255;
constexpr int kMaxKeyLength = 240;
constexpr int kEmptyAreaSubCode = 2001;
constexpr int kOpenSubCode = 1001;
constexpr int kIndexCreateSubCode = 1006;

// --- Work areas -----------------------------------------------------------------

// Makes area n (1..255) current. Out of range raises 2 "Bound error".
void SelectArea(int area);
int CurrentArea();

struct OpenOptions {
  bool new_area = false;       // true: open into the lowest free area and select it
  std::string driver;          // empty: xb::DefaultDriver()
  std::string file;            // taken literally, relative to the working directory
  std::string alias;           // empty: upper-case file name without path and extension
  std::optional<bool> shared;  // unset: shared unless the exclusive setting is on
  bool read_only = false;
};

// Opens a table into the current (or a new) area, closing what was there, and opens
// its production index when the header marks one (no controlling order, first record).
// Returns false when the handler chose the default outcome (the area is then empty).
bool OpenTable(const OpenOptions& options);

// Closes the table of the current area, or of every area.
void CloseArea();
void CloseAll();

bool IsOpen();  // the current area holds a table
bool IsOpen(int area);

// The alias of the current area or of area n; empty when no table is open there.
std::string Alias();
std::string Alias(int area);
// The area whose alias is this (case-insensitive); 0 when none.
int AreaOfAlias(const std::string& alias);

// The full file name the table was opened with (empty when none).
std::string TableFileName();

// --- Orders -----------------------------------------------------------------------

// Computes the key of the current record (at end of table: of the empty record).
// Returns a C value (fixed-length character key), or N, D or L.
using KeyFunction = std::function<xb::Value()>;

// Creates (or replaces) a tag in the production index of the current area: the key is
// computed once for the empty record to learn its type and length, a tag of the same
// name is removed, the new one is appended to the tag list and built, the table header
// gets its production-index mark when the file was attached here, and the new tag
// becomes the controlling order with the area on its first record.
// index_file must be empty (only the production index is supported). The tag name is
// upper-cased and cut to 10 characters; key_text is stored exactly as given.
// Returns false when the tag was not created (a default answer).
bool CreateOrder(const std::string& index_file, const std::string& tag, const std::string& key_text,
                 KeyFunction key, bool unique = false);

// Makes order n the controlling order without moving the record pointer. A number
// beyond the order count selects record order.
void SetOrder(int order);
int CurrentOrder();  // 0 when record order (or no table)
int OrderCount();

// --- Navigation -------------------------------------------------------------------

void GoTop();
void GoBottom();
// Moves n records in the controlling order and returns the signed count moved.
// Forward past the last record leaves the area at end of table (the count excludes
// that step); backward before the first stops on the first record with Bof() true.
long Skip(long n = 1);
bool Bof();
bool Eof();
long RecNo();           // RecCount() + 1 at end of table; 0 on an empty area
void GoTo(long recno);  // out of range: end of table
long RecCount();        // records in the file, deleted ones included

// Grid navigation: the 1-based position of the current record in the controlling
// order (0 at end of table), the number of keys, and a jump to a position (clamped).
long KeyPosition();
long KeyCount();
void GoToKeyPosition(long position);

bool Deleted();  // the current record carries the deleted mark

// --- Fields -----------------------------------------------------------------------

int FieldCount();
// 1-based positions; out of range gives empty name / ' ' type / 0.
std::string FieldName(int position);
char FieldType(int position);
int FieldWidth(int position);
int FieldDecimals(int position);
int FieldPosition(const std::string& name);  // 0 when there is no such field

// The value of a field in the current record: C text (width as stored), N number with
// the field's decimals (F, I, B, Y as numbers too), D date, L logical, M memo text,
// T the date part. A missing field name raises 14 "Variable does not exist" (with
// substitution allowed, the answer is then the value).
xb::Value FieldValue(const std::string& name);
xb::Value FieldValue(int position);
// The same in the area whose alias is given; an unknown alias raises 15.
xb::Value FieldValueIn(const std::string& alias, const std::string& name);

// The table's code page from header byte 29 (437, 850, 1252, ...); 0 when unmarked or
// the mark is unknown. Callers convert stored OEM text with it.
int CodePage();
int CodePage(int area);

// --- Key helpers for tag closures ---------------------------------------------------
// Each reads the current record of the current area through FieldValue, so a missing
// field raises 14, and gives the right length at end of table.

// STR(field): the number right-aligned in the field's declared width and decimals.
KeyFunction KeyStr(const std::string& field);
// LOWER(field): the text with A-Z turned to a-z (other bytes untouched).
KeyFunction KeyLower(const std::string& field);
// The field's stored text as it is.
KeyFunction KeyField(const std::string& field);
// Concatenation of character keys.
KeyFunction KeyConcat(std::vector<KeyFunction> parts);

// Text helpers behind the key helpers.
std::string LowerAscii(std::string text);
std::string StrInWidth(double value, int width, int decimals);

// --- Queries of the error report ------------------------------------------------------

std::string DriverName(int area);  // "DBFCDX"; empty when no table
long RecNo(int area);
long RecCount(int area);
bool Bof(int area);
bool Eof(int area);
std::string OrderKeyText(int area, int order);  // empty when no such order
std::string OrderTagName(int area, int order);
int CurrentOrder(int area);
int RelationTarget(int area, int relation);        // no relations here: always 0
std::string RelationText(int area, int relation);  // always empty
std::vector<std::string> RegisteredDrivers();      // in registration order

// --- Network-error flag -------------------------------------------------------------

bool NetError();
void SetNetError(bool value);

}  // namespace tables
