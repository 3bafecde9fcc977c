#include "errors/error_text.h"

#include "runtime/number_text.h"

namespace errors {

std::string ErrorMessage(const xb::Error& e) {
  std::string text;
  if (e.os_code == 0) {
    text = e.severity > 1 ? "Error " : "Warning ";
  } else {
    text = "(DOS Error " + xb::StrTrim(static_cast<double>(e.os_code)) + ") ";
  }
  text += e.sub_system.IsText() ? e.sub_system.text() : "???";
  text += e.sub_code.IsNumber() ? "/" + xb::StrTrim(e.sub_code) : "/???";
  if (e.description.IsText()) text += "  " + e.description.text();
  if (!xb::IsEmptyValue(xb::Value::Text(e.file_name))) {
    text += ": " + e.file_name;
  } else if (!xb::IsEmptyValue(xb::Value::Text(e.operation))) {
    text += ": " + e.operation;
  }
  return text;
}

std::string CGetInfo(const xb::Value& v) {
  switch (v.TypeLetter()) {
    case 'C':
      return "\"" + xb::ValueAsText(v) + "\"";
    case 'O':
      return "Class: " + (v.object() ? v.object()->ClassName() : std::string());
    case 'A':
      return "Len: " + xb::Str(static_cast<double>(v.array().size()), 4);
    default:
      return xb::ValueAsText(v);
  }
}

}  // namespace errors
