#include "runtime/call_chain.h"

#include <cstring>

namespace xb {

namespace {
std::vector<Frame*>& frames() {
  static std::vector<Frame*> f;
  return f;
}
}  // namespace

std::string BaseName(const char* path) {
  if (!path) return "";
  const char* base = path;
  for (const char* p = path; *p; ++p)
    if (*p == '/' || *p == '\\') base = p + 1;
  return base;
}

Frame::Frame(std::string name, const char* source_file, int line)
    : name_(std::move(name)), file_(BaseName(source_file)), line_(line) {
  frames().push_back(this);
}

Frame::~Frame() {
  auto& f = frames();
  // Frames close in reverse order; a frame left behind by an abandoned scope is dropped too.
  for (size_t i = f.size(); i-- > 0;) {
    if (f[i] == this) {
      f.resize(i);
      break;
    }
  }
}

Frame& Frame::Param(VarView view) {
  params_.push_back(std::move(view));
  return *this;
}

Frame& Frame::Local(VarView view) {
  locals_.push_back(std::move(view));
  return *this;
}

int CallChain::Depth() { return static_cast<int>(frames().size()); }

const Frame* CallChain::At(int level) {
  auto& f = frames();
  if (level < 0 || level >= static_cast<int>(f.size())) return nullptr;
  return f[f.size() - 1 - level];
}

Frame* CallChain::Top() { return frames().empty() ? nullptr : frames().back(); }

std::string CallChain::ProcName(int level) {
  const Frame* f = At(level);
  return f ? f->name() : "";
}

int CallChain::ProcLine(int level) {
  const Frame* f = At(level);
  return f ? f->line() : 0;
}

std::string CallChain::ProcFile(int level) {
  const Frame* f = At(level);
  return f ? f->file() : "";
}

Value ToValue(const std::string& s) { return Value::Text(s); }
Value ToValue(const char* s) { return Value::Text(s ? s : ""); }
Value ToValue(double n) { return Value::Number(n); }
Value ToValue(int n) { return Value::Number(n, 0); }
Value ToValue(long n) { return Value::Number(static_cast<double>(n), 0); }
Value ToValue(long long n) { return Value::Number(static_cast<double>(n), 0); }
Value ToValue(unsigned n) { return Value::Number(n, 0); }
Value ToValue(bool b) { return Value::Logical(b); }
Value ToValue(const Value& v) { return v; }

}  // namespace xb
