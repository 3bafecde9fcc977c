// Drives the engine's objects the way the automation layer does: member calls by name,
// property reads and writes, with the result checked.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "runtime/value.h"
#include "workbook/application.h"

namespace wbtest {

inline wb::Dispatchable* AsDispatch(const xb::Value& v) {
  return v.IsObject() ? dynamic_cast<wb::Dispatchable*>(v.object().get()) : nullptr;
}

inline xb::Value N(double n) {
  return xb::Value::Number(n);
}
inline xb::Value T(std::string s) {
  return xb::Value::Text(std::move(s));
}
inline xb::Value L(bool b) {
  return xb::Value::Logical(b);
}

inline wb::CallResult Try(const xb::Value& object, std::string_view member, wb::CallKind kind,
                          std::vector<xb::Value> args = {}) {
  wb::Dispatchable* d = AsDispatch(object);
  if (d == nullptr) {
    wb::CallResult r;
    r.status = wb::kTypeMismatch;
    r.description = "not an object";
    return r;
  }
  return d->Invoke(member, kind, args);
}

// A method call or property read that must succeed.
inline xb::Value Get(const xb::Value& object, std::string_view member,
                     std::vector<xb::Value> args = {}) {
  wb::CallResult r = Try(object, member, wb::CallKind::kMethod, std::move(args));
  EXPECT_TRUE(r.ok()) << member << ": status " << std::hex << r.status << " " << r.description;
  return r.value;
}

inline void Put(const xb::Value& object, std::string_view member, xb::Value value) {
  wb::CallResult r = Try(object, member, wb::CallKind::kPut, {std::move(value)});
  EXPECT_TRUE(r.ok()) << member << ": status " << std::hex << r.status << " " << r.description;
}

inline xb::Value App(int sheets = 3) {
  wb::Options o;
  o.sheets_in_new_workbook = sheets;
  return xb::Value::FromObject(wb::NewApplication(o));
}

inline xb::Value Cell(const xb::Value& sheet, int row, int column) {
  return Get(sheet, "Cells", {N(row), N(column)});
}

// A new workbook reduced to one sheet, as the export's preparation does it.
struct Book {
  xb::Value app, book, sheet, window;
  explicit Book(int sheets = 1) {
    app = App(sheets);
    book = Get(Get(app, "Workbooks"), "Add");
    sheet = Get(app, "ActiveSheet");
    window = Get(app, "ActiveWindow");
  }
};

}  // namespace wbtest
