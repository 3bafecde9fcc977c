#include "workbook/call_result.h"

#include <cmath>

namespace wb {

bool NameIs(std::string_view member, std::string_view lower_name) {
  if (member.size() != lower_name.size()) return false;
  for (size_t i = 0; i < member.size(); ++i) {
    char c = member[i];
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c != lower_name[i]) return false;
  }
  return true;
}

CallResult Ok(xb::Value value) {
  CallResult r;
  r.value = std::move(value);
  return r;
}

CallResult ObjectResult(std::shared_ptr<Dispatchable> object) {
  return Ok(xb::Value::FromObject(std::move(object)));
}

static CallResult Status(uint32_t status) {
  CallResult r;
  r.status = status;
  return r;
}

CallResult UnknownName() {
  return Status(kUnknownName);
}
CallResult MemberNotFound() {
  return Status(kMemberNotFound);
}
CallResult BadParamCount() {
  return Status(kBadParamCount);
}
CallResult TypeMismatch() {
  return Status(kTypeMismatch);
}

CallResult Failure(std::string description) {
  CallResult r = Status(kException);
  r.source = kServerName;
  r.description = std::move(description);
  r.scode = 0x800A03EC;  // the server's "application-defined" failure
  return r;
}

bool ArgInt(const std::vector<xb::Value>& args, size_t i, long* out) {
  if (i >= args.size()) return false;
  const xb::Value& v = args[i];
  if (v.IsNumber()) {
    const double d = v.number();
    if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 2147483647.0) return false;
    *out = long(d);
    return true;
  }
  if (v.IsLogical()) {
    *out = v.logical() ? -1 : 0;
    return true;
  }
  return false;
}

bool ArgText(const std::vector<xb::Value>& args, size_t i, std::string* out) {
  if (i >= args.size() || !args[i].IsText()) return false;
  *out = args[i].text();
  return true;
}

bool ArgBool(const std::vector<xb::Value>& args, size_t i, bool* out) {
  if (i >= args.size()) return false;
  if (args[i].IsLogical()) {
    *out = args[i].logical();
    return true;
  }
  if (args[i].IsNumber()) {
    *out = args[i].number() != 0;
    return true;
  }
  return false;
}

}  // namespace wb
