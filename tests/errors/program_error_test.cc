// The real program under Wine, started where PRODUCT.DBF is missing: the error dialog,
// Quit, Default and the Stop box that follows it.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "errors/win/error_dialog.h"
#include "win_test_paths.h"

namespace {

struct Seen {
  std::atomic<bool> dialog{false};
  int retry_left = -1, quit_left = -1, default_left = -1;
  std::string stop_text;
};

int LeftInUnits(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (!button) return -1;
  RECT r;
  GetWindowRect(button, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r.left / 2;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs the program; the watcher answers the error dialog with `button`, then any Stop box.
DWORD RunWithoutTable(int button, Seen& seen, TempDir& program_dir, TempDir& work_dir) {
  const std::string exe = program_dir.path() + "\\xlsamples.exe";
  EXPECT_TRUE(CopyFileA(UnixToWindowsPath(XLSAMPLES_EXE).c_str(), exe.c_str(), FALSE));
  std::atomic<bool> stop{false};
  std::thread watcher([&] {
    bool answered = false;
    for (int i = 0; i < 600 && !stop; ++i, Sleep(100)) {
      HWND dialog = FindWindowA(nullptr, "Error-Message");
      if (dialog && !answered && GetDlgItem(dialog, errors::kIdQuit)) {
        seen.dialog = true;
        seen.retry_left = LeftInUnits(dialog, errors::kIdRetry);
        seen.quit_left = LeftInUnits(dialog, errors::kIdQuit);
        seen.default_left = LeftInUnits(dialog, errors::kIdDefault);
        PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
        answered = true;
        continue;
      }
      HWND box = FindWindowA("#32770", "Stop");
      if (box && answered) {
        char text[1024] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        seen.stop_text = text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        return;
      }
    }
  });
  const DWORD code = RunAndWait("\"" + exe + "\"", work_dir.path(), 60000);
  stop = true;
  watcher.join();
  return code;
}

TEST(ProgramError, QuitEndsWithExitCodeOneAndTheLogInTheProgramDirectory) {
  TempDir program_dir("errprog");
  TempDir work_dir("errwork");
  Seen seen;
  const DWORD code = RunWithoutTable(errors::kIdQuit, seen, program_dir, work_dir);
  ASSERT_TRUE(seen.dialog) << "no error dialog";
  EXPECT_EQ(seen.retry_left, 13);
  EXPECT_EQ(seen.quit_left, 75);
  EXPECT_EQ(seen.default_left, 135);
  EXPECT_EQ(code, 1u);
  const std::string log = ReadAll(program_dir.path() + "\\ERROR_1.log");
  EXPECT_NE(log.find("   Error description : (DOS Error 2) DBFCDX/1001  Open error: PRODUCT.DBF"),
            std::string::npos)
      << log.substr(0, 600);
  EXPECT_NE(log.find("\r\nStack Calls\r\n"), std::string::npos);
  EXPECT_NE(log.find("=> MAIN("), std::string::npos);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), 26);
  EXPECT_EQ(GetFileAttributesA((work_dir.path() + "\\ERROR_1.log").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST(ProgramError, DefaultLeavesTheTableUnopenedThenTheStopBoxEndsTheRun) {
  TempDir program_dir("errprog2");
  TempDir work_dir("errwork2");
  Seen seen;
  const DWORD code = RunWithoutTable(errors::kIdDefault, seen, program_dir, work_dir);
  ASSERT_TRUE(seen.dialog) << "no error dialog";
  EXPECT_NE(seen.stop_text.find(" from Errorsys, Line :"), std::string::npos)
      << "Stop box text: " << seen.stop_text;
  EXPECT_EQ(code, 1u);
  EXPECT_NE(GetFileAttributesA((program_dir.path() + "\\ERROR_1.log").c_str()),
            INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA((program_dir.path() + "\\ERROR_2.log").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

}  // namespace
