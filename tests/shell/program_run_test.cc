// Starts the real program as a user would: from a program directory of its own, with
// another working directory. A watcher waits for the main dialog and presses "&Exit".
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "win_test_paths.h"

namespace {

constexpr char kMainTitle[] = "Create EXCEl-Sheets with Morvex2 ( Update : 4 )";
constexpr int kExitButton = 10;

TEST(Program, StartedOutsideItsDirectoryEndsWithExitCodeZero) {
  TempDir program_dir("prog");
  TempDir work_dir("work");
  std::string exe = program_dir.path() + "\\xlsamples.exe";
  ASSERT_TRUE(CopyFileA(UnixToWindowsPath(XLSAMPLES_EXE).c_str(), exe.c_str(), FALSE));
  CopyTablesInto(work_dir.path());
  std::atomic<bool> stop{false};
  std::atomic<bool> pressed{false};
  std::thread watcher([&] {
    for (int i = 0; i < 600 && !stop; ++i) {
      HWND dialog = FindWindowA(nullptr, kMainTitle);
      HWND exit_button = dialog ? GetDlgItem(dialog, kExitButton) : nullptr;
      if (exit_button && IsWindowVisible(dialog)) {
        PostMessageA(exit_button, BM_CLICK, 0, 0);
        pressed = true;
        return;
      }
      Sleep(100);
    }
  });
  DWORD code =
      RunAndWait("\"" + exe + "\" some arguments that change nothing", work_dir.path(), 60000);
  stop = true;
  watcher.join();
  EXPECT_TRUE(pressed) << "the main dialog did not appear";
  EXPECT_EQ(code, 0u);
}

}  // namespace
