// The call chain: one Frame per active procedure, method or closure, opened and closed
// by scope (RAII). Levels count from the asking procedure: level 0 is the innermost
// frame, level 1 its caller, and so on; beyond the bottom the name is empty.
// A method is named "CLASS:METHOD", a closure "(b)" and its creator's name.
// Each frame shows its parameters and locals as views, read when the report asks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/value.h"

namespace xb {

struct VarView {
  std::string name;
  std::function<Value()> get;
};

// A view of a variable that lives at least as long as the frame.
template <class T>
VarView View(std::string name, const T* variable);

class Frame {
 public:
  Frame(std::string name, const char* source_file, int line);
  ~Frame();
  Frame(const Frame&) = delete;
  Frame& operator=(const Frame&) = delete;

  void set_line(int line) { line_ = line; }
  Frame& Param(VarView view);
  Frame& Local(VarView view);

  const std::string& name() const { return name_; }
  const std::string& file() const { return file_; }
  int line() const { return line_; }
  const std::vector<VarView>& params() const { return params_; }
  const std::vector<VarView>& locals() const { return locals_; }

 private:
  std::string name_;
  std::string file_;
  int line_;
  std::vector<VarView> params_;
  std::vector<VarView> locals_;
};

class CallChain {
 public:
  static int Depth();
  static const Frame* At(int level);  // nullptr beyond the bottom
  static std::string ProcName(int level);
  static int ProcLine(int level);
  static std::string ProcFile(int level);
  static Frame* Top();
};

std::string BaseName(const char* path);

Value ToValue(const std::string& s);
Value ToValue(const char* s);
Value ToValue(double n);
Value ToValue(int n);
Value ToValue(long n);
Value ToValue(long long n);
Value ToValue(unsigned n);
Value ToValue(bool b);
Value ToValue(const Value& v);

template <class T>
VarView View(std::string name, const T* variable) {
  return VarView{std::move(name), [variable] { return ToValue(*variable); }};
}

}  // namespace xb

// Opens the frame of a procedure for the rest of the enclosing scope.
#define XB_PROC(name) ::xb::Frame xb_frame_((name), __FILE__, __LINE__)
// Records the line the procedure is executing.
#define XB_LINE() xb_frame_.set_line(__LINE__)
