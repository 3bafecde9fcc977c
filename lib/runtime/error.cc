#include "runtime/error.h"

#include <cmath>

#include "runtime/alert.h"
#include "runtime/call_chain.h"
#include "runtime/number_text.h"
#include "runtime/quit.h"

namespace xb {

std::string GenericDescription(int gen_code) {
  switch (gen_code) {
    case 0: return "Unknown error";
    case 1: return "Argument error";
    case 2: return "Bound error";
    case 3: return "String overflow";
    case 4: return "Numeric overflow";
    case 5: return "Zero divisor";
    case 6: return "Numeric error";
    case 7: return "Syntax error";
    case 8: return "Operation too complex";
    case 11: return "Memory low";
    case 12: return "Undefined function";
    case 13: return "No exported method";
    case 14: return "Variable does not exist";
    case 15: return "Alias does not exist";
    case 16: return "No exported variable";
    case 17: return "Illegal characters in alias";
    case 18: return "Alias already in use";
    case 20: return "Create error";
    case 21: return "Open error";
    case 22: return "Close error";
    case 23: return "Read error";
    case 24: return "Write error";
    case 25: return "Print error";
    case 30: return "Operation not supported";
    case 31: return "Limit exceeded";
    case 32: return "Corruption detected";
    case 33: return "Data type error";
    case 34: return "Data width error";
    case 35: return "Workarea not in use";
    case 36: return "Workarea not indexed";
    case 37: return "Exclusive required";
    case 38: return "Lock required";
    case 39: return "Write not allowed";
    case 40: return "Append lock failed";
    case 41: return "Lock Failure";
    default: return "";
  }
}

Error Error::Generic(int gen_code, std::string sub_system, int sub_code) {
  Error e;
  e.gen_code = gen_code;
  e.sub_system = Value::Text(std::move(sub_system));
  e.sub_code = Value::Number(sub_code);
  e.description = Value::Text(GenericDescription(gen_code));
  if (const Frame* f = CallChain::At(0)) {
    e.created_proc = f->name();
    e.created_line = f->line();
    e.created_module = f->file();
  }
  return e;
}

namespace {
ErrorHandler& current_handler() {
  static ErrorHandler handler = MinimalErrorHandler;
  return handler;
}

[[noreturn]] void RecoveryFailure() {
  ShowStopBox("Error", "Unrecoverable error 9001: Error recovery failure");
  SetExitCode(1);
  Quit();
}
}  // namespace

ErrorHandler SetErrorHandler(ErrorHandler handler) {
  ErrorHandler old = std::move(current_handler());
  current_handler() = handler ? std::move(handler) : ErrorHandler(MinimalErrorHandler);
  return old;
}

Value CallErrorHandler(Error& e) {
  ErrorHandler handler = current_handler();  // a copy: the handler may replace itself
  return handler(e);
}

Answer Raise(Error& e) {
  Value answer = CallErrorHandler(e);
  if (e.can_substitute) return {Resolution::kSubstitute, answer};
  if (answer.IsLogical() && answer.logical() && e.can_retry) {
    ++e.tries;
    return {Resolution::kRetry, Value()};
  }
  if (answer.IsLogical() && !answer.logical() && e.can_default) {
    return {Resolution::kDefault, Value()};
  }
  RecoveryFailure();
}

namespace {
Value ZeroDivide(const Value& a, const Value& b, int sub_code, const char* op) {
  Error e = Error::Generic(kErrZeroDiv, "BASE", sub_code);
  e.operation = op;
  e.args = Value::FromArray({a, b});
  e.can_substitute = true;
  return Raise(e).value;
}
}  // namespace

Value Divide(const Value& a, const Value& b) {
  if (b.number() == 0) return ZeroDivide(a, b, 1340, "/");
  return Value::Number(a.number() / b.number());
}

Value Modulus(const Value& a, const Value& b) {
  if (b.number() == 0) return ZeroDivide(a, b, 1341, "%");
  return Value::Number(std::fmod(a.number(), b.number()));
}

Value MinimalErrorHandler(Error& e) {
  std::string text = e.sub_system.IsText() ? e.sub_system.text() : "???";
  text.append("/").append(e.sub_code.IsNumber() ? StrTrim(e.sub_code) : std::string("???"));
  if (e.description.IsText()) text.append("  ").append(e.description.text());
  if (!e.file_name.empty()) text.append(": ").append(e.file_name);
  else if (!e.operation.empty()) text.append(": ").append(e.operation);
  ShowStopBox("Error", text);
  SetExitCode(1);
  Quit();
}

}  // namespace xb
