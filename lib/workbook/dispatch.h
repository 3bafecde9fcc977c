// The late-bound call interface of the built-in workbook engine. Every object of its
// model (application, workbooks, workbook, sheets, sheet, range, font, interior,
// borders, window) answers Invoke like an automation server's IDispatch:
//   - member names are case-insensitive;
//   - kind kMethod, kGet or kPut, as the caller asks (the automation layer tries a
//     method, then a property read, then, given arguments, a put);
//   - arguments are run-time values: texts, numbers (whole numbers as 32-bit integers,
//     fractions as doubles), logicals, or objects of this model;
//   - the result is a value; an object comes back as a value of type O whose object is
//     a Dispatchable.
// A failure is reported with the COM status a server would give: kUnknownName for a
// member the object does not have, kMemberNotFound for a kind the member does not
// support, kException with a source and description for a failure inside a member
// (a save that cannot be written, a sheet past the file format's limits).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/value.h"

namespace wb {

enum class CallKind { kMethod, kGet, kPut };

// The COM status codes, as unsigned 32-bit values.
constexpr uint32_t kOk = 0;
constexpr uint32_t kMemberNotFound = 0x80020003;  // DISP_E_MEMBERNOTFOUND
constexpr uint32_t kUnknownName = 0x80020006;     // DISP_E_UNKNOWNNAME
constexpr uint32_t kException = 0x80020009;       // DISP_E_EXCEPTION
constexpr uint32_t kTypeMismatch = 0x80020005;    // DISP_E_TYPEMISMATCH
constexpr uint32_t kBadParamCount = 0x8002000E;   // DISP_E_BADPARAMCOUNT

struct CallResult {
  uint32_t status = kOk;
  xb::Value value;          // the result; nil for none
  std::string source;       // for kException: the server's name
  std::string description;  // for kException: the server's text
  uint32_t scode = 0;       // for kException: the server's own code
  bool ok() const { return status == kOk; }
};

class Dispatchable : public xb::Object {
 public:
  virtual CallResult Invoke(std::string_view member, CallKind kind,
                            const std::vector<xb::Value>& args) = 0;
  // The object's default value (what a call of the object itself gives); nil when none.
  virtual xb::Value DefaultValue() { return xb::Value(); }
  bool Dispatches() const final { return true; }
};

}  // namespace wb
