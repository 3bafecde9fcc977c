// The framework's own failures. They are raised through the run time with the subsystem
// "Morvex2", the severity of an error and neither retry nor default allowed, so the error
// handler reports them and the program ends:
//   1 "Non defined Id"            the template has no control with the identifier
//   2 "Duplicated Id"             a second control attached with the same identifier
//   3 "Cannot create Dialog Box"  the template is missing or the dialog cannot be made
// Subcodes 1 and 2 name the identifier as "No: " and the number right-aligned in six
// characters; subcode 3 names the template after a line break and 22 blanks.
#pragma once

#include <string>

#include "runtime/error.h"

namespace gui {

inline constexpr char kFrameworkSubsystem[] = "Morvex2";

enum FrameworkFailure : int {
  kNonDefinedId = 1,
  kDuplicatedId = 2,
  kCannotCreateDialog = 3,
};

std::string IdOperation(int id);
std::string ResourceOperation(const std::string& resource);

// The error object for a failure; operation as made by the two functions above.
xb::Error FrameworkError(FrameworkFailure failure, const std::string& operation);

// Hands the failure to the error handler. No answer lets the caller go on, so this
// returns only when a handler ends the program in its own way (a test's end hook).
void RaiseFrameworkError(FrameworkFailure failure, const std::string& operation);

}  // namespace gui
