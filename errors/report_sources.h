// What the error report asks of the run time, the table engine, the GUI layer and
// Windows, each behind an interface so that the composition is the same everywhere and
// can be checked with fixed answers. A source that cannot deliver gives its empty
// answer (empty text, 0, an empty list).
#pragma once

#include <string>
#include <vector>

#include "runtime/value.h"

namespace errors {

// The Windows version record, asked once on the handler's entry.
struct WindowsVersion {
  int major = 0;
  int minor = 0;
  int build = 0;
  std::string service_pack;
  int platform = 0;  // not shown
};

class SystemSource {
 public:
  virtual ~SystemSource() = default;
  virtual std::string ProgramPath() = 0;                    // the program file, whole
  virtual int ProgramBits() = 0;                            // 32 or 64
  virtual long long FileSize(const std::string& path) = 0;  // 0 when not found
  virtual std::string TimeFromStart() = 0;
  virtual xb::Date Today() = 0;
  virtual std::string Now() = 0;  // "hh:mm:ss"
  virtual std::string ProcessorName() = 0;
  virtual long ProcessorMhz() = 0;
  virtual double PhysicalMemory() = 0;  // bytes
  virtual int FreeResources(int kind) = 0;
  virtual std::string CompilerVersion() = 0;
  virtual std::vector<std::string> WindowTitles() = 0;  // z-order, without repeats
};

// Levels as seen from the handler: 0 the handler, 1 its closure, 2 the raiser.
class CallChainSource {
 public:
  virtual ~CallChainSource() = default;
  virtual std::string Name(int level) = 0;  // empty beyond the bottom
  virtual std::string File(int level) = 0;
  virtual int Line(int level) = 0;
  virtual std::vector<xb::Value> Params(int level) = 0;
  virtual std::vector<xb::Value> Locals(int level) = 0;
};

class TableSource {
 public:
  virtual ~TableSource() = default;
  virtual std::vector<std::string> Drivers() = 0;
  virtual int CurrentArea() = 0;
  virtual std::string Alias(int area) = 0;  // empty when nothing is open there
  virtual std::string DriverName(int area) = 0;
  virtual long RecNo(int area) = 0;
  virtual long RecCount(int area) = 0;
  virtual bool Bof(int area) = 0;
  virtual bool Eof(int area) = 0;
  virtual std::string OrderKey(int area, int order) = 0;
  virtual std::string OrderTag(int area, int order) = 0;
  virtual int CurrentOrder(int area) = 0;
  virtual int RelationTarget(int area, int relation) = 0;  // 0: none
  virtual std::string RelationText(int area, int relation) = 0;
};

class RuntimeSource {
 public:
  virtual ~RuntimeSource() = default;
  virtual int ClassCount() = 0;
  virtual std::string ClassName(int number) = 0;
  virtual int StaticCount() = 0;
  virtual double MemoryInUse() = 0;
  virtual double MemoryPeak() = 0;
};

struct ReportSources {
  SystemSource* system = nullptr;
  CallChainSource* chain = nullptr;
  TableSource* tables = nullptr;
  RuntimeSource* runtime = nullptr;
  WindowsVersion version;
};

}  // namespace errors
