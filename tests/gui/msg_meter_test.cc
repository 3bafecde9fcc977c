// The progress-meter dialog under Wine, driven from inside its own action: the one run
// on the first paint, the layout and font, the repaint rule with the messages it lets
// through, Cancel, and the inputs that must not close the dialog.
#include "gui/msg_meter.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/module.h"
#include "ui_script.h"

namespace {

constexpr char kTitle[] = "Total : 1234 EXCEL-Products will be created ...";
constexpr char kMessage[] = "C:\\samples\\PRODUCT\r\n ";
constexpr UINT kProbe = WM_APP + 40;  // posted by the tests to see messages let through

using Body = std::function<void(gui::TMeter&, gui::TMeterText&, gui::MemoryDialog&, bool&)>;

struct MeterRun {
  bool cancelled = false;
  int actions = 0;
  bool gave_up = false;
};

bool g_gave_up = false;

void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_gave_up = true;
  PostQuitMessage(0);  // the dialog's loop ends on a quit message
}

// Runs MsgMeter with a watchdog: should the action never start, a quit message ends the
// modal loop, so a broken dialog fails the test rather than hanging it.
MeterRun RunMeter(const Body& body, const std::string& message = kMessage,
                  const std::string& title = kTitle) {
  MeterRun run;
  g_gave_up = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 8000, &GiveUp);
  run.cancelled = gui::MsgMeter(
      [&](gui::TMeter& meter, gui::TMeterText& text, gui::MemoryDialog& dialog, bool& cancel) {
        ++run.actions;
        body(meter, text, dialog, cancel);
      },
      message, title);
  KillTimer(nullptr, timer);
  run.gave_up = g_gave_up;
  if (g_gave_up) {
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  return run;
}

// Counts what reaches the dialog (probes) and the bar (paints) by subclassing both for
// its lifetime.
class Spy {
 public:
  Spy(HWND dialog, HWND bar) : dialog_(dialog), bar_(bar) {
    current_ = this;
    old_dialog_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogProc)));
    old_bar_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BarProc)));
  }
  ~Spy() {
    SetWindowLongPtrA(dialog_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_dialog_));
    SetWindowLongPtrA(bar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_bar_));
    current_ = nullptr;
  }
  Spy(const Spy&) = delete;
  Spy& operator=(const Spy&) = delete;

  void PostProbe() {
    PostMessageA(dialog_, kProbe, 0, 0);
    ++probes_posted;
  }

  int probes_posted = 0;
  int probes_seen = 0;
  int bar_paints = 0;

 private:
  static LRESULT CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kProbe) ++current_->probes_seen;
    return CallWindowProcA(current_->old_dialog_, hwnd, msg, wp, lp);
  }
  static LRESULT CALLBACK BarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) ++current_->bar_paints;
    return CallWindowProcA(current_->old_bar_, hwnd, msg, wp, lp);
  }

  static inline Spy* current_ = nullptr;
  HWND dialog_;
  HWND bar_;
  WNDPROC old_dialog_ = nullptr;
  WNDPROC old_bar_ = nullptr;
};

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

RECT ClientRectOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(MsgMeter, TheActionRunsOnceOnTheFirstPaintAndItsReturnClosesTheDialog) {
  struct Seen {
    bool meter_is_bar = false, text_is_line = false, dialog_found = false;
    bool visible = false, painted = false, in_loop = false, running = false;
    bool cancel = true;
    long total = 0, position = -1;
  } seen;
  HWND dialog_window = nullptr;
  const MeterRun run = RunMeter(
      [&](gui::TMeter& meter, gui::TMeterText& text, gui::MemoryDialog& dialog, bool& cancel) {
        HWND d = dialog.hWnd();
        dialog_window = d;
        seen.meter_is_bar = meter.hWnd() && meter.hWnd() == GetDlgItem(d, gui::kMeterBarId);
        seen.text_is_line = text.hWnd() && text.hWnd() == GetDlgItem(d, gui::kMeterTextId);
        seen.dialog_found = d && FindWindowA(nullptr, kTitle) == d;
        seen.visible = IsWindowVisible(d);
        seen.painted = !GetUpdateRect(d, nullptr, FALSE);
        seen.in_loop = gui::WindowLoopRunning();
        seen.running = dialog.running();
        seen.cancel = cancel;
        seen.total = meter.total();
        seen.position = meter.position();
        // Paints while the action runs must not start it again.
        InvalidateRect(d, nullptr, TRUE);
        UpdateWindow(d);
        for (long i = 1; i <= 10; ++i) meter.Set(i);
      });
  EXPECT_FALSE(run.gave_up) << "the action never ran";
  EXPECT_EQ(run.actions, 1);
  EXPECT_FALSE(run.cancelled);
  EXPECT_TRUE(seen.meter_is_bar);
  EXPECT_TRUE(seen.text_is_line);
  EXPECT_TRUE(seen.dialog_found);
  EXPECT_TRUE(seen.visible);
  EXPECT_TRUE(seen.painted) << "the action starts once the dialog has been painted";
  EXPECT_TRUE(seen.in_loop);
  EXPECT_TRUE(seen.running);
  EXPECT_FALSE(seen.cancel);
  EXPECT_EQ(seen.total, 10);
  EXPECT_EQ(seen.position, 0);
  EXPECT_FALSE(IsWindow(dialog_window)) << "the dialog is gone when MsgMeter returns";
  EXPECT_EQ(FindWindowA(nullptr, kTitle), nullptr);
}

TEST(MsgMeter, TitleMessageFontAndControls) {
  struct Control {
    int id;
    std::string class_name;
    std::string text;
    RECT rect;  // client pixels
    bool tab_stop;
  };
  const Control expected[] = {
      {gui::kMeterTextId, "Static", kMessage, {15, 4, 145, 14}, false},
      {gui::kMeterBarId, gui::kMeterBarClass, "", {5, 20, 155, 30}, false},
      {gui::kMeterCancelId, "Button", "&Cancel", {64, 38, 96, 49}, true},
  };
  std::string title, text_line, after_set_text;
  RECT client{}, window{};
  LOGFONTA font{};
  bool font_read = false, controls_share_font = true;
  std::vector<Control> found;
  LONG button_type = -1;
  const MeterRun run = RunMeter([&](gui::TMeter&, gui::TMeterText& text, gui::MemoryDialog& dialog,
                                    bool&) {
    HWND d = dialog.hWnd();
    title = WindowText(d);
    GetClientRect(d, &client);
    GetWindowRect(d, &window);
    HFONT f = reinterpret_cast<HFONT>(SendMessageA(d, WM_GETFONT, 0, 0));
    font_read = f && GetObjectA(f, sizeof font, &font) == sizeof font;
    for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      const LONG style = static_cast<LONG>(GetWindowLongPtrA(c, GWL_STYLE));
      const int id = GetDlgCtrlID(c);
      found.push_back({id, ClassOf(c), WindowText(c), ClientRectOf(c), (style & WS_TABSTOP) != 0});
      if (id == gui::kMeterCancelId) button_type = style & BS_TYPEMASK;
      if (id != gui::kMeterBarId) {
        const LRESULT control_font = SendMessageA(c, WM_GETFONT, 0, 0);
        controls_share_font &= control_font == reinterpret_cast<LRESULT>(f);
      }
    }
    text_line = text.GetText();
    text.SetText("PRODUCT");
    after_set_text = WindowText(GetDlgItem(d, gui::kMeterTextId));
  });
  EXPECT_FALSE(run.gave_up);
  EXPECT_EQ(title, kTitle);
  EXPECT_EQ(client.right - client.left, 160);
  EXPECT_EQ(client.bottom - client.top, 56);
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR((window.left + window.right) / 2, (area.left + area.right) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, (area.top + area.bottom) / 2, 1);

  ASSERT_TRUE(font_read) << "the dialog has a font of its own";
  EXPECT_EQ(std::string(font.lfFaceName), "Ms Sans Serif");
  HDC screen = GetDC(nullptr);
  const int expected_height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(font.lfHeight, expected_height) << "8 points";
  EXPECT_TRUE(controls_share_font);

  ASSERT_EQ(found.size(), std::size(expected)) << "top to bottom, in tab order";
  for (size_t i = 0; i < found.size(); ++i) {
    const Control& e = expected[i];
    const Control& f = found[i];
    SCOPED_TRACE(e.id);
    EXPECT_EQ(f.id, e.id);
    EXPECT_EQ(lstrcmpiA(f.class_name.c_str(), e.class_name.c_str()), 0) << f.class_name;
    EXPECT_EQ(f.text, e.text);
    EXPECT_EQ(f.rect.left, e.rect.left);
    EXPECT_EQ(f.rect.top, e.rect.top);
    EXPECT_EQ(f.rect.right, e.rect.right);
    EXPECT_EQ(f.rect.bottom, e.rect.bottom);
    EXPECT_EQ(f.tab_stop, e.tab_stop);
  }
  EXPECT_EQ(button_type, BS_PUSHBUTTON) << "a plain push button, not the default one";
  EXPECT_EQ(text_line, kMessage);
  EXPECT_EQ(after_set_text, "PRODUCT");
}

// One step of the repaint rule: the position given and whether the bar must repaint
// (and the pending messages go through).
struct Step {
  long position;
  bool repaint;
};

struct RepaintCase {
  const char* name;
  bool set_total;
  long total;
  std::vector<Step> steps;
};

TEST(MsgMeter, SetRepaintsAndLetsMessagesThroughOnlyAfterAMoveOfOnePerCent) {
  const RepaintCase cases[] = {
      {"the starting total of 10: one unit is ten per cent",
       false,
       10,
       {{0, false}, {1, true}, {1, false}, {10, true}, {11, false}, {0, true}}},
      {"total 1000: one per cent is ten since the last repaint",
       true,
       1000,
       {{9, false}, {10, true}, {19, false}, {20, true}, {11, false}, {10, true}}},
      {"beyond either end counts as that end",
       true,
       1000,
       {{1000, true}, {5000, false}, {-5, true}, {-100, false}, {9, false}, {10, true}}},
      {"a total below 100: every move", true, 50, {{1, true}, {2, true}, {1, true}}},
      {"no total: never", true, 0, {{5, false}, {-5, false}}},
      {"a large total",
       true,
       2000000000,
       {{19999999, false},
        {20000000, true},
        {1000000000, true},
        {1000000001, false},
        {2100000000, true}}},
  };
  for (const RepaintCase& c : cases) {
    SCOPED_TRACE(c.name);
    const MeterRun run =
        RunMeter([&](gui::TMeter& meter, gui::TMeterText&, gui::MemoryDialog& dialog, bool&) {
          Spy spy(dialog.hWnd(), meter.hWnd());
          if (c.set_total) meter.SetTotal(c.total);
          EXPECT_EQ(meter.total(), c.total);
          for (const Step& s : c.steps) {
            SCOPED_TRACE(s.position);
            const int repaints = meter.repaints();
            const int paints = spy.bar_paints;
            const int probes = spy.probes_seen;
            spy.PostProbe();
            meter.Set(s.position);
            EXPECT_EQ(meter.position(), s.position);
            EXPECT_EQ(meter.repaints() - repaints, s.repaint ? 1 : 0);
            if (s.repaint) {
              EXPECT_GE(spy.bar_paints - paints, 1) << "the bar is painted again";
              EXPECT_EQ(spy.probes_seen, spy.probes_posted) << "every pending message handled";
            } else {
              EXPECT_EQ(spy.bar_paints, paints);
              EXPECT_EQ(spy.probes_seen, probes) << "no messages let through";
            }
          }
          meter.SetTotal(1);
          meter.Set(-1000000);  // lets the probes still queued through before the spy goes
        });
    EXPECT_FALSE(run.gave_up);
    EXPECT_EQ(run.actions, 1);
  }
}

// Inputs that press Cancel: the flag changes under the running action, which goes on
// to its end; the dialog stays until then, also when asked to close afterwards.
struct Input {
  const char* name;
  void (*post)(HWND dialog);
};

const Input kCancelInputs[] = {
    {"BM_CLICK on the button",
     [](HWND d) { PostMessageA(GetDlgItem(d, gui::kMeterCancelId), BM_CLICK, 0, 0); }},
    {"Alt+C", [](HWND d) { PostKey(GetDlgItem(d, gui::kMeterCancelId), 'C', true); }},
    {"the button's notification",
     [](HWND d) {
       PostMessageA(d, WM_COMMAND, MAKEWPARAM(gui::kMeterCancelId, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(d, gui::kMeterCancelId)));
     }},
};

const Input kCloseInputs[] = {
    {"Esc on the button", [](HWND d) { PostKey(GetDlgItem(d, gui::kMeterCancelId), VK_ESCAPE); }},
    {"close box / WM_CLOSE", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }},
    {"system menu Close", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"Alt+F4", [](HWND d) { PostKey(GetDlgItem(d, gui::kMeterCancelId), VK_F4, true); }},
    {"cancel command", [](HWND d) { PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); }},
};

TEST(MsgMeter, CancelSetsTheFlagButNeitherClosesTheDialogNorStopsTheAction) {
  for (const Input& input : kCancelInputs) {
    SCOPED_TRACE(input.name);
    bool before = true, after_first = false, running_throughout = true;
    int steps = 0;
    const MeterRun run = RunMeter(
        [&](gui::TMeter& meter, gui::TMeterText&, gui::MemoryDialog& dialog, bool& cancel) {
          before = cancel;
          input.post(dialog.hWnd());
          meter.Set(1);
          after_first = cancel;
          PostMessageA(dialog.hWnd(), WM_CLOSE, 0, 0);
          PostKey(GetDlgItem(dialog.hWnd(), gui::kMeterCancelId), VK_ESCAPE);
          for (long i = 2; i <= 10; ++i) {
            meter.Set(i);
            running_throughout &= dialog.running() && IsWindow(dialog.hWnd());
            ++steps;
          }
        });
    EXPECT_FALSE(run.gave_up);
    EXPECT_FALSE(before);
    EXPECT_TRUE(after_first) << "seen by reference at the next test of the flag";
    EXPECT_TRUE(running_throughout);
    EXPECT_EQ(steps, 9) << "the action runs on to its end";
    EXPECT_TRUE(run.cancelled);
  }
  // A run after a cancelled one starts afresh.
  const MeterRun next = RunMeter(
      [](gui::TMeter& meter, gui::TMeterText&, gui::MemoryDialog&, bool&) { meter.Set(5); });
  EXPECT_FALSE(next.gave_up);
  EXPECT_FALSE(next.cancelled);
}

TEST(MsgMeter, EscAndTheCloseBoxDoNothingWhileTheFlagIsFalse) {
  for (const Input& input : kCloseInputs) {
    SCOPED_TRACE(input.name);
    bool running_throughout = true, flag_stayed_false = true;
    int steps = 0;
    const MeterRun run = RunMeter(
        [&](gui::TMeter& meter, gui::TMeterText&, gui::MemoryDialog& dialog, bool& cancel) {
          input.post(dialog.hWnd());
          for (long i = 1; i <= 10; ++i) {
            meter.Set(i);
            running_throughout &= dialog.running() && IsWindow(dialog.hWnd());
            flag_stayed_false &= !cancel;
            ++steps;
          }
        });
    EXPECT_FALSE(run.gave_up);
    EXPECT_TRUE(running_throughout);
    EXPECT_TRUE(flag_stayed_false);
    EXPECT_EQ(steps, 10);
    EXPECT_FALSE(run.cancelled);
  }
}

// A quit message arriving while the action lets messages through is kept for the loop
// outside: neither swallowed nor ending the action early.
TEST(MsgMeter, AQuitMessageDuringTheActionIsKeptForTheOuterLoop) {
  bool went_on = false;
  const MeterRun run =
      RunMeter([&](gui::TMeter& meter, gui::TMeterText&, gui::MemoryDialog&, bool&) {
        PostQuitMessage(7);
        meter.Set(5);
        meter.Set(10);
        went_on = true;
      });
  EXPECT_FALSE(run.gave_up);
  EXPECT_TRUE(went_on);
  EXPECT_FALSE(run.cancelled);
  MSG msg{};
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

}  // namespace
