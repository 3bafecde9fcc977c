#include "automation/ole_auto.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "automation/server.h"
#include "automation/status_names.h"
#include "runtime/error.h"

namespace automation {

namespace {

constexpr int kAutomationGenCode = 1001;

std::string Capitals(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Only "this member has no such kind" moves on to the next kind; any other answer is
// the member's own (repeating a call that failed inside the server would repeat its
// side effects).
bool TryNextKind(const wb::CallResult& r) {
  return r.status == wb::kMemberNotFound;
}

wb::CallResult UseKinds(wb::Dispatchable& server, std::string_view member,
                        const std::vector<xb::Value>& args) {
  wb::CallResult r = server.Invoke(member, wb::CallKind::kMethod, args);
  if (!TryNextKind(r)) return r;
  r = server.Invoke(member, wb::CallKind::kGet, args);
  if (!TryNextKind(r) || args.empty()) return r;
  return server.Invoke(member, wb::CallKind::kPut, args);
}

std::shared_ptr<wb::Dispatchable> AsServer(const xb::Value& v) {
  if (!v.IsObject() || !v.object() || !v.object()->Dispatches()) return nullptr;
  return std::static_pointer_cast<wb::Dispatchable>(v.object());
}

// Spare argument vectors. Kept for the life of the program (never destroyed, so a use
// from an exit procedure finds it intact); like the objects, used from one thread.
std::vector<std::vector<xb::Value>>& SpareArgs() {
  static auto* spare = new std::vector<std::vector<xb::Value>>();
  return *spare;
}
constexpr size_t kMaxSpareArgs = 16;
constexpr size_t kMaxKeptCapacity = 16;

// Whole numbers within 32 bits go as integers (no decimals); a fraction, or a whole
// number beyond 32 bits, as a double that keeps its digits.
void NormalizeNumber(xb::Value& v) {
  if (!v.IsNumber()) return;
  const double n = v.number();
  const bool whole = std::isfinite(n) && std::floor(n) == n &&
                     n >= std::numeric_limits<int32_t>::min() &&
                     n <= std::numeric_limits<int32_t>::max();
  const int decimals = whole ? 0 : (v.decimals() > 0 ? v.decimals() : 1);
  if (v.decimals() != decimals) v = xb::Value::Number(n, decimals);
}

// Hands the failure to the error handler; its substitute is the result.
xb::Value RaiseFailure(const std::string& object_name, std::string operation,
                       const wb::CallResult& r, const std::vector<xb::Value>& args) {
  xb::Error e = xb::Error::Generic(kAutomationGenCode, object_name, 0);
  const bool has_own_code = r.status == wb::kException && r.scode != 0;
  const uint32_t code = has_own_code ? r.scode : r.status;
  e.sub_code = xb::Value::Number(static_cast<double>(code & 0xFFFFu), 0);
  std::string text = r.status == wb::kException ? r.description : std::string();
  if (text.empty()) text = StatusName(r.status);
  if (text.empty()) text = xb::GenericDescription(0);
  e.description = xb::Value::Text(text);
  e.operation = std::move(operation);
  e.args = xb::Value::FromArray(args);
  e.can_substitute = true;
  xb::Answer answer = xb::Raise(e);
  return answer.resolution == xb::Resolution::kSubstitute ? answer.value : xb::Value();
}

}  // namespace

xb::Value ToArg(int n) {
  return xb::Value::Number(n, 0);
}
xb::Value ToArg(long n) {
  return xb::Value::Number(static_cast<double>(n), 0);
}
xb::Value ToArg(double n) {
  return xb::Value::Number(n);
}
xb::Value ToArg(bool b) {
  return xb::Value::Logical(b);
}
xb::Value ToArg(const char* s) {
  return xb::Value::Text(s);
}
xb::Value ToArg(const std::string& s) {
  return xb::Value::Text(s);
}
xb::Value ToArg(const xb::Value& v) {
  return v;
}
xb::Value ToArg(const OleAuto& o) {
  return o.valid() ? xb::Value::FromObject(o.server()) : xb::Value();
}

xb::Value NormalizeArg(const xb::Value& v) {
  xb::Value n = v;
  NormalizeNumber(n);
  return n;
}

ArgList::ArgList() {
  std::vector<std::vector<xb::Value>>& spare = SpareArgs();
  if (!spare.empty()) {
    values_.swap(spare.back());
    spare.pop_back();
  }
}

ArgList::~ArgList() {
  values_.clear();
  std::vector<std::vector<xb::Value>>& spare = SpareArgs();
  if (values_.capacity() > 0 && values_.capacity() <= kMaxKeptCapacity &&
      spare.size() < kMaxSpareArgs) {
    spare.emplace_back().swap(values_);
  }
}

void ArgList::Add(xb::Value v) {
  NormalizeNumber(v);
  values_.push_back(std::move(v));
}

OleAuto::OleAuto(std::shared_ptr<wb::Dispatchable> server, std::string name)
    : server_(std::move(server)), name_(std::move(name)) {}

OleAuto OleAuto::New(const std::string& prog_id) {
  Created c = CreateServer(prog_id);
  if (c.server) return OleAuto(c.server, prog_id);
  xb::Error e = xb::Error::Generic(kAutomationGenCode, "TOleAuto", -1);
  std::string text = StatusName(c.status);
  e.description = xb::Value::Text(text.empty() ? xb::GenericDescription(0) : text);
  e.args = xb::Value::FromArray({xb::Value::Text(prog_id)});
  e.can_substitute = true;
  xb::Answer answer = xb::Raise(e);
  return OleAuto(AsServer(answer.value), prog_id);
}

void OleAuto::SetValue(std::string_view member, const xb::Value& value) {
  ArgList args;
  args.Add(value);
  Put(member, args);
}

void OleAuto::Put(std::string_view member, const ArgList& list) {
  const std::vector<xb::Value>& args = list.values();
  wb::CallResult r;
  if (server_) {
    r = server_->Invoke(member, wb::CallKind::kPut, args);
    if (r.ok()) return;
    std::shared_ptr<wb::Dispatchable> inner = AsServer(server_->DefaultValue());
    if (inner && inner->Invoke(member, wb::CallKind::kPut, args).ok()) return;
  } else {
    r.status = wb::kException;
    r.description = "No object";
  }
  RaiseFailure(name_.empty() ? "TOleAuto" : name_, "_" + Capitals(member), r, args);
}

xb::Value OleAuto::InvokeArgs(std::string_view member, const std::vector<xb::Value>& raw) {
  ArgList args;
  for (const xb::Value& a : raw) args.Add(a);
  return Use(member, args);
}

xb::Value OleAuto::Use(std::string_view member, const ArgList& list) {
  const std::vector<xb::Value>& args = list.values();
  wb::CallResult r;
  if (server_) {
    r = UseKinds(*server_, member, args);
    if (r.ok()) return std::move(r.value);
    if (std::shared_ptr<wb::Dispatchable> inner = AsServer(server_->DefaultValue())) {
      wb::CallResult again = UseKinds(*inner, member, args);
      if (again.ok()) return std::move(again.value);
    }
  } else {
    r.status = wb::kException;
    r.description = "No object";
  }
  return RaiseFailure(name_.empty() ? "TOleAuto" : name_, Capitals(member), r, args);
}

OleAuto OleAuto::ObjArgs(std::string_view member, const std::vector<xb::Value>& raw) {
  ArgList args;
  for (const xb::Value& a : raw) args.Add(a);
  return Child(member, args);
}

OleAuto OleAuto::Child(std::string_view member, const ArgList& args) {
  const xb::Value v = Use(member, args);
  std::string child;
  child.reserve(name_.size() + 1 + member.size());
  child.append(name_).append(1, ':').append(member);
  return OleAuto(AsServer(v), std::move(child));
}

}  // namespace automation
