// The error object and the raise protocol.
//
// A failing operation fills an Error and calls Raise(). The current handler answers:
//   - CanSubstitute set: the answer, whatever it is, is the operation's result;
//   - true and CanRetry set: the raiser tries again (Raise has counted the try);
//   - false and CanDefault set: the raiser gives up with its default outcome;
//   - anything else: the unrecoverable error 9001 "Error recovery failure", which
//     shows a stop box and ends the program with exit code 1.
// A handler may also not answer: it breaks out of a guarded sequence (DoBreak) or ends
// the program (Quit). Setting a handler hands back the one it replaces. Until the
// program installs its own, a minimal handler shows subsystem, subcode and description
// in a stop box and ends the program with exit code 1.
#pragma once

#include <functional>
#include <string>

#include "runtime/value.h"

namespace xb {

enum GenCode : int {
  kErrArg = 1, kErrBound = 2, kErrStrOverflow = 3, kErrNumOverflow = 4, kErrZeroDiv = 5,
  kErrNumErr = 6, kErrSyntax = 7, kErrCompTooComplex = 8, kErrMem = 11, kErrNoFunc = 12,
  kErrNoMethod = 13, kErrNoVar = 14, kErrNoAlias = 15, kErrNoVarMethod = 16,
  kErrBadAlias = 17, kErrDupAlias = 18, kErrCreate = 20, kErrOpen = 21, kErrClose = 22,
  kErrRead = 23, kErrWrite = 24, kErrPrint = 25, kErrUnsupported = 30, kErrLimit = 31,
  kErrCorruption = 32, kErrDataType = 33, kErrDataWidth = 34, kErrNoTable = 35,
  kErrUnsupportedOrder = 36, kErrShared = 37, kErrUnlocked = 38, kErrReadOnly = 39,
  kErrAppendLock = 40, kErrLock = 41,
};

// The description of a generic code; "Unknown error" for 0, empty for codes without one.
std::string GenericDescription(int gen_code);

struct Error {
  int gen_code = 0;
  Value sub_code = Value::Number(0);       // a number, or anything the raiser put there
  Value sub_system = Value::Text("");      // a text, or anything the raiser put there
  int os_code = 0;
  int severity = 2;                         // above 1 an error, 1 or below a warning
  Value description = Value::Text("");
  std::string operation;
  std::string file_name;
  Value args;                               // nil, or an array of the operands
  bool can_retry = false;
  bool can_default = false;
  bool can_substitute = false;
  int tries = 0;
  Value cargo;
  // Where the object was made (procedure, line, module); the handler does not use them.
  std::string created_proc;
  int created_line = 0;
  std::string created_module;

  // A new object for a generic code, with its description filled in.
  static Error Generic(int gen_code, std::string sub_system, int sub_code);
};

using ErrorHandler = std::function<Value(Error&)>;

// Makes handler current and hands back the one it replaces (never empty).
ErrorHandler SetErrorHandler(ErrorHandler handler);
Value CallErrorHandler(Error& e);  // the current handler's answer

enum class Resolution { kRetry, kDefault, kSubstitute };
struct Answer {
  Resolution resolution;
  Value value;  // the substitute, for kSubstitute
};

// Hands e to the current handler and acts on its answer; returns only with an answer
// the raiser accepts (for kRetry, e.tries has been raised by one).
Answer Raise(Error& e);

// Arithmetic that goes through the protocol: by zero raises BASE 1340 "/" or 1341 "%",
// the operands as arguments, substitution allowed; the answer is the result.
Value Divide(const Value& a, const Value& b);
Value Modulus(const Value& a, const Value& b);

// The minimal handler the run time starts with.
Value MinimalErrorHandler(Error& e);

}  // namespace xb
