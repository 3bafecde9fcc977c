// The handler's flow: triage, guard, fallback, report, log, dialog and final decision.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "errors/handler.h"
#include "fixed_sources.h"
#include "runtime/call_chain.h"
#include "runtime/settings.h"
#include "tests/runtime/quit_trap.h"

namespace fs = std::filesystem;

namespace {

struct FakePlatform : errors::HandlerPlatform {
  errors_test::FixedSystem system;
  errors_test::FixedTables tables;
  errors_test::FixedRuntime runtime;
  std::string directory;
  std::vector<std::string> events;
  std::vector<errors::DialogRequest> dialogs;
  std::optional<bool> answer;
  bool loop_running = true;
  std::function<void()> during_dialog;
  bool net_error = false;

  errors::WindowsVersion QueryVersion() override {
    events.push_back("version");
    return {6, 1, 7601, "Service Pack 1", 2};
  }
  bool IsNtFamily() override { return true; }
  errors::SystemSource& System() override { return system; }
  errors::TableSource& Tables() override { return tables; }
  errors::RuntimeSource& Runtime() override { return runtime; }
  std::string ProgramDirectory() override { return directory; }
  std::optional<bool> ShowDialog(const errors::DialogRequest& r) override {
    events.push_back("dialog");
    dialogs.push_back(r);
    if (during_dialog) during_dialog();
    return answer;
  }
  bool WindowLoopRunning() override { return loop_running; }
  void ShowStop(const std::string& title, const std::string& text) override {
    events.push_back("stop " + title + "|" + text);
  }
  void ReleaseFrameworkResources() override { events.push_back("release"); }
  void PostQuit() override { events.push_back("post quit"); }
  void SetNetError(bool value) override { net_error = value; }
};

// Frames opened outermost first, as nested procedures would open them.
std::vector<std::unique_ptr<xb::Frame>> OpenFrames(std::initializer_list<const char*> names) {
  std::vector<std::unique_ptr<xb::Frame>> frames;
  for (const char* name : names) frames.push_back(std::make_unique<xb::Frame>(name, __FILE__, 1));
  return frames;
}

class Handler : public ::testing::Test {
 protected:
  Handler() {
    xb::ResetSettings();
    xb::Set(xb::kSetDateFormat, xb::Value::Text("dd.mm.yyyy"));
    char pattern[] = "/tmp/xb_errhandler_XXXXXX";
    dir_ = mkdtemp(pattern);
    platform_ = std::make_shared<FakePlatform>();
    platform_->directory = dir_.string();
    previous_ = xb::SetErrorHandler({});
    errors::InstallHandler(platform_);
  }
  ~Handler() override {
    xb::SetErrorHandler(previous_);
    fs::remove_all(dir_);
  }
  std::string Log(int n) {
    std::ifstream in(dir_ / errors::LogFileName(n), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // An open error raised from a procedure of its own, as a table open would be.
  xb::Answer RaiseOpenError(int os_code, bool can_default = true) {
    XB_PROC("OPEN_TABLES");
    XB_LINE();
    xb::Error e = xb::Error::Generic(xb::kErrOpen, "DBFCDX", 1001);
    e.os_code = os_code;
    e.file_name = "PRODUCT.DBF";
    e.can_retry = true;
    e.can_default = can_default;
    return xb::Raise(e);
  }
  xb::Answer RaiseEmptyArea() {
    XB_PROC("DBGOTOP");
    XB_LINE();
    xb::Error e = xb::Error::Generic(xb::kErrNoTable, "DBCMD", 2001);
    e.operation = "DBGOTOP";
    e.can_default = true;
    return xb::Raise(e);
  }

  fs::path dir_;
  std::shared_ptr<FakePlatform> platform_;
  xb::ErrorHandler previous_;
  QuitAndAlertCatcher catcher_;
};

TEST_F(Handler, SilentAnswersLeaveItInstalled) {
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(xb::Divide(xb::Value::Number(4), xb::Value::Number(0)).number(), 0);
    EXPECT_EQ(RaiseOpenError(32).resolution, xb::Resolution::kDefault);
    EXPECT_EQ(RaiseOpenError(5).resolution, xb::Resolution::kDefault);
  }
  EXPECT_TRUE(platform_->net_error);
  EXPECT_TRUE(platform_->dialogs.empty());
  EXPECT_TRUE(fs::is_empty(dir_));
  // The queries of the entry come before the triage, once per call.
  EXPECT_EQ(platform_->events, std::vector<std::string>(6, "version"));
}

TEST_F(Handler, QuitEndsWithExitCodeOneAfterLogAndDialog) {
  platform_->answer = std::nullopt;
  try {
    RaiseOpenError(2);
    FAIL() << "the handler returned";
  } catch (const QuitTrap& q) {
    EXPECT_EQ(q.exit_code, 1);
  }
  EXPECT_EQ(platform_->events,
            (std::vector<std::string>{"version", "dialog", "release", "post quit"}));
  ASSERT_EQ(platform_->dialogs.size(), 1u);
  const errors::DialogRequest& d = platform_->dialogs[0];
  EXPECT_EQ(d.button_count, 3);
  EXPECT_TRUE(d.can_retry && d.can_default && d.nt_family);
  EXPECT_EQ(d.log.name, "ERROR_1.log");
  EXPECT_TRUE(d.log.written);
  EXPECT_EQ(d.description_line,
            "   Error description : (DOS Error 2) DBFCDX/1001  Open error: PRODUCT.DBF\r\n");
  // Level 2 is the raiser; the handler and its closure never show.
  ASSERT_FALSE(d.stack_lines.empty());
  EXPECT_EQ(d.stack_lines[0].rfind("   Called from : handler_test.cc => OPEN_TABLES(", 0), 0u)
      << d.stack_lines[0];
  const std::string log = Log(1);
  EXPECT_EQ(log.find("ERRORDIALOG"), std::string::npos);
  EXPECT_EQ(log.find("(b)ERRORSYS"), std::string::npos);
  EXPECT_NE(log.find(d.description_line), std::string::npos);
  EXPECT_EQ(log.back(), 26);
}

TEST_F(Handler, RetryAndDefaultGoBackToTheRaiser) {
  platform_->answer = true;
  platform_->loop_running = true;
  EXPECT_EQ(RaiseOpenError(2).resolution, xb::Resolution::kRetry);
  EXPECT_TRUE(platform_->events.size() == 2 && platform_->events[1] == "dialog");
}

TEST_F(Handler, DefaultThenTheNextErrorShowsTheStopBox) {
  platform_->answer = false;
  platform_->loop_running = false;
  EXPECT_EQ(RaiseOpenError(2).resolution, xb::Resolution::kDefault);
  EXPECT_EQ(Log(1).empty(), false);
  // The fallback is current from now on: the next error gets only the Stop box.
  platform_->events.clear();
  try {
    RaiseEmptyArea();
    FAIL() << "the fallback returned";
  } catch (const QuitTrap& q) {
    EXPECT_EQ(q.exit_code, 1);
  }
  ASSERT_EQ(platform_->events.size(), 1u);
  EXPECT_EQ(platform_->events[0].rfind("stop Stop|Error DBCMD/2001  Workarea not in use: DBGOTOP"
                                       " from Errorsys, Line :",
                                       0),
            0u)
      << platform_->events[0];
  EXPECT_EQ(platform_->dialogs.size(), 1u);
  EXPECT_FALSE(fs::exists(dir_ / "ERROR_2.log"));
}

TEST_F(Handler, FallbackShowsTheRaisersLine) {
  platform_->answer = false;
  RaiseOpenError(2);
  int line = 0;
  try {
    XB_PROC("SOMEWHERE");
    xb_frame_.set_line(123);
    line = 123;
    xb::Divide(xb::Value::Number(1), xb::Value::Number(0));
  } catch (const QuitTrap&) {
  }
  ASSERT_EQ(line, 123);
  EXPECT_EQ(platform_->events.back(),
            "stop Stop|Error BASE/1340  Zero divisor: / from Errorsys, Line :123");
}

TEST_F(Handler, RetryWithoutAWindowLoopQuits) {
  platform_->answer = true;
  platform_->loop_running = false;
  EXPECT_THROW(RaiseOpenError(2), QuitTrap);
  EXPECT_EQ(xb::ExitCode(), 1);
}

TEST_F(Handler, AnErrorDuringTheDialogReachesTheFallback) {
  platform_->answer = true;
  platform_->during_dialog = [this] { RaiseEmptyArea(); };
  EXPECT_THROW(RaiseOpenError(2), QuitTrap);
  EXPECT_EQ(platform_->events.back().rfind("stop Stop|", 0), 0u);
}

TEST_F(Handler, AHandlerAtLevelSevenQuitsAtOnce) {
  // Seen from the handler: 0 itself, 1 its closure, 2..6 these frames, 7 the name.
  try {
    auto frames = OpenFrames({"ERRORDIALOGX", "L6", "L5", "L4", "L3", "L2"});
    xb::Error e = xb::Error::Generic(xb::kErrNoTable, "DBCMD", 2001);
    e.can_default = true;
    xb::Raise(e);
    FAIL() << "the handler returned";
  } catch (const QuitTrap& q) {
    EXPECT_EQ(q.exit_code, 1);
  }
  EXPECT_EQ(platform_->events, (std::vector<std::string>{"version", "release", "post quit"}));
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(Handler, ANameOneLevelOffIsNoGuard) {
  platform_->answer = false;
  auto frames = OpenFrames({"ERRORDIALOGX", "L6", "L5", "L4", "L3", "L2", "L1"});
  xb::Error e = xb::Error::Generic(xb::kErrNoTable, "DBCMD", 2001);
  e.can_default = true;
  EXPECT_EQ(xb::Raise(e).resolution, xb::Resolution::kDefault);
  EXPECT_EQ(platform_->dialogs.size(), 1u);
}

TEST_F(Handler, AnAutomationErrorOffersOnlyQuit) {
  xb::Error e;
  e.gen_code = 1001;
  e.sub_system = xb::Value::Text("EXCEL");
  e.sub_code = xb::Value::Number(1001);
  e.description = xb::Value::Text("Unknown name");
  e.can_substitute = true;
  EXPECT_THROW(xb::Raise(e), QuitTrap);
  ASSERT_EQ(platform_->dialogs.size(), 1u);
  EXPECT_EQ(platform_->dialogs[0].button_count, 1);
}

}  // namespace
