// Small helpers for the members of the engine's objects: name matching, results and
// argument conversion.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/dispatch.h"

namespace wb {

// The name of the server as its exceptions give it.
inline constexpr const char* kServerName = "xlsamples workbook engine";

// Case-insensitive comparison with a lower-case member name.
bool NameIs(std::string_view member, std::string_view lower_name);

inline bool IsRead(CallKind kind) {
  return kind != CallKind::kPut;
}

CallResult Ok(xb::Value value = xb::Value());
CallResult ObjectResult(std::shared_ptr<Dispatchable> object);
CallResult UnknownName();
CallResult MemberNotFound();
CallResult BadParamCount();
CallResult TypeMismatch();
CallResult Failure(std::string description);

// A whole number argument (a number with no fraction).
bool ArgInt(const std::vector<xb::Value>& args, size_t i, long* out);
bool ArgText(const std::vector<xb::Value>& args, size_t i, std::string* out);
// A logical, or a number (non-zero is true).
bool ArgBool(const std::vector<xb::Value>& args, size_t i, bool* out);
inline bool HasArg(const std::vector<xb::Value>& args, size_t i) {
  return i < args.size() && !args[i].IsNil();
}

}  // namespace wb
