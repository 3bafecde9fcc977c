// The installed handler under Wine, in-process: report, log file in the program
// directory, the dialog, and the answer.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "dialog_driver.h"
#include "errors/log_files.h"
#include "errors/win/errorsys.h"
#include "errors/win/windows_sources.h"
#include "quit_trap.h"
#include "runtime/call_chain.h"
#include "runtime/error.h"

namespace {

void RemoveLogs(const std::string& dir) {
  for (int n = 1; n <= 11; ++n) DeleteFileA(errors::LogFilePath(dir, n).c_str());
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

xb::Answer OpenMissingTable() {
  XB_PROC("OPEN_TABLES");
  XB_LINE();
  xb::Error e = xb::Error::Generic(xb::kErrOpen, "DBFCDX", 1001);
  e.os_code = 2;
  e.file_name = "PRODUCT.DBF";
  e.can_retry = e.can_default = true;
  return xb::Raise(e);
}

class InstalledHandler : public ::testing::Test {
 protected:
  InstalledHandler() : dir_(errors::ErrorProgramDirectory()) {
    RemoveLogs(dir_);
    previous_ = xb::SetErrorHandler({});
    errors::ERRORSYS();
  }
  ~InstalledHandler() override {
    xb::SetErrorHandler(previous_);
    RemoveLogs(dir_);
  }
  std::string dir_;
  xb::ErrorHandler previous_;
  QuitAndAlertCatcher catcher_;
};

TEST_F(InstalledHandler, DefaultAnswersAfterTheLogIsWritten) {
  errors_test::DialogState s;
  std::vector<std::string> commands;
  auto old = errors::SetNotepadHook([&](const std::string& c) { commands.push_back(c); });
  // The dialog is driven from a thread timer started by the dialog hook.
  static errors_test::DialogState* state = &s;
  auto hook = errors::SetErrorDialogHook([](HWND) {
    SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      HWND dialog = FindWindowA(nullptr, "Error-Message");
      if (!dialog) return;
      *state = errors_test::ReadDialog(dialog);
      SendMessageA(GetDlgItem(dialog, errors::kIdOpenFile), BM_CLICK, 0, 0);
      PostMessageA(GetDlgItem(dialog, errors::kIdDefault), BM_CLICK, 0, 0);
    });
  });
  const xb::Answer answer = OpenMissingTable();
  errors::SetErrorDialogHook(hook);
  errors::SetNotepadHook(old);
  EXPECT_EQ(answer.resolution, xb::Resolution::kDefault);
  const std::string log = ReadAll(errors::LogFilePath(dir_, 1));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), 26);
  EXPECT_NE(log.find("   Error description : (DOS Error 2) DBFCDX/1001  Open error: PRODUCT.DBF"),
            std::string::npos);
  EXPECT_NE(log.find("   Windows-version: 6.1, Stand 7601 Service Pack 1\r\n"), std::string::npos);
  EXPECT_NE(log.find(" (64 bits)\r\n"), std::string::npos);
  EXPECT_EQ(log.find("ERRORDIALOG"), std::string::npos);
  ASSERT_FALSE(s.list_items.empty());
  EXPECT_EQ(s.list_items[0].rfind("   Called from : handler_win_test.cc => OPEN_TABLES(", 0), 0u)
      << s.list_items[0];
  EXPECT_EQ(FindControl(s, errors::kIdOpenFile)->text, "ERROR_1.log - Open file");
  EXPECT_EQ(commands, std::vector<std::string>{"Notepad.exe " + errors::LogFilePath(dir_, 1)});
  // The fallback is current now: the next error shows the Stop box and ends the run.
  try {
    OpenMissingTable();
    FAIL() << "the fallback returned";
  } catch (const QuitTrap& q) {
    EXPECT_EQ(q.exit_code, 1);
  }
  ASSERT_EQ(catcher_.alerts.size(), 1u);
  EXPECT_EQ(catcher_.alerts[0].rfind("Stop|(DOS Error 2) DBFCDX/1001  Open error: PRODUCT.DBF"
                                     " from Errorsys, Line :",
                                     0),
            0u)
      << catcher_.alerts[0];
}

}  // namespace
