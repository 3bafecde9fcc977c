// Starts the real program as a user would: from a program directory of its own, with
// another working directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win_test_paths.h"

namespace {

TEST(Program, StartedOutsideItsDirectoryEndsWithExitCodeZero) {
  TempDir program_dir("prog");
  TempDir work_dir("work");
  std::string exe = program_dir.path() + "\\xlsamples.exe";
  ASSERT_TRUE(CopyFileA(UnixToWindowsPath(XLSAMPLES_EXE).c_str(), exe.c_str(), FALSE));
  CopyTablesInto(work_dir.path());
  DWORD code = RunAndWait("\"" + exe + "\" some arguments that change nothing", work_dir.path(), 60000);
  EXPECT_EQ(code, 0u);
}

}  // namespace
