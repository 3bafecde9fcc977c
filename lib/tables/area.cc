#include "tables/area.h"

#include "runtime/call_chain.h"

#include <algorithm>
#include <array>

#include "tables/workarea.h"

namespace tables {

uint64_t g_field_errors = 0;

namespace {
std::array<Area, kMaxAreas + 1> g_areas;
int g_current = 1;
}  // namespace

Area& AreaAt(int n) {
  return g_areas[size_t(n)];
}
Area& Current() {
  return g_areas[size_t(g_current)];
}
int CurrentNumber() {
  return g_current;
}

void SetCurrentNumber(int n) {
  g_current = n;
}

uint32_t Order::PositionOf(uint32_t recno) const {
  if (where_.empty()) {
    uint32_t max = 0;
    for (uint32_t r : recnos) max = std::max(max, r);
    where_.assign(size_t(max) + 1, UINT32_MAX);
    for (uint32_t i = 0; i < recnos.size(); ++i) where_[recnos[i]] = i;
  }
  if (recno >= where_.size() || where_[recno] == UINT32_MAX) return uint32_t(recnos.size());
  return where_[recno];
}

void Area::Reset() {
  table_file.Close();
  index_file.Close();
  *this = Area{};
}

void RaiseEmptyArea(const char* operation) {
  XB_PROC(operation);  // the command that was running is a level of the call chain
  xb::Error e = xb::Error::Generic(xb::kErrNoTable, "DBCMD", kEmptyAreaSubCode);
  e.operation = operation;
  e.can_default = true;
  xb::Raise(e);
}

xb::Answer RaiseCorruption(xb::Error& e, const std::string& file, const std::string& what,
                           const char* operation) {
  e.gen_code = xb::kErrCorruption;
  e.sub_system = xb::Value::Text(kDriverName);
  e.sub_code = xb::Value::Number(kCorruptionSubCode);
  e.description = xb::Value::Text(xb::GenericDescription(xb::kErrCorruption) + ": " + what);
  e.file_name = file;
  e.operation = operation;
  e.can_retry = true;
  e.can_default = true;
  return xb::Raise(e);
}

std::string LoadOrders(Area& a, const CdxFile& cdx) {
  std::vector<Order> orders;
  for (const auto& t : cdx.tags) {
    Order o;
    o.tag = t.name;
    o.key_text = t.key_text;
    if (auto why = TagRecords(cdx, t, a.count(), o.recnos); !why.empty()) return why;
    orders.push_back(std::move(o));
  }
  a.orders = std::move(orders);
  return {};
}

}  // namespace tables
