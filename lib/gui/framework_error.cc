#include "gui/framework_error.h"

#include <cstdio>

namespace gui {

namespace {

const char* Description(FrameworkFailure failure) {
  switch (failure) {
    case kNonDefinedId:
      return "Non defined Id";
    case kDuplicatedId:
      return "Duplicated Id";
    case kCannotCreateDialog:
      return "Cannot create Dialog Box";
  }
  return "";
}

}  // namespace

std::string IdOperation(int id) {
  char number[32];
  std::snprintf(number, sizeof number, "%6d", id);
  return std::string("No: ") + number;
}

std::string ResourceOperation(const std::string& resource) {
  return "\r\n" + std::string(22, ' ') + "Resource: " + resource;
}

xb::Error FrameworkError(FrameworkFailure failure, const std::string& operation) {
  xb::Error e;
  e.gen_code = 0;
  e.sub_system = xb::Value::Text(kFrameworkSubsystem);
  e.sub_code = xb::Value::Number(failure);
  e.severity = 2;
  e.description = xb::Value::Text(Description(failure));
  e.operation = operation;
  e.can_retry = false;
  e.can_default = false;
  e.can_substitute = false;
  return e;
}

void RaiseFrameworkError(FrameworkFailure failure, const std::string& operation) {
  xb::Error e = FrameworkError(failure, operation);
  xb::Raise(e);
}

}  // namespace gui
