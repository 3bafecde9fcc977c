// Creating a tag in the production index: probe the key, compute and sort every key,
// then rewrite the index file under its rebuild lock, keeping the other tags.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "runtime/call_chain.h"
#include "tables/area.h"
#include "tables/key_sort.h"
#include "tables/workarea.h"

namespace tables {
namespace {

struct KeyShape {
  char type = 'C';
  int length = 0;
  uint8_t pad = ' ';
};

// The key bytes of one value; false when the value does not have the probed type.
bool KeyBytes(const xb::Value& v, const KeyShape& shape, uint8_t* out) {
  switch (shape.type) {
    case 'C': {
      if (!v.IsText()) return false;
      const std::string& s = v.text();
      std::memset(out, ' ', size_t(shape.length));
      std::memcpy(out, s.data(), std::min(s.size(), size_t(shape.length)));
      return true;
    }
    case 'N':
      if (!v.IsNumber()) return false;
      std::memcpy(out, NumberKey(v.number()).data(), 8);
      return true;
    case 'D':
      if (!v.IsDate()) return false;
      std::memcpy(out, NumberKey(double(v.date().julian)).data(), 8);
      return true;
    case 'L':
      if (!v.IsLogical()) return false;
      out[0] = v.logical() ? 'T' : 'F';
      return true;
  }
  return false;
}

bool RaiseKeyType(const char* what) {
  xb::Error e = xb::Error::Generic(xb::kErrDataType, kDriverName, kKeyTypeSubCode);
  e.operation = "CREATEORDER";
  e.description = xb::Value::Text(xb::GenericDescription(xb::kErrDataType) + ": " + what);
  e.can_default = true;
  xb::Raise(e);
  return false;
}

// Step 1: the key of the empty record gives type and length.
bool ProbeKey(Area& a, const KeyFunction& key, KeyShape& shape) {
  uint32_t saved = a.pos;
  a.pos = a.count();
  uint64_t errors = g_field_errors;
  xb::Value v = key();
  a.pos = saved;
  if (g_field_errors != errors) return false;
  if (v.IsText()) {
    shape = {'C', std::min<int>(int(v.text().size()), kMaxKeyLength), ' '};
    if (shape.length == 0) return RaiseKeyType("the key is empty");
  } else if (v.IsNumber()) {
    shape = {'N', 8, 0};
  } else if (v.IsDate()) {
    shape = {'D', 8, 0};
  } else if (v.IsLogical()) {
    shape = {'L', 1, ' '};
  } else {
    return RaiseKeyType("the key is not character, number, date or logical");
  }
  return true;
}

// Step 4 (first half): one key per record, sorted by key bytes, then record number.
bool ComputeKeys(Area& a, const KeyFunction& key, const KeyShape& shape, bool unique,
                 std::vector<uint8_t>& keys, std::vector<uint32_t>& recnos) {
  const uint32_t n = a.count();
  const size_t len = size_t(shape.length);
  keys.assign(size_t(n) * len, 0);
  uint32_t saved_pos = a.pos;
  int saved_order = a.order;
  a.order = 0;
  uint64_t errors = g_field_errors;
  bool ok = true;
  for (uint32_t r = 0; r < n && ok; ++r) {
    a.pos = r;
    if (!KeyBytes(key(), shape, keys.data() + r * len))
      ok = RaiseKeyType("the key changes its type");
    if (g_field_errors != errors) ok = false;
  }
  a.pos = saved_pos;
  a.order = saved_order;
  if (!ok) return false;
  const std::vector<uint32_t> index = SortKeys(keys.data(), len, n);
  const uint8_t* k = keys.data();
  std::vector<uint8_t> sorted;
  sorted.reserve(keys.size());
  recnos.clear();
  recnos.reserve(n);
  for (uint32_t i : index) {
    const uint8_t* kk = k + i * len;
    if (unique && !recnos.empty() && std::memcmp(sorted.data() + sorted.size() - len, kk, len) == 0)
      continue;
    sorted.insert(sorted.end(), kk, kk + len);
    recnos.push_back(i + 1);
  }
  keys.swap(sorted);
  return true;
}

// Step 2: the production index file, opened (created when missing) with retry.
bool AttachIndex(Area& a, bool& attached_now) {
  attached_now = false;
  if (a.index_attached) return true;
  a.index_path = CompanionPath(a.path, ".cdx");
  xb::Error e = xb::Error::Generic(xb::kErrCreate, kDriverName, kIndexCreateSubCode);
  e.file_name = a.index_path;
  e.operation = "CREATEORDER";
  e.can_retry = true;
  e.can_default = true;
  for (;;) {
    int code = a.read_only ? 5 : a.index_file.Open(a.index_path, File::Mode::kCreate, a.shared);
    if (code == 0) break;
    e.os_code = code;
    if (xb::Raise(e).resolution != xb::Resolution::kRetry) return false;
  }
  a.index_attached = true;
  attached_now = true;
  return true;
}

std::string UpperTag(const std::string& tag) {
  std::string t = tag.substr(0, kTagNameLength);
  for (char& c : t) c = char(std::toupper(static_cast<unsigned char>(c)));
  while (!t.empty() && t.back() == ' ') t.pop_back();
  return t;
}

// Steps 3 and 4 (second half): under the exclusive rebuild lock, read the file as it is
// now (another process may have changed it), drop the tag of the same name, append the
// new one and write the whole file back. Returns the file as written.
bool RewriteIndex(Area& a, const NewTag& add, CdxFile& written) {
  xb::Error e = xb::Error::Generic(xb::kErrWrite, kDriverName, kWriteSubCode);
  e.file_name = a.index_path;
  e.operation = "CREATEORDER";
  e.can_retry = true;
  e.can_default = true;
  for (;;) {
    a.index_file.LockRebuild(true);
    std::vector<uint8_t> bytes;
    CdxFile old;
    bool have_old = a.index_file.ReadAll(bytes) && !bytes.empty() &&
                    ParseCdx(std::move(bytes), old).empty();  // else started afresh
    std::vector<size_t> keep;
    if (have_old)
      for (size_t i = 0; i < old.tags.size(); ++i)
        if (old.tags[i].name != add.name) keep.push_back(i);
    std::vector<uint8_t> image = BuildCdx(have_old ? &old : nullptr, keep, add);
    bool ok = a.index_file.WriteAt(0, image.data(), image.size()) &&
              a.index_file.Truncate(int64_t(image.size()));
    a.index_file.UnlockRebuild();
    if (ok) {
      // Our own image always parses; a failure here is a fault worth telling.
      std::string why = ParseCdx(std::move(image), written);
      if (why.empty()) return true;
      xb::Error c;
      if (RaiseCorruption(c, a.index_path, why, "CREATEORDER").resolution != xb::Resolution::kRetry)
        return false;
      continue;
    }
    if (xb::Raise(e).resolution != xb::Resolution::kRetry) return false;
  }
}

// Step 5: the production-index mark, the only write to a table file.
void MarkProductionIndex(Area& a) {
  if (a.read_only || (a.header.table_flags & kProductionIndexFlag)) return;
  uint8_t flags = uint8_t(a.header.table_flags | kProductionIndexFlag);
  if (a.table_file.WriteAt(kTableFlagsOffset, &flags, 1)) {
    a.header.table_flags = flags;
    a.data[kTableFlagsOffset] = flags;
  }
}

}  // namespace

bool CreateOrder(const std::string& index_file, const std::string& tag, const std::string& key_text,
                 KeyFunction key, bool unique) {
  XB_PROC("CREATEORDER");
  Area& a = Current();
  if (!a.open) {
    RaiseEmptyArea("CREATEORDER");
    return false;
  }
  if (!index_file.empty() || !key) {
    xb::Error e = xb::Error::Generic(xb::kErrUnsupported, kDriverName, 1006);
    e.operation = "CREATEORDER";
    e.file_name = index_file;
    e.can_default = true;
    xb::Raise(e);
    return false;
  }
  KeyShape shape;
  if (!ProbeKey(a, key, shape)) return false;
  bool attached_now = false;
  if (!AttachIndex(a, attached_now)) return false;
  std::vector<uint8_t> keys;
  std::vector<uint32_t> recnos;
  if (!ComputeKeys(a, key, shape, unique, keys, recnos)) return false;
  NewTag add;
  add.name = UpperTag(tag);
  add.key_text = key_text.substr(0, 250);
  add.key_length = shape.length;
  add.pad = shape.pad;
  add.unique = unique;
  add.keys = keys.data();
  add.recnos = recnos.data();
  add.count = recnos.size();
  add.max_recno = a.count();
  CdxFile written;
  if (!RewriteIndex(a, add, written)) return false;
  keys.clear();
  keys.shrink_to_fit();
  std::vector<Order> orders;
  for (const auto& t : written.tags) {
    Order o;
    o.tag = t.name;
    o.key_text = t.key_text;
    if (&t == &written.tags.back() && t.name == add.name) {
      o.recnos = std::move(recnos);
    } else if (!TagRecords(written, t, a.count(), o.recnos).empty()) {
      o.recnos.clear();  // a kept tag out of step with this table: no records of its own
    }
    orders.push_back(std::move(o));
  }
  a.orders = std::move(orders);
  if (attached_now) MarkProductionIndex(a);
  a.order = int(a.orders.size());
  a.pos = 0;
  if (a.pos >= a.orders.back().recnos.size()) a.pos = a.count();
  a.bof = a.count() == 0;
  return true;
}

}  // namespace tables
