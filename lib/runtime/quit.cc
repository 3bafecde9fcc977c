#include "runtime/quit.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace xb {

namespace {
int exit_code = 0;
std::vector<std::function<void()>>& procedures() {
  static std::vector<std::function<void()>> p;
  return p;
}
EndHook& end_hook() {
  static EndHook h;
  return h;
}
}  // namespace

void SetExitCode(int code) { exit_code = code; }
int ExitCode() { return exit_code; }

void AddExitProcedure(std::function<void()> procedure) {
  procedures().push_back(std::move(procedure));
}

EndHook SetEndHook(EndHook hook) {
  EndHook old = std::move(end_hook());
  end_hook() = std::move(hook);
  return old;
}

void Quit() {
  // Taken out first: an exit procedure that quits again does not run the list twice.
  std::vector<std::function<void()>> run;
  run.swap(procedures());
  for (auto it = run.rbegin(); it != run.rend(); ++it) (*it)();
  std::fflush(nullptr);
  if (end_hook()) {
    end_hook()(exit_code);
  }
#ifdef _WIN32
  ExitProcess(static_cast<UINT>(exit_code));
#else
  std::_Exit(exit_code);
#endif
}

}  // namespace xb
