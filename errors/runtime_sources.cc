#include "errors/runtime_sources.h"

#include "runtime/call_chain.h"
#include "runtime/class_registry.h"
#include "tables/workarea.h"

namespace errors {

namespace {
std::vector<xb::Value> Read(const std::vector<xb::VarView>& views) {
  std::vector<xb::Value> values;
  values.reserve(views.size());
  for (const xb::VarView& v : views) values.push_back(v.get ? v.get() : xb::Value());
  return values;
}
}  // namespace

RuntimeCallChain::RuntimeCallChain() : handler_depth_(xb::CallChain::Depth()) {}

int RuntimeCallChain::Shift(int level) const {
  return xb::CallChain::Depth() - handler_depth_ + level;
}

std::string RuntimeCallChain::Name(int level) {
  return xb::CallChain::ProcName(Shift(level));
}
std::string RuntimeCallChain::File(int level) {
  return xb::CallChain::ProcFile(Shift(level));
}
int RuntimeCallChain::Line(int level) {
  return xb::CallChain::ProcLine(Shift(level));
}

std::vector<xb::Value> RuntimeCallChain::Params(int level) {
  const xb::Frame* f = xb::CallChain::At(Shift(level));
  return f ? Read(f->params()) : std::vector<xb::Value>{};
}

std::vector<xb::Value> RuntimeCallChain::Locals(int level) {
  const xb::Frame* f = xb::CallChain::At(Shift(level));
  return f ? Read(f->locals()) : std::vector<xb::Value>{};
}

int RuntimeFigures::ClassCount() {
  return xb::ClassCount();
}
std::string RuntimeFigures::ClassName(int number) {
  return xb::ClassName(number);
}

std::vector<std::string> EngineTables::Drivers() {
  return tables::RegisteredDrivers();
}
int EngineTables::CurrentArea() {
  return tables::CurrentArea();
}
std::string EngineTables::Alias(int area) {
  return tables::Alias(area);
}
std::string EngineTables::DriverName(int area) {
  return tables::DriverName(area);
}
long EngineTables::RecNo(int area) {
  return tables::RecNo(area);
}
long EngineTables::RecCount(int area) {
  return tables::RecCount(area);
}
bool EngineTables::Bof(int area) {
  return tables::Bof(area);
}
bool EngineTables::Eof(int area) {
  return tables::Eof(area);
}
std::string EngineTables::OrderKey(int area, int order) {
  return tables::OrderKeyText(area, order);
}
std::string EngineTables::OrderTag(int area, int order) {
  return tables::OrderTagName(area, order);
}
int EngineTables::CurrentOrder(int area) {
  return tables::CurrentOrder(area);
}
int EngineTables::RelationTarget(int area, int relation) {
  return tables::RelationTarget(area, relation);
}
std::string EngineTables::RelationText(int area, int relation) {
  return tables::RelationText(area, relation);
}

}  // namespace errors
