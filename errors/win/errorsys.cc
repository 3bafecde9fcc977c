#include "errors/win/errorsys.h"

#include <windows.h>

#include <memory>

#include "errors/handler.h"
#include "errors/win/windows_sources.h"

namespace errors {

void ERRORSYS() {
  InstallHandler(std::make_shared<WindowsPlatform>());
}

void ERRORLINK() {}

std::string GETCPU() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0,
                    KEY_READ, &key) != ERROR_SUCCESS) {
    return "";
  }
  std::string text;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, "ProcessorNameString", nullptr, &type, nullptr, &size) ==
          ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
    text.resize(size);
    if (RegQueryValueExA(key, "ProcessorNameString", nullptr, &type,
                         reinterpret_cast<BYTE*>(text.data()), &size) == ERROR_SUCCESS) {
      text.resize(size);
    } else {
      text.clear();
    }
  }
  RegCloseKey(key);
  std::erase(text, '\0');
  return text;
}

}  // namespace errors
