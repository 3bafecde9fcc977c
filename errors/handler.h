// The program's error handler (ERRORDIALOG) and what surrounds it, independent of the
// window system: the platform pieces come in through HandlerPlatform.
//
//   InstallHandler(platform): makes a closure calling ErrorDialog the current handler.
//   ErrorDialog: queries the Windows version, then the triage (division by zero: 0;
//     an open refused with OS code 32 or 5, or a failed append lock, where a default is
//     allowed: false with the network-error flag set); a handler running again at level
//     7 quits; otherwise the fallback handler becomes current for the rest of the run,
//     the report is composed and stored, the dialog shown, and the answer decided.
//   Fallback handler: a "Stop" box with the one-line description and the raiser's line,
//     then the end of the program with exit code 1.
//   Quit action: framework resources released, exit code 1, quit message posted, end.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "errors/log_files.h"
#include "errors/report.h"
#include "runtime/error.h"
#include "runtime/value.h"

namespace errors {

// What the error dialog is shown with.
struct DialogRequest {
  std::string description_line;
  std::vector<std::string> stack_lines;
  LogResult log;
  bool nt_family = true;
  bool can_retry = false;
  bool can_default = false;
  int button_count = 1;
};

class HandlerPlatform {
 public:
  virtual ~HandlerPlatform() = default;
  virtual WindowsVersion QueryVersion() = 0;
  virtual bool IsNtFamily() = 0;
  virtual SystemSource& System() = 0;
  virtual TableSource& Tables() = 0;
  virtual RuntimeSource& Runtime() = 0;
  virtual std::string ProgramDirectory() = 0;
  virtual LogFileSystem& Files() { return RealLogFiles(); }
  // The dialog's answer: true Retry, false Default, unset Quit/Escape/close box.
  virtual std::optional<bool> ShowDialog(const DialogRequest& request) = 0;
  virtual bool WindowLoopRunning() = 0;
  virtual void ShowStop(const std::string& title, const std::string& text) = 0;
  virtual void ReleaseFrameworkResources() = 0;
  virtual void PostQuit() = 0;
  virtual void SetNetError(bool value) = 0;
};

// The silent answers; empty when the error needs the full treatment. Sets the
// network-error flag through the platform where the answer says so.
std::optional<xb::Value> Triage(const xb::Error& e, bool* sets_net_error);

bool IsHandlerName(const std::string& name);  // first ten characters "ERRORDIALO"
int ButtonCount(const xb::Error& e);
std::string FallbackText(const xb::Error& e, int line);

void InstallHandler(std::shared_ptr<HandlerPlatform> platform);
HandlerPlatform* InstalledPlatform();

xb::Value ErrorDialog(xb::Error& e, HandlerPlatform& platform);
xb::Value FallbackHandler(xb::Error& e, HandlerPlatform& platform);
[[noreturn]] void QuitAction(HandlerPlatform& platform);

}  // namespace errors
