#include "gui/module.h"

#include <string>
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

bool WindowLoopRunning() {
  return window_loop;
}

WindowLoopScope::WindowLoopScope() : previous_(window_loop) {
  window_loop = true;
}
WindowLoopScope::~WindowLoopScope() {
  window_loop = previous_;
}

namespace {
std::vector<std::string>& registered_classes() {
  static std::vector<std::string> names;
  return names;
}
}  // namespace

void NoteRegisteredClass(const char* class_name) {
  for (const std::string& name : registered_classes())
    if (name == class_name) return;
  registered_classes().push_back(class_name);
}

void ReleaseResources() {
  for (const std::string& name : registered_classes())
    UnregisterClassA(name.c_str(), GetInstance());
  registered_classes().clear();
}

}  // namespace gui
