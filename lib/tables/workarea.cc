// Work-area selection, navigation, field access and the queries of the error report.
#include "tables/workarea.h"

#include <cstring>

#include "tables/area.h"
#include "tables/memo_file.h"

namespace tables {
namespace {

bool ValidArea(int n) {
  return n >= 1 && n <= kMaxAreas;
}

// The area for a command: raises on an empty area and answers false then.
Area* ForCommand(const char* operation) {
  Area& a = Current();
  if (a.open) return &a;
  RaiseEmptyArea(operation);
  return nullptr;
}

const Area* Named(int n) {
  return ValidArea(n) && AreaAt(n).open ? &AreaAt(n) : nullptr;
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

xb::Value ReadField(Area& a, int position) {
  const FieldInfo& f = a.header.fields[size_t(position - 1)];
  if (a.eof()) return EmptyValue(f);
  const uint8_t* raw = a.record(a.recno()) + f.offset;
  bool binary = a.header.binary_memo_pointers();
  if (f.type != 'M' && f.type != 'G' && f.type != 'P') return DecodeField(f, raw, binary);
  uint32_t block = MemoBlock(f, raw, binary);
  xb::Error e;
  for (;;) {
    std::string text;
    std::string what = ReadMemo(a.memo.data(), a.memo.size(), block, text);
    if (what.empty()) return xb::Value::Memo(std::move(text));
    xb::Answer answer = RaiseCorruption(e, a.memo_path, what, "FIELDGET");
    if (answer.resolution != xb::Resolution::kRetry) return xb::Value::Memo("");
  }
}

}  // namespace

void SelectArea(int area) {
  if (!ValidArea(area)) {
    xb::Error e = xb::Error::Generic(xb::kErrBound, "DBCMD", kEmptyAreaSubCode);
    e.operation = "SELECT";
    e.args = xb::Value::FromArray({xb::Value::Number(area)});
    e.can_default = true;
    xb::Raise(e);
    return;
  }
  SetCurrentNumber(area);
}

int CurrentArea() {
  return CurrentNumber();
}
bool IsOpen() {
  return Current().open;
}
bool IsOpen(int area) {
  return Named(area) != nullptr;
}
std::string Alias() {
  return Current().alias;
}
std::string Alias(int area) {
  return Named(area) ? AreaAt(area).alias : std::string();
}
std::string TableFileName() {
  return Current().open ? Current().path : std::string();
}

int AreaOfAlias(const std::string& alias) {
  for (int n = 1; n <= kMaxAreas; ++n)
    if (AreaAt(n).open && SameName(AreaAt(n).alias, alias)) return n;
  return 0;
}

// ---- Orders -------------------------------------------------------------------------

void SetOrder(int order) {
  Area* a = ForCommand("SETORDER");
  if (!a) return;
  uint32_t recno = a->recno();
  bool at_end = a->eof();
  a->order = (order >= 1 && order <= int(a->orders.size())) ? order : 0;
  a->pos = at_end ? a->count() : a->PositionOfRecno(recno);
  if (a->order && a->pos >= a->orders[size_t(a->order - 1)].recnos.size()) a->pos = a->count();
}

int CurrentOrder() {
  return Current().open ? Current().order : 0;
}
int OrderCount() {
  return Current().open ? int(Current().orders.size()) : 0;
}

// ---- Navigation ---------------------------------------------------------------------

namespace {
// Records visible in the controlling order (a condition or unique tag may hold fewer).
uint32_t SequenceSize(const Area& a) {
  return a.order ? uint32_t(a.orders[size_t(a.order - 1)].recnos.size()) : a.count();
}
// Moves to a position; positions at or past the sequence end mean end of table.
void Place(Area& a, uint32_t position) {
  a.pos = position < SequenceSize(a) ? position : a.count();
}
}  // namespace

void GoTop() {
  if (Area* a = ForCommand("GOTOP")) {
    Place(*a, 0);
    a->bof = SequenceSize(*a) == 0;
  }
}

void GoBottom() {
  if (Area* a = ForCommand("GOBOTTOM")) {
    uint32_t n = SequenceSize(*a);
    Place(*a, n ? n - 1 : 0);
    a->bof = n == 0;
  }
}

long Skip(long n) {
  Area* a = ForCommand("SKIP");
  if (!a) return 0;
  const long size = long(SequenceSize(*a));
  a->bof = size == 0;
  if (size == 0 || n == 0) return 0;
  long here = a->eof() ? size : long(a->pos);
  if (n > 0) {
    if (here >= size) return 0;
    long target = here + n;
    if (target >= size) {
      Place(*a, uint32_t(size));
      return size - 1 - here;
    }
    Place(*a, uint32_t(target));
    return n;
  }
  long target = here + n;
  if (target < 0) {
    Place(*a, 0);
    a->bof = true;
    return -here;
  }
  Place(*a, uint32_t(target));
  return n;
}

bool Bof() {
  return Current().open ? Current().bof : true;
}
bool Eof() {
  return Current().open ? Current().eof() : true;
}
long RecNo() {
  return Current().open ? long(Current().recno()) : 0;
}
long RecCount() {
  return Current().open ? long(Current().count()) : 0;
}

void GoTo(long recno) {
  Area* a = ForCommand("GOTO");
  if (!a) return;
  a->bof = false;
  if (recno < 1 || recno > long(a->count())) {
    a->pos = a->count();
    return;
  }
  Place(*a, a->PositionOfRecno(uint32_t(recno)));
}

long KeyPosition() {
  const Area& a = Current();
  return a.open && !a.eof() ? long(a.pos) + 1 : 0;
}

long KeyCount() {
  return Current().open ? long(SequenceSize(Current())) : 0;
}

void GoToKeyPosition(long position) {
  Area* a = ForCommand("GOTOKEY");
  if (!a) return;
  long size = long(SequenceSize(*a));
  a->bof = size == 0;
  if (size == 0) return;
  if (position < 1) position = 1;
  if (position > size) position = size;
  Place(*a, uint32_t(position - 1));
}

bool Deleted() {
  const Area& a = Current();
  return a.open && !a.eof() && a.record(a.recno())[0] == '*';
}

// ---- Fields -------------------------------------------------------------------------

int FieldCount() {
  return Current().open ? int(Current().header.fields.size()) : 0;
}

namespace {
const FieldInfo* FieldAt(int position) {
  const Area& a = Current();
  if (!a.open || position < 1 || position > int(a.header.fields.size())) return nullptr;
  return &a.header.fields[size_t(position - 1)];
}
}  // namespace

std::string FieldName(int position) {
  const FieldInfo* f = FieldAt(position);
  return f ? f->name : std::string();
}
char FieldType(int position) {
  const FieldInfo* f = FieldAt(position);
  return f ? f->type : ' ';
}
int FieldWidth(int position) {
  const FieldInfo* f = FieldAt(position);
  return f ? f->width : 0;
}
int FieldDecimals(int position) {
  const FieldInfo* f = FieldAt(position);
  return f ? f->decimals : 0;
}

int FieldPosition(const std::string& name) {
  const Area& a = Current();
  if (!a.open) return 0;
  // Names are stored in upper case, and callers mostly ask that way: exact match first.
  for (size_t i = 0; i < a.header.fields.size(); ++i)
    if (a.header.fields[i].name == name) return int(i) + 1;
  std::string want = name;
  while (!want.empty() && want.back() == ' ') want.pop_back();
  for (size_t i = 0; i < a.header.fields.size(); ++i)
    if (SameName(a.header.fields[i].name, want)) return int(i) + 1;
  return 0;
}

xb::Value FieldValue(int position) {
  Area& a = Current();
  if (!a.open) {
    RaiseEmptyArea("FIELDGET");
    return xb::Value();
  }
  if (position < 1 || position > int(a.header.fields.size())) {
    xb::Error e = xb::Error::Generic(xb::kErrBound, kDriverName, 1009);
    e.operation = "FIELDGET";
    e.args = xb::Value::FromArray({xb::Value::Number(position)});
    e.can_default = true;
    xb::Raise(e);
    return xb::Value();
  }
  return ReadField(a, position);
}

xb::Value FieldValue(const std::string& name) {
  int position = FieldPosition(name);
  if (position) return ReadField(Current(), position);
  ++g_field_errors;
  xb::Error e = xb::Error::Generic(xb::kErrNoVar, "BASE", kFieldSubCode);
  e.operation = name;
  e.can_default = true;
  e.can_substitute = false;
  xb::Raise(e);
  return xb::Value();
}

xb::Value FieldValueIn(const std::string& alias, const std::string& name) {
  int area = AreaOfAlias(alias);
  if (!area) {
    xb::Error e = xb::Error::Generic(xb::kErrNoAlias, "BASE", 1002);
    e.operation = alias;
    e.can_default = true;
    xb::Raise(e);
    return xb::Value();
  }
  int saved = CurrentNumber();
  SetCurrentNumber(area);
  xb::Value v = FieldValue(name);
  SetCurrentNumber(saved);
  return v;
}

int CodePage() {
  return Current().open ? CodePageOfMark(Current().header.code_page_mark) : 0;
}
int CodePage(int area) {
  const Area* a = Named(area);
  return a ? CodePageOfMark(a->header.code_page_mark) : 0;
}

// ---- Queries of the error report ----------------------------------------------------

std::string DriverName(int area) {
  return Named(area) ? kDriverName : "";
}
long RecNo(int area) {
  return Named(area) ? long(AreaAt(area).recno()) : 0;
}
long RecCount(int area) {
  return Named(area) ? long(AreaAt(area).count()) : 0;
}
bool Bof(int area) {
  return Named(area) ? AreaAt(area).bof : true;
}
bool Eof(int area) {
  return Named(area) ? AreaAt(area).eof() : true;
}

std::string OrderKeyText(int area, int order) {
  const Area* a = Named(area);
  if (!a || order < 1 || order > int(a->orders.size())) return {};
  return a->orders[size_t(order - 1)].key_text;
}

std::string OrderTagName(int area, int order) {
  const Area* a = Named(area);
  if (!a || order < 1 || order > int(a->orders.size())) return {};
  return a->orders[size_t(order - 1)].tag;
}

int CurrentOrder(int area) {
  return Named(area) ? AreaAt(area).order : 0;
}
int RelationTarget(int, int) {
  return 0;
}
std::string RelationText(int, int) {
  return {};
}
std::vector<std::string> RegisteredDrivers() {
  return {kDriverName};
}

namespace {
bool g_net_error = false;
}
bool NetError() {
  return g_net_error;
}
void SetNetError(bool value) {
  g_net_error = value;
}

}  // namespace tables
