// The dialog layer under Wine: set-up order, the modal loop and its keys, the mended
// cancel inputs, the button's re-entry guard, validation, statics and the framework's
// failures, driven through the dialog's own message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/framework_error.h"
#include "gui/module.h"
#include "gui/say.h"
#include "quit_trap.h"
#include "runtime/error.h"
#include "ui_script.h"

namespace {

constexpr char kTitle[] = "Run-time title";

struct Counts {
  int alpha = 0;
  int beta = 0;
};

// The test dialog with buttons 1, 2 and 10 ("&Close" ends it) bound to counters.
std::unique_ptr<gui::TDialog> MakeDialog(Counts& counts) {
  auto dlg = gui::TDialog::New(kTitle, "TESTDLG");
  gui::TButton::ReDefine(
      1, [&counts] { ++counts.alpha; }, dlg.get());
  gui::TButton::ReDefine(
      2, [&counts] { ++counts.beta; }, dlg.get());
  gui::TDialog* raw = dlg.get();
  gui::TButton::ReDefine(
      10, [raw] { raw->End(); }, raw);
  return dlg;
}

int RunScripted(gui::TDialog& dlg, UiScript& script, gui::TDialog::StartHandler init = {},
                gui::TDialog::Condition valid = {}) {
  script.Start();
  return dlg.Activate({}, {}, {}, true, std::move(valid), true, std::move(init));
}

TEST(Dialog, SetUpRunsInOrderAndTheStartHandlerSeesTheFinishedDialog) {
  Counts counts;
  auto dlg = MakeDialog(counts);
  std::string title_at_start;
  bool visible_at_start = true;
  RECT rect_at_start{};
  bool loop_inside = false;
  int focus_id = -1;
  UiScript script([&] { dlg->End(); });
  script.Do([&] {
    loop_inside = gui::WindowLoopRunning();
    HWND focus = GetFocus();
    focus_id = GetParent(focus) == dlg->hWnd() ? GetDlgCtrlID(focus) : -1;
  });
  script.Do([&] { PostMessageA(GetDlgItem(dlg->hWnd(), 10), BM_CLICK, 0, 0); });
  const bool loop_before = gui::WindowLoopRunning();
  int result = RunScripted(*dlg, script, [&](gui::TDialog& d) {
    title_at_start = WindowText(d.hWnd());
    visible_at_start = IsWindowVisible(d.hWnd());
    GetWindowRect(d.hWnd(), &rect_at_start);
  });
  EXPECT_EQ(script.timed_out_at(), "");
  EXPECT_EQ(result, 2);
  EXPECT_EQ(title_at_start, kTitle);
  EXPECT_FALSE(visible_at_start) << "the start handler runs before the dialog is shown";
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const int mid_x = (rect_at_start.left + rect_at_start.right) / 2;
  const int mid_y = (rect_at_start.top + rect_at_start.bottom) / 2;
  EXPECT_NEAR(mid_x, (area.left + area.right) / 2, 1);
  EXPECT_NEAR(mid_y, (area.top + area.bottom) / 2, 1);
  EXPECT_TRUE(loop_inside);
  EXPECT_EQ(gui::WindowLoopRunning(), loop_before);
  EXPECT_EQ(focus_id, 1) << "first control with a tab stop";
  EXPECT_EQ(dlg->hWnd(), nullptr) << "the window is gone after a modal run";
  EXPECT_EQ(counts.alpha + counts.beta, 0);
}

// Every way to cancel ends the dialog as End() does; none clicks control 2.
struct CancelCase {
  const char* name;
  void (*input)(HWND dialog);
};

const CancelCase kCancelCases[] = {
    {"Esc on a focused button", [](HWND d) { PostKey(GetDlgItem(d, 1), VK_ESCAPE); }},
    {"Esc on the button with identifier 2", [](HWND d) { PostKey(GetDlgItem(d, 2), VK_ESCAPE); }},
    {"close box / WM_CLOSE", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }},
    {"system menu Close", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"Alt+F4", [](HWND d) { PostKey(GetDlgItem(d, 1), VK_F4, true); }},
    {"cancel command without a control",
     [](HWND d) { PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); }},
};

TEST(Dialog, EveryCancelInputEndsTheDialogWithoutClickingControlTwo) {
  for (const CancelCase& c : kCancelCases) {
    SCOPED_TRACE(c.name);
    Counts counts;
    auto dlg = MakeDialog(counts);
    UiScript script([&] { dlg->End(99); }, 5000);
    script.Do([&] { c.input(dlg->hWnd()); }, c.name);
    script.Settle(3);
    int result = RunScripted(*dlg, script);
    EXPECT_EQ(script.timed_out_at(), "");
    EXPECT_FALSE(script.left_open());
    EXPECT_EQ(result, 2);
    EXPECT_EQ(counts.beta, 0);
    EXPECT_EQ(counts.alpha, 0);
  }
}

// The dialog manager's keys: Enter presses the focused button, Alt+letter the button with
// that letter, Tab moves on.
TEST(Dialog, DialogManagerKeysPressButtons) {
  Counts counts;
  auto dlg = MakeDialog(counts);
  int focus_after_tab = -1;
  int beta_after_enter = -1;
  UiScript script([&] { dlg->End(); });
  script.Do([&] { PostKey(GetDlgItem(dlg->hWnd(), 1), VK_TAB); });
  script.Do([&] { focus_after_tab = GetDlgCtrlID(GetFocus()); });
  script.Do([&] { PostKey(GetFocus(), VK_RETURN); });
  script.Do([&] { beta_after_enter = counts.beta; });
  script.Do([&] { PostKey(GetFocus(), 'A', true); });
  script.Settle(2);
  script.Do([&] { PostKey(GetFocus(), 'C', true); });
  int result = RunScripted(*dlg, script);
  EXPECT_EQ(script.timed_out_at(), "");
  EXPECT_EQ(result, 2);
  EXPECT_EQ(focus_after_tab, 2);
  EXPECT_EQ(beta_after_enter, 1);
  EXPECT_EQ(counts.alpha, 1);
  EXPECT_EQ(counts.beta, 1);
}

TEST(Dialog, AClickWhileTheButtonsOwnActionRunsIsIgnored) {
  auto dlg = gui::TDialog::New(kTitle, "TESTDLG");
  int runs = 0;
  gui::TButton* alpha = nullptr;
  alpha = gui::TButton::ReDefine(
      1,
      [&] {
        ++runs;
        // An action that lets messages through, as an export does: a second click arrives.
        PostMessageA(alpha->hWnd(), BM_CLICK, 0, 0);
        for (int i = 0; i < 20; ++i) {
          MSG msg;
          while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
          Sleep(2);
        }
      },
      dlg.get());
  UiScript script([&] { dlg->End(); });
  script.Do([&] { PostMessageA(alpha->hWnd(), BM_CLICK, 0, 0); });
  script.Settle(3);
  script.Do([&] { dlg->End(); });
  RunScripted(*dlg, script);
  EXPECT_EQ(script.timed_out_at(), "");
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(alpha->clicks_ignored(), 1);
}

TEST(Dialog, ValidationCanRefuseTheEnd) {
  Counts counts;
  auto dlg = MakeDialog(counts);
  int asked = 0;
  bool first_end = true;
  bool active_after_refusal = false;
  UiScript script([&] {
    asked = 100;
    dlg->End();
  });
  script.Do([&] { first_end = dlg->End(); });
  script.Do([&] { active_after_refusal = dlg->active(); });
  script.Do([&] { PostMessageA(dlg->hWnd(), WM_CLOSE, 0, 0); });
  int result = RunScripted(*dlg, script, {}, [&] { return ++asked > 1; });
  EXPECT_EQ(script.timed_out_at(), "");
  EXPECT_FALSE(first_end);
  EXPECT_TRUE(active_after_refusal);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(result, 2);
}

TEST(Dialog, ButtonCaptionAndStaticTextReplaceTheTemplates) {
  auto dlg = gui::TDialog::New(kTitle, "TESTDLG");
  gui::TButton::ReDefine(
      1, {}, dlg.get(), 0, {}, false, [] { return false; }, {}, "Other");
  gui::TSay* say = gui::TSay::ReDefine(
      50, [] { return std::string("Set at set-up"); }, dlg.get());
  std::string caption, label;
  bool enabled = true;
  UiScript script([&] { dlg->End(); });
  script.Do([&] {
    caption = WindowText(GetDlgItem(dlg->hWnd(), 1));
    enabled = IsWindowEnabled(GetDlgItem(dlg->hWnd(), 1));
    label = say->GetText();
    dlg->End();
  });
  RunScripted(*dlg, script);
  EXPECT_EQ(caption, "Other");
  EXPECT_FALSE(enabled) << "the enabling condition said no";
  EXPECT_EQ(label, "Set at set-up");
}

// The framework's own failures reach the error handler, which cannot let the program go
// on: the run time's recovery failure ends it (caught here by the end hook).
struct FailureCase {
  const char* name;
  const char* resource;
  std::vector<int> ids;  // buttons attached
  int sub_code;
  const char* description;
  std::string operation;
};

TEST(Dialog, FrameworkFailuresRaiseWithSubsystemMorvex2) {
  const FailureCase cases[] = {
      {"control the template lacks", "TESTDLG", {1, 77, 2}, 1, "Non defined Id", "No:     77"},
      {"same identifier twice", "TESTDLG", {1, 10, 1}, 2, "Duplicated Id", "No:      1"},
      {"no such template",
       "NOSUCHDLG",
       {1},
       3,
       "Cannot create Dialog Box",
       "\r\n                      Resource: NOSUCHDLG"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<xb::Error> seen;
    auto old = xb::SetErrorHandler([&](xb::Error& e) {
      seen.push_back(e);
      return xb::Value::Logical(false);
    });
    QuitAndAlertCatcher catcher;
    bool init_ran = false;
    {
      auto dlg = gui::TDialog::New(kTitle, c.resource);
      for (int id : c.ids) gui::TButton::ReDefine(id, {}, dlg.get());
      try {
        dlg->Activate({}, {}, {}, false, {}, true, [&](gui::TDialog&) { init_ran = true; });
        ADD_FAILURE() << "Activate returned";
      } catch (const QuitTrap& trap) {
        EXPECT_EQ(trap.exit_code, 1);
      }
      EXPECT_EQ(dlg->hWnd(), nullptr);
    }
    xb::SetErrorHandler(old);
    EXPECT_FALSE(init_ran);
    EXPECT_EQ(FindWindowA(nullptr, kTitle), nullptr);
    ASSERT_EQ(seen.size(), 1u);
    const xb::Error& e = seen[0];
    EXPECT_EQ(e.sub_system.text(), "Morvex2");
    EXPECT_EQ(e.sub_code.number(), c.sub_code);
    EXPECT_EQ(e.description.text(), c.description);
    EXPECT_EQ(e.operation, c.operation);
    EXPECT_EQ(e.severity, 2);
    EXPECT_FALSE(e.can_retry);
    EXPECT_FALSE(e.can_default);
    EXPECT_FALSE(e.can_substitute);
  }
}

TEST(FrameworkError, OperationTexts) {
  const struct {
    int id;
    const char* text;
  } ids[] = {{110, "No:    110"}, {1, "No:      1"}, {-1, "No:     -1"}, {1234567, "No: 1234567"}};
  for (const auto& c : ids) EXPECT_EQ(gui::IdOperation(c.id), c.text) << c.id;
  EXPECT_EQ(gui::ResourceOperation("SAMPLES"), "\r\n" + std::string(22, ' ') + "Resource: SAMPLES");
}

}  // namespace
