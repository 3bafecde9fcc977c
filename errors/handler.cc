#include "errors/handler.h"

#include "errors/error_text.h"
#include "errors/runtime_sources.h"
#include "runtime/call_chain.h"
#include "runtime/number_text.h"
#include "runtime/quit.h"

namespace errors {

namespace {

constexpr int kGuardLevel = 7;
constexpr int kOsAccessDenied = 5;
constexpr int kOsSharingViolation = 32;

std::shared_ptr<HandlerPlatform>& installed() {
  static std::shared_ptr<HandlerPlatform> p;
  return p;
}

}  // namespace

std::optional<xb::Value> Triage(const xb::Error& e, bool* sets_net_error) {
  *sets_net_error = false;
  if (e.gen_code == xb::kErrZeroDiv) return xb::Value::Number(0, 0);
  if (e.gen_code == xb::kErrOpen &&
      (e.os_code == kOsSharingViolation || e.os_code == kOsAccessDenied) && e.can_default) {
    *sets_net_error = true;
    return xb::Value::Logical(false);
  }
  if (e.gen_code == xb::kErrAppendLock && e.can_default) {
    *sets_net_error = true;
    return xb::Value::Logical(false);
  }
  return std::nullopt;
}

bool IsHandlerName(const std::string& name) {
  return name.substr(0, 10) == "ERRORDIALO";
}

int ButtonCount(const xb::Error& e) {
  return 1 + (e.can_retry ? 1 : 0) + (e.can_default ? 1 : 0);
}

std::string FallbackText(const xb::Error& e, int line) {
  return ErrorMessage(e) + " from Errorsys, Line :" + xb::Str(line, 3);
}

void InstallHandler(std::shared_ptr<HandlerPlatform> platform) {
  installed() = platform;
  xb::SetErrorHandler([platform](xb::Error& e) -> xb::Value {
    XB_PROC("(b)ERRORSYS");
    return ErrorDialog(e, *platform);
  });
}

HandlerPlatform* InstalledPlatform() {
  return installed().get();
}

void QuitAction(HandlerPlatform& platform) {
  platform.ReleaseFrameworkResources();
  xb::SetExitCode(1);
  platform.PostQuit();
  xb::Quit();
}

xb::Value FallbackHandler(xb::Error& e, HandlerPlatform& platform) {
  XB_PROC("(b)ERRORDIALOG");
  platform.ShowStop("Stop", FallbackText(e, xb::CallChain::ProcLine(1)));
  // An unrecoverable error must not end the run as a success.
  xb::SetExitCode(1);
  xb::Quit();
}

xb::Value ErrorDialog(xb::Error& e, HandlerPlatform& platform) {
  XB_PROC("ERRORDIALOG");
  const WindowsVersion version = platform.QueryVersion();
  const bool nt_family = platform.IsNtFamily();

  bool net_error = false;
  if (std::optional<xb::Value> answer = Triage(e, &net_error)) {
    if (net_error) platform.SetNetError(true);
    return *answer;
  }
  XB_LINE();
  if (IsHandlerName(xb::CallChain::ProcName(kGuardLevel))) QuitAction(platform);

  xb::SetErrorHandler(
      [&platform](xb::Error& inner) -> xb::Value { return FallbackHandler(inner, platform); });

  DialogRequest request;
  request.nt_family = nt_family;
  request.can_retry = e.can_retry;
  request.can_default = e.can_default;
  request.button_count = ButtonCount(e);

  XB_LINE();
  RuntimeCallChain chain;
  ReportSources sources{&platform.System(), &chain, &platform.Tables(), &platform.Runtime(),
                        version};
  Report report = ComposeReport(e, sources);
  request.description_line = report.description_line;
  request.stack_lines = report.stack_lines;

  XB_LINE();
  request.log = StoreReport(platform.ProgramDirectory(), report.text, platform.Files());

  XB_LINE();
  const std::optional<bool> answer = platform.ShowDialog(request);
  if (!answer || (*answer && !platform.WindowLoopRunning())) QuitAction(platform);
  return xb::Value::Logical(*answer);
}

}  // namespace errors
