// Opening and closing tables: the open retry loop, header validation, memo and
// production index files.
#include <cctype>

#include "runtime/call_chain.h"
#include "runtime/settings.h"
#include "tables/area.h"
#include "tables/memo_file.h"
#include "tables/workarea.h"

namespace tables {
namespace {

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

std::string Upper(std::string s) {
  for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Opens with the open-error retry loop; false when the default was chosen.
bool OpenWithRetry(File& f, const std::string& path, File::Mode mode, bool shared) {
  xb::Error e = xb::Error::Generic(xb::kErrOpen, kDriverName, kOpenSubCode);
  e.file_name = path;
  e.operation = "OPEN";
  e.can_retry = true;
  e.can_default = true;
  for (;;) {
    int code = f.Open(path, mode, shared);
    if (code == 0) return true;
    e.os_code = code;
    if (xb::Raise(e).resolution != xb::Resolution::kRetry) return false;
  }
}

// Reads the whole file; a short read is reported as corruption by the caller.
bool ReadWhole(const File& f, std::vector<uint8_t>& out) {
  return f.ReadAll(out);
}

bool LoadTable(Area& a) {
  xb::Error e;
  for (;;) {
    std::string what;
    if (!ReadWhole(a.table_file, a.data)) what = "the table could not be read";
    if (what.empty())
      what = ParseHeader(a.data.data(), a.data.size(), int64_t(a.data.size()), a.header);
    if (what.empty()) return true;
    if (RaiseCorruption(e, a.path, what, "OPEN").resolution != xb::Resolution::kRetry) return false;
  }
}

bool LoadMemo(Area& a) {
  if (!a.header.has_memo_fields()) return true;
  a.memo_path = CompanionPath(a.path, ".fpt");
  File memo;
  if (!OpenWithRetry(memo, a.memo_path, File::Mode::kRead, true)) return false;
  xb::Error e;
  for (;;) {
    std::string what;
    uint32_t block_size = 0;
    if (!memo.ReadAll(a.memo)) what = "the memo file could not be read";
    if (what.empty()) what = CheckMemoHeader(a.memo.data(), a.memo.size(), block_size);
    if (what.empty()) return true;
    if (RaiseCorruption(e, a.memo_path, what, "OPEN").resolution != xb::Resolution::kRetry)
      return false;
  }
}

}  // namespace

std::string CompanionPath(const std::string& table_path, const std::string& lower_ext) {
  size_t slash = table_path.find_last_of("/\\:");
  size_t dot = table_path.find_last_of('.');
  std::string stem = (dot != std::string::npos && (slash == std::string::npos || dot > slash))
                         ? table_path.substr(0, dot)
                         : table_path;
  std::string table_ext = stem.size() < table_path.size() ? table_path.substr(stem.size()) : "";
  std::string upper_ext = Upper(lower_ext);
  // Index files are named in lower case; memo files follow the table's extension,
  // which is where other readers look for them. An existing file in the other case is
  // used as it is (on file systems that tell case apart).
  bool upper = !table_ext.empty() && table_ext == Upper(table_ext) && lower_ext != ".cdx";
  const std::string preferred = stem + (upper ? upper_ext : lower_ext);
  const std::string other = stem + (upper ? lower_ext : upper_ext);
  if (!FileExists(preferred) && FileExists(other)) return other;
  return preferred;
}

void OpenProductionIndex(Area& a) {
  a.index_path = CompanionPath(a.path, ".cdx");
  if (!(a.header.table_flags & kProductionIndexFlag) || !FileExists(a.index_path)) return;
  File::Mode mode = a.read_only ? File::Mode::kRead : File::Mode::kReadWrite;
  if (!OpenWithRetry(a.index_file, a.index_path, mode, true)) return;
  a.index_attached = true;
  xb::Error e;
  for (;;) {
    std::vector<uint8_t> bytes;
    a.index_file.LockRebuild(false);
    bool read = a.index_file.ReadAll(bytes);
    a.index_file.UnlockRebuild();
    if (read && bytes.empty()) return;  // an empty file holds no tags yet
    CdxFile cdx;
    std::string what = read ? ParseCdx(std::move(bytes), cdx) : "the index could not be read";
    if (what.empty()) what = LoadOrders(a, cdx);
    if (what.empty()) return;
    a.orders.clear();
    if (RaiseCorruption(e, a.index_path, what, "OPEN").resolution != xb::Resolution::kRetry)
      return;  // the table stays open without orders; creating a tag starts afresh
  }
}

bool OpenTable(const OpenOptions& o) {
  XB_PROC("OPENTABLE");
  if (o.new_area) {
    int free_area = 0;
    for (int n = 1; n <= kMaxAreas && !free_area; ++n)
      if (!AreaAt(n).open) free_area = n;
    if (!free_area) {
      xb::Error e = xb::Error::Generic(xb::kErrLimit, kDriverName, 1001);
      e.operation = "OPEN";
      e.can_default = true;
      xb::Raise(e);
      return false;
    }
    SetCurrentNumber(free_area);
  }
  Area& a = Current();
  a.Reset();
  const std::string driver = o.driver.empty() ? xb::DefaultDriver() : o.driver;
  if (Upper(driver) != kDriverName) {
    xb::Error e = xb::Error::Generic(xb::kErrUnsupported, kDriverName, 1015);
    e.operation = "OPEN";
    e.args = xb::Value::FromArray({xb::Value::Text(driver)});
    e.can_default = true;
    xb::Raise(e);
    return false;
  }
  a.path = o.file;
  a.shared = o.shared.has_value() ? *o.shared : !xb::GetLogical(xb::kSetExclusive);
  a.read_only = o.read_only;
  File::Mode mode = a.read_only ? File::Mode::kRead : File::Mode::kReadWrite;
  if (!OpenWithRetry(a.table_file, a.path, mode, a.shared) || !LoadTable(a) || !LoadMemo(a)) {
    a.Reset();
    return false;
  }
  a.alias = o.alias.empty() ? Upper(BaseName(o.file)) : Upper(o.alias);
  a.open = true;
  OpenProductionIndex(a);
  a.order = 0;
  a.pos = 0;
  a.bof = a.count() == 0;
  return true;
}

void CloseArea() {
  Current().Reset();
}

void CloseAll() {
  for (int n = 1; n <= kMaxAreas; ++n) AreaAt(n).Reset();
  SetCurrentNumber(1);
}

}  // namespace tables
