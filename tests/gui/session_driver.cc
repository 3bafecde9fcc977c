// Drives the running program from another process, for the scripted session of
// `make run` (scripts/session.sh). One command per call; the exit code says whether it
// worked (0) or timed out (1); 2 is a usage error.
//   session_driver wait-window TITLE [ms]      until a visible window has this title
//   session_driver wait-gone TITLE [ms]        until no window has this title
//   session_driver press TITLE ID              clicks button ID of that window
//   session_driver click TITLE ID X Y          left click at client X, Y of control ID
//   session_driver answer-box TITLE [ms]       answers a message box with this title (OK)
//   session_driver texts TITLE                 prints the texts of that window's controls,
//                                              one a line (a message box's text included)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HWND Visible(const char* title) {
  HWND hwnd = FindWindowA(nullptr, title);
  return hwnd && IsWindowVisible(hwnd) ? hwnd : nullptr;
}

bool WaitFor(bool (*done)(const char*), const char* title, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done(title)) {
    if (GetTickCount() - start > ms) return false;
    Sleep(50);
  }
  return true;
}

// Controls' texts, so that scripts can tell apart boxes that share a title.
BOOL CALLBACK PrintText(HWND child, LPARAM) {
  // WM_GETTEXT rather than GetWindowText, which does not ask windows of other processes.
  char text[1024] = {0};
  DWORD_PTR length = 0;
  if (SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 2000, &length) &&
      length > 0)
    std::printf("%s\n", text);
  return TRUE;
}

int Usage() {
  std::fprintf(stderr,
               "usage: session_driver wait-window|wait-gone|press|click|answer-box|texts ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const char* title = argv[2];
  const DWORD ms = argc > 3 && command.rfind("wait", 0) == 0 ? std::atoi(argv[3]) : 30000;
  if (command == "wait-window")
    return WaitFor([](const char* t) { return Visible(t) != nullptr; }, title, ms) ? 0 : 1;
  if (command == "wait-gone")
    return WaitFor([](const char* t) { return FindWindowA(nullptr, t) == nullptr; }, title, ms) ? 0
                                                                                                : 1;
  if (command == "answer-box") {
    const DWORD wait = argc > 3 ? std::atoi(argv[3]) : 30000;
    if (!WaitFor([](const char* t) { return Visible(t) != nullptr; }, title, wait)) return 1;
    PostMessageA(Visible(title), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return 0;
  }
  HWND window = Visible(title);
  if (!window) return 1;
  if (command == "texts") {
    EnumChildWindows(window, PrintText, 0);
    std::fflush(stdout);
    return 0;
  }
  if (command == "press" && argc == 4) {
    HWND button = GetDlgItem(window, std::atoi(argv[3]));
    if (!button) return 1;
    PostMessageA(button, BM_CLICK, 0, 0);
    return 0;
  }
  if (command == "click" && argc == 6) {
    HWND control = GetDlgItem(window, std::atoi(argv[3]));
    if (!control) return 1;
    const LPARAM at = MAKELPARAM(std::atoi(argv[4]), std::atoi(argv[5]));
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
    return 0;
  }
  return Usage();
}
