#include "errors/win/windows_sources.h"

#include <intrin.h>
#include <windows.h>

#include "errors/win/error_dialog.h"
#include "errors/win/errorsys.h"
#include "gui/module.h"
#include "runtime/alert.h"
#include "runtime/date_text.h"
#include "runtime/start_time.h"
#include "runtime/text_compare.h"
#include "tables/workarea.h"

namespace errors {

std::string WindowsSystem::ProgramPath() {
  return gui::GetModuleFileName(nullptr);
}

int WindowsSystem::ProgramBits() {
  return static_cast<int>(sizeof(void*) * 8);
}

long long WindowsSystem::FileSize(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE found = FindFirstFileA(path.c_str(), &data);
  if (found == INVALID_HANDLE_VALUE) return 0;
  FindClose(found);
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string WindowsSystem::TimeFromStart() {
  return xb::TimeFromStart();
}
xb::Date WindowsSystem::Today() {
  return xb::Today();
}
std::string WindowsSystem::Now() {
  return xb::TimeText();
}
std::string WindowsSystem::ProcessorName() {
  return GETCPU();
}

long WindowsSystem::ProcessorMhz() {
  // Time-stamp counter ticks over a short interval of the performance counter.
  LARGE_INTEGER frequency, start, now;
  if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) return 0;
  QueryPerformanceCounter(&start);
  const unsigned long long tsc_start = __rdtsc();
  const LONGLONG span = frequency.QuadPart / 50;  // 20 ms
  do {
    QueryPerformanceCounter(&now);
  } while (now.QuadPart - start.QuadPart < span);
  const unsigned long long ticks = __rdtsc() - tsc_start;
  const double seconds =
      static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  return static_cast<long>(static_cast<double>(ticks) / seconds / 1e6 + 0.5);
}

double WindowsSystem::PhysicalMemory() {
  MEMORYSTATUSEX status;
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  return static_cast<double>(status.ullTotalPhys);
}

int WindowsSystem::FreeResources(int) {
  return 90;
}

std::string WindowsSystem::CompilerVersion() {
  return "GNU C++ " __VERSION__ ", mingw-w64 run time " __MINGW64_VERSION_STR;
}

std::vector<std::string> WindowsSystem::WindowTitles() {
  std::vector<std::string> titles;
  HWND active = GetActiveWindow();
  if (!active) return titles;
  for (HWND w = GetWindow(active, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
    char buffer[512];
    const int n = GetWindowTextA(w, buffer, sizeof buffer);
    const std::string title(buffer, n > 0 ? static_cast<size_t>(n) : 0);
    bool seen = false;
    for (const std::string& t : titles) {
      if (xb::TextEqualsExact(t, title)) {
        seen = true;
        break;
      }
    }
    if (!seen) titles.push_back(title);
  }
  return titles;
}

WindowsVersion QueryWindowsVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  WindowsVersion v;
  if (!GetVersionExA(&info)) return v;
  v.major = static_cast<int>(info.dwMajorVersion);
  v.minor = static_cast<int>(info.dwMinorVersion);
  v.build = static_cast<int>(info.dwBuildNumber & 0xFFFF);
  v.service_pack = info.szCSDVersion;
  v.platform = static_cast<int>(info.dwPlatformId);
  return v;
}

bool IsNtFamily() {
  return (GetVersion() & 0x80000000u) == 0;
}

std::string ErrorProgramDirectory() {
  const std::string path = gui::GetModuleFileName(nullptr);
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::optional<bool> WindowsPlatform::ShowDialog(const DialogRequest& request) {
  return ShowErrorDialog(request);
}

bool WindowsPlatform::WindowLoopRunning() {
  return gui::WindowLoopRunning();
}

void WindowsPlatform::ShowStop(const std::string& title, const std::string& text) {
  xb::ShowStopBox(title, text);
}

void WindowsPlatform::ReleaseFrameworkResources() {
  gui::ReleaseResources();
}

void WindowsPlatform::PostQuit() {
  PostQuitMessage(0);
}

void WindowsPlatform::SetNetError(bool value) {
  tables::SetNetError(value);
}

}  // namespace errors
