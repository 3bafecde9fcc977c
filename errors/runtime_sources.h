// The report's sources that every build has: the run time's call chain and classes, and
// the table engine's report queries.
#pragma once

#include "errors/report_sources.h"

namespace errors {

// The call chain seen from a handler frame: made inside the handler, level 0 is the
// innermost frame open when it was made, whatever is opened afterwards.
class RuntimeCallChain : public CallChainSource {
 public:
  RuntimeCallChain();
  std::string Name(int level) override;
  std::string File(int level) override;
  int Line(int level) override;
  std::vector<xb::Value> Params(int level) override;
  std::vector<xb::Value> Locals(int level) override;

 private:
  int Shift(int level) const;
  int handler_depth_;
};

// Classes from the run time's registry; no static variables and no memory figures are
// kept, so those are 0.
class RuntimeFigures : public RuntimeSource {
 public:
  int ClassCount() override;
  std::string ClassName(int number) override;
  int StaticCount() override { return 0; }
  double MemoryInUse() override { return 0; }
  double MemoryPeak() override { return 0; }
};

class EngineTables : public TableSource {
 public:
  std::vector<std::string> Drivers() override;
  int CurrentArea() override;
  std::string Alias(int area) override;
  std::string DriverName(int area) override;
  long RecNo(int area) override;
  long RecCount(int area) override;
  bool Bof(int area) override;
  bool Eof(int area) override;
  std::string OrderKey(int area, int order) override;
  std::string OrderTag(int area, int order) override;
  int CurrentOrder(int area) override;
  int RelationTarget(int area, int relation) override;
  std::string RelationText(int area, int relation) override;
};

}  // namespace errors
