// The framework's module values and small Windows wrappers used at start-up.
//   GetInstance(): the program's module handle, fetched on the first call.
//   GetModuleFileName(module): the module's full path, however long it is.
//   WindowLoopRunning(): true while a modal dialog or main loop of the framework runs;
//   each sets it for its lifetime and puts back the value before.
#pragma once

#include <windows.h>

#include <string>

namespace gui {

void InitModule();  // the framework's static values, before MAIN
HINSTANCE GetInstance();
std::string GetModuleFileName(HMODULE module);

bool WindowLoopRunning();
class WindowLoopScope {
 public:
  WindowLoopScope();
  ~WindowLoopScope();
  WindowLoopScope(const WindowLoopScope&) = delete;
  WindowLoopScope& operator=(const WindowLoopScope&) = delete;

 private:
  bool previous_;
};

// Window classes the framework registered are noted, so that ReleaseResources (the quit
// action's first step) can unregister them; a later use registers them again.
void NoteRegisteredClass(const char* class_name);
void ReleaseResources();

}  // namespace gui
