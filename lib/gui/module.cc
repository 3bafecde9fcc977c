#include "gui/module.h"

#include <vector>

namespace gui {

namespace {
HINSTANCE instance = nullptr;
bool window_loop = false;
}  // namespace

void InitModule() {
  instance = nullptr;
  window_loop = false;
}

HINSTANCE GetInstance() {
  if (!instance) instance = GetModuleHandleA(nullptr);
  return instance;
}

std::string GetModuleFileName(HMODULE module) {
  // The buffer grows until the whole path fits: long paths are never cut.
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return "";
    if (n < buffer.size() - 1) return std::string(buffer.data(), n);
    if (buffer.size() >= 65536) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

bool WindowLoopRunning() { return window_loop; }

WindowLoopScope::WindowLoopScope() : previous_(window_loop) { window_loop = true; }
WindowLoopScope::~WindowLoopScope() { window_loop = previous_; }

void ReleaseResources() {}

}  // namespace gui
