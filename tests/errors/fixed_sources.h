// Report sources with fixed answers, for checking the report's composition exactly.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "errors/report_sources.h"
#include "runtime/value.h"

namespace errors_test {

struct FixedSystem : errors::SystemSource {
  std::string path = "C:\\Programs\\xlsamples\\xlsamples.exe";
  int bits = 32;
  long long size = 1234567;
  std::string elapsed = "0 hours 2 mins 5 secs ";
  xb::Date today = xb::Date::FromYmd(2008, 12, 9);
  std::string now = "14:03:59";
  std::string cpu = "Intel(R) Core(TM) i5 CPU";
  long mhz = 2400;
  double memory = 4294967296.0;
  std::string compiler = "GNU C++ 12.2 (mingw-w64)";
  std::vector<std::string> titles = {"xlsamples", "", "Program Manager"};
  std::vector<std::string> size_asked;

  std::string ProgramPath() override { return path; }
  int ProgramBits() override { return bits; }
  long long FileSize(const std::string& p) override {
    size_asked.push_back(p);
    return size;
  }
  std::string TimeFromStart() override { return elapsed; }
  xb::Date Today() override { return today; }
  std::string Now() override { return now; }
  std::string ProcessorName() override { return cpu; }
  long ProcessorMhz() override { return mhz; }
  double PhysicalMemory() override { return memory; }
  int FreeResources(int) override { return 90; }
  std::string CompilerVersion() override { return compiler; }
  std::vector<std::string> WindowTitles() override { return titles; }
};

struct FixedLevel {
  std::string name;
  std::string file;
  int line = 0;
  std::vector<xb::Value> params;
  std::vector<xb::Value> locals;
};

struct FixedChain : errors::CallChainSource {
  std::vector<FixedLevel> levels;  // index = level
  const FixedLevel* At(int level) const {
    return level >= 0 && level < static_cast<int>(levels.size()) ? &levels[level] : nullptr;
  }
  std::string Name(int level) override { return At(level) ? At(level)->name : ""; }
  std::string File(int level) override { return At(level) ? At(level)->file : ""; }
  int Line(int level) override { return At(level) ? At(level)->line : 0; }
  std::vector<xb::Value> Params(int level) override {
    return At(level) ? At(level)->params : std::vector<xb::Value>{};
  }
  std::vector<xb::Value> Locals(int level) override {
    return At(level) ? At(level)->locals : std::vector<xb::Value>{};
  }
};

struct FixedArea {
  std::string alias;
  std::string driver = "DBFCDX";
  long recno = 1;
  long reccount = 0;
  bool bof = false;
  bool eof = false;
  std::vector<std::pair<std::string, std::string>> orders;  // key, tag; order k at k-1
  int order = 0;
  std::vector<std::pair<int, std::string>> relations;  // target, expression
};

struct FixedTables : errors::TableSource {
  std::vector<std::string> drivers = {"DBFCDX"};
  int current = 1;
  std::map<int, FixedArea> areas;
  const FixedArea* A(int n) const {
    auto it = areas.find(n);
    return it == areas.end() ? nullptr : &it->second;
  }
  std::vector<std::string> Drivers() override { return drivers; }
  int CurrentArea() override { return current; }
  std::string Alias(int n) override { return A(n) ? A(n)->alias : ""; }
  std::string DriverName(int n) override { return A(n) ? A(n)->driver : ""; }
  long RecNo(int n) override { return A(n) ? A(n)->recno : 0; }
  long RecCount(int n) override { return A(n) ? A(n)->reccount : 0; }
  bool Bof(int n) override { return A(n) ? A(n)->bof : true; }
  bool Eof(int n) override { return A(n) ? A(n)->eof : true; }
  std::string OrderKey(int n, int k) override {
    if (!A(n) || k < 1 || k > static_cast<int>(A(n)->orders.size())) return "";
    return A(n)->orders[k - 1].first;
  }
  std::string OrderTag(int n, int k) override {
    if (!A(n) || k < 1 || k > static_cast<int>(A(n)->orders.size())) return "";
    return A(n)->orders[k - 1].second;
  }
  int CurrentOrder(int n) override { return A(n) ? A(n)->order : 0; }
  int RelationTarget(int n, int k) override {
    if (!A(n) || k < 1 || k > static_cast<int>(A(n)->relations.size())) return 0;
    return A(n)->relations[k - 1].first;
  }
  std::string RelationText(int n, int k) override {
    if (!A(n) || k < 1 || k > static_cast<int>(A(n)->relations.size())) return "";
    return A(n)->relations[k - 1].second;
  }
};

struct FixedRuntime : errors::RuntimeSource {
  std::vector<std::string> classes = {"TFONT", "TDIALOG"};
  int statics = 0;
  int ClassCount() override { return static_cast<int>(classes.size()); }
  std::string ClassName(int k) override {
    return k >= 1 && k <= ClassCount() ? classes[k - 1] : "";
  }
  int StaticCount() override { return statics; }
  double MemoryInUse() override { return 0; }
  double MemoryPeak() override { return 0; }
};

}  // namespace errors_test
