// The one-line description and the value description.
#include <gtest/gtest.h>

#include <memory>

#include "errors/error_text.h"
#include "runtime/settings.h"

namespace {

using xb::Value;

struct MessageCase {
  const char* name;
  int os_code;
  int severity;
  Value sub_system;
  Value sub_code;
  Value description;
  const char* operation;
  const char* file_name;
  const char* expected;
};

TEST(ErrorMessage, BuildsTheOneLineDescription) {
  const MessageCase cases[] = {
      {"division", 0, 2, Value::Text("BASE"), Value::Number(1340), Value::Text("Zero divisor"), "/",
       "", "Error BASE/1340  Zero divisor: /"},
      {"open with OS code", 2, 2, Value::Text("DBFCDX"), Value::Number(1001),
       Value::Text("Open error"), "", "X.DBF", "(DOS Error 2) DBFCDX/1001  Open error: X.DBF"},
      {"bare warning", 0, 1, Value::Text(""), Value::Number(0), Value::Text(""), "", "",
       "Warning /0  "},
      {"severity 0 is a warning", 0, 0, Value::Text("BASE"), Value::Number(1), Value::Text("x"), "",
       "", "Warning BASE/1  x"},
      {"OS code wins over severity", 32, 1, Value::Text("DBFCDX"), Value::Number(1001),
       Value::Text("Open error"), "", "P.DBF", "(DOS Error 32) DBFCDX/1001  Open error: P.DBF"},
      {"subsystem not a text", 0, 2, Value::Number(7), Value::Number(5), Value::Text("d"), "", "",
       "Error ???"
       "/5  d"},
      {"subcode not a number", 0, 2, Value::Text("DBCMD"), Value::Text("x"), Value::Text("d"), "",
       "", "Error DBCMD/???  d"},
      {"description not a text", 0, 2, Value::Text("S"), Value::Number(1), Value(), "OP", "",
       "Error S/1: OP"},
      {"blank file name shows the operation", 0, 2, Value::Text("DBCMD"), Value::Number(2001),
       Value::Text("Workarea not in use"), "DBSKIP", " \t ",
       "Error DBCMD/2001  Workarea not in use: DBSKIP"},
      {"file name wins over operation", 0, 2, Value::Text("DBFCDX"), Value::Number(1006),
       Value::Text("Create error"), "ORDCREATE", "A&B.CDX",
       "Error DBFCDX/1006  Create error: A&B.CDX"},
      {"fractional subcode", 0, 2, Value::Text("S"), Value::Number(1.5), Value::Text("d"), "", "",
       "Error S/1.5  d"},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.name);
    xb::Error e;
    e.os_code = c.os_code;
    e.severity = c.severity;
    e.sub_system = c.sub_system;
    e.sub_code = c.sub_code;
    e.description = c.description;
    e.operation = c.operation;
    e.file_name = c.file_name;
    EXPECT_EQ(errors::ErrorMessage(e), c.expected);
  }
}

struct Named : xb::Object {
  std::string ClassName() const override { return "TFONT"; }
};

TEST(CGetInfo, DescribesEachKindOfValue) {
  xb::ResetSettings();
  xb::Set(xb::kSetDateFormat, Value::Text("dd.mm.yyyy"));
  std::vector<Value> twelve(12);
  std::vector<Value> many(12345);
  const struct {
    const char* name;
    Value value;
    const char* expected;
  } cases[] = {
      {"text in quotes", Value::Text("ab c"), "\"ab c\""},
      {"quotes not escaped", Value::Text("say \"hi\""), "\"say \"hi\"\""},
      {"empty text", Value::Text(""), "\"\""},
      {"memo without quotes", Value::Memo("memo"), "memo"},
      {"integer", Value::Number(42), "42"},
      {"fraction keeps its decimals", Value::Number(2.5, 2), "2.50"},
      {"negative", Value::Number(-3), "-3"},
      {"date", Value::FromDate(xb::Date::FromYmd(2008, 12, 9)), "09.12.2008"},
      {"true", Value::Logical(true), ".T."},
      {"false", Value::Logical(false), ".F."},
      {"array of 12", Value::FromArray(twelve), "Len:   12"},
      {"array overflows its field", Value::FromArray(many), "Len: ****"},
      {"empty array", Value::FromArray({}), "Len:    0"},
      {"object", Value::FromObject(std::make_shared<Named>()), "Class: TFONT"},
      {"block", Value::FromBlock(xb::Block{"MAIN", {}}), "{|| ... }"},
      {"nil", Value(), ""},
      {"hash", Value::FromHash({}), ""},
      {"pointer", Value::Pointer(&twelve), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(errors::CGetInfo(c.value), c.expected);
  }
}

}  // namespace
