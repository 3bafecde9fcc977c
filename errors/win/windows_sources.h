// The report's Windows sources and the handler's Windows platform.
#pragma once

#include <string>
#include <vector>

#include "errors/handler.h"
#include "errors/runtime_sources.h"

namespace errors {

class WindowsSystem : public SystemSource {
 public:
  std::string ProgramPath() override;
  int ProgramBits() override;
  long long FileSize(const std::string& path) override;
  std::string TimeFromStart() override;
  xb::Date Today() override;
  std::string Now() override;
  std::string ProcessorName() override;
  long ProcessorMhz() override;
  double PhysicalMemory() override;
  int FreeResources(int kind) override;
  std::string CompilerVersion() override;
  std::vector<std::string> WindowTitles() override;
};

// The Windows version record, and whether it is of the NT family.
WindowsVersion QueryWindowsVersion();
bool IsNtFamily();

// The program file's directory (the path up to its last backslash).
std::string ErrorProgramDirectory();

class WindowsPlatform : public HandlerPlatform {
 public:
  WindowsVersion QueryVersion() override { return QueryWindowsVersion(); }
  bool IsNtFamily() override { return errors::IsNtFamily(); }
  SystemSource& System() override { return system_; }
  TableSource& Tables() override { return tables_; }
  RuntimeSource& Runtime() override { return runtime_; }
  std::string ProgramDirectory() override { return ErrorProgramDirectory(); }
  std::optional<bool> ShowDialog(const DialogRequest& request) override;
  bool WindowLoopRunning() override;
  void ShowStop(const std::string& title, const std::string& text) override;
  void ReleaseFrameworkResources() override;
  void PostQuit() override;
  void SetNetError(bool value) override;

 private:
  WindowsSystem system_;
  EngineTables tables_;
  RuntimeFigures runtime_;
};

}  // namespace errors
