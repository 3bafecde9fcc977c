// The error module's two text builders.
//   ErrorMessage (ERRORMESSAGE): the one-line description of an error object, e.g.
//     "Error BASE/1340  Zero divisor: /" or "(DOS Error 2) DBFCDX/1001  Open error: X.DBF".
//   CGetInfo (CGETINFO): a value as the report's variables section describes it: texts in
//     double quotes, objects by class, arrays by length, the rest as ValueAsText.
#pragma once

#include <string>

#include "runtime/error.h"
#include "runtime/value.h"

namespace errors {

std::string ErrorMessage(const xb::Error& e);
std::string CGetInfo(const xb::Value& v);

}  // namespace errors
