#include "runtime/alert.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

namespace xb {

namespace {
AlertHook& hook() {
  static AlertHook h;
  return h;
}
}  // namespace

AlertHook SetAlertHook(AlertHook h) {
  AlertHook old = std::move(hook());
  hook() = std::move(h);
  return old;
}

void ShowStopBox(const std::string& title, const std::string& text) {
  if (hook()) {
    hook()(title, text);
    return;
  }
#ifdef _WIN32
  MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
#else
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
#endif
}

}  // namespace xb
