// OleAuto: a late-bound automation object (the run time's TOleAuto).
//
//   OleAuto excel = OleAuto::New("Excel.Application");
//   excel.Obj("Workbooks").Invoke("Add");
//   excel.Set("DisplayAlerts", false);
//   excel.Obj("ActiveSheet").Obj("Cells", 4, 1).Set("Value", "ABC");
//
// Member rules:
//   - Set(member, value) is a put of the member with that one value.
//   - Invoke/Obj(member, args...) is tried as a method call, then as a property read,
//     then, given arguments, as a put; the next kind is tried only while the server
//     answers that the member does not support the kind tried.
//   - Names are case-insensitive for the servers; they go as spelled.
//   - Arguments: texts as Windows (ANSI) text, whole numbers within 32 bits as 32-bit
//     integers, other numbers as doubles, logicals as booleans, objects as themselves.
//   - An object result is a new handle, released when the last OleAuto holding it goes.
// Failures go through xb::Raise with generic code 1001 and substitution allowed only:
//   - creation: subcode -1, subsystem "TOleAuto", description the status's symbolic
//     name ("Unknown error" when it has none); the substitute may be an object;
//   - a member use, once retried on the object's default value when that is an object:
//     subcode the low 16 bits of the failure code (the server's own code for an
//     exception that carries one), subsystem the object's name ("Excel.Application",
//     "Excel.Application:Workbooks" for an object got by a member use), description
//     the server's exception text or the status's symbolic name, operation the member
//     in capitals ("_" in front for a put), the arguments as Args.
//   The substitute is the result of the use.
// Not thread-safe: one thread drives its objects.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/value.h"
#include "workbook/dispatch.h"

namespace automation {

class OleAuto;

xb::Value ToArg(int n);
xb::Value ToArg(long n);
xb::Value ToArg(double n);
xb::Value ToArg(bool b);
xb::Value ToArg(const char* s);
xb::Value ToArg(const std::string& s);
xb::Value ToArg(const xb::Value& v);
xb::Value ToArg(const OleAuto& o);

// The arguments of one member use, normalised (see NormalizeArg) as they are added.
// Every value and format of an export is a member use, so the vectors are taken from a
// pool of spare ones and given back cleared, rather than allocated for each call.
class ArgList {
 public:
  ArgList();
  ~ArgList();
  ArgList(const ArgList&) = delete;
  ArgList& operator=(const ArgList&) = delete;

  void Add(xb::Value v);
  const std::vector<xb::Value>& values() const { return values_; }

 private:
  std::vector<xb::Value> values_;
};

class OleAuto {
 public:
  OleAuto() = default;  // no object: every use raises
  OleAuto(std::shared_ptr<wb::Dispatchable> server, std::string name);

  // Creates the server of prog_id (see server.h), raising on failure.
  static OleAuto New(const std::string& prog_id);

  void SetValue(std::string_view member, const xb::Value& value);
  xb::Value InvokeArgs(std::string_view member, const std::vector<xb::Value>& args);
  OleAuto ObjArgs(std::string_view member, const std::vector<xb::Value>& args);

  template <class T>
  void Set(std::string_view member, const T& value) {
    ArgList list;
    list.Add(ToArg(value));
    Put(member, list);
  }
  template <class... A>
  xb::Value Invoke(std::string_view member, const A&... args) {
    ArgList list;
    (list.Add(ToArg(args)), ...);
    return Use(member, list);
  }
  template <class... A>
  OleAuto Obj(std::string_view member, const A&... args) {
    ArgList list;
    (list.Add(ToArg(args)), ...);
    return Child(member, list);
  }

  const std::string& name() const { return name_; }
  bool valid() const { return server_ != nullptr; }
  const std::shared_ptr<wb::Dispatchable>& server() const { return server_; }

 private:
  void Put(std::string_view member, const ArgList& args);
  xb::Value Use(std::string_view member, const ArgList& args);
  OleAuto Child(std::string_view member, const ArgList& args);

  std::shared_ptr<wb::Dispatchable> server_;
  std::string name_;
};

// The argument as the servers receive it (numbers normalised as the rules say).
xb::Value NormalizeArg(const xb::Value& v);

}  // namespace automation
