// The in-memory dialog builder of the GUI layer.
#include <gtest/gtest.h>

#include "gui/memory_dialog.h"
#include "gui/module.h"

namespace {

gui::MemoryDialogSpec Spec(int w, int h, int unit) {
  gui::MemoryDialogSpec s;
  s.title = "Mem \xE4";  // a-umlaut in the ANSI code page
  s.client_width = w;
  s.client_height = h;
  s.unit_pixels = unit;
  return s;
}

gui::MemoryControl Button(int id, const char* text, int left, int top, int width, int height) {
  gui::MemoryControl c;
  c.class_name = "BUTTON";
  c.text = text;
  c.id = id;
  c.style = BS_PUSHBUTTON | WS_TABSTOP;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return c;
}

std::function<void(HWND)> g_on_timer;
void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (g_on_timer) g_on_timer(nullptr);
}

TEST(MemoryDialog, TemplateHoldsTitleAndControls) {
  gui::MemoryDialog dlg(Spec(200, 100, 1));
  dlg.Add(Button(7, "Go", 1, 2, 3, 4));
  const std::vector<std::uint8_t> t = dlg.BuildTemplate();
  ASSERT_GE(t.size(), 18u);
  const DWORD style = t[0] | t[1] << 8 | t[2] << 16 | static_cast<DWORD>(t[3]) << 24;
  EXPECT_EQ(style, static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));
  EXPECT_EQ(t[8] | t[9] << 8, 1);    // one control
  EXPECT_EQ(t[18] | t[19] << 8, 0);  // no menu
  EXPECT_EQ(t[20] | t[21] << 8, 0);  // the standard dialog class
  // The title as UTF-16, converted from the ANSI code page.
  EXPECT_EQ(t[22] | t[23] << 8, 'M');
  EXPECT_EQ(t[30] | t[31] << 8, 0xE4);
  EXPECT_EQ(t[32] | t[33] << 8, 0);
  // The control, DWORD aligned: style, extended style, rectangle, id, class name.
  const size_t item = 36;
  ASSERT_GT(t.size(), item + 20);
  EXPECT_EQ(t[item + 16] | t[item + 17] << 8, 7);
  EXPECT_EQ(t[item + 18] | t[item + 19] << 8, 'B');
}

TEST(MemoryDialog, PlacesControlsInPixelUnitsAndSizesTheClientArea) {
  for (int unit : {1, 2, 3}) {
    SCOPED_TRACE(unit);
    gui::MemoryDialog dlg(Spec(300, 200, unit));
    dlg.Add(Button(7, "Go", 10, 20, 30, 12));
    RECT client{}, button{};
    bool loop_inside = false;
    dlg.on_init = [&](HWND h) {
      GetClientRect(h, &client);
      GetWindowRect(GetDlgItem(h, 7), &button);
      MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&button), 2);
      loop_inside = gui::WindowLoopRunning();
      PostMessageA(GetDlgItem(h, 7), BM_CLICK, 0, 0);
      return true;
    };
    dlg.on_command = [&](HWND, int id, int) {
      if (id == 7) dlg.End(42);
      return id == 7;
    };
    const bool loop_before = gui::WindowLoopRunning();
    EXPECT_EQ(dlg.Run(nullptr), 42);
    EXPECT_EQ(gui::WindowLoopRunning(), loop_before);
    EXPECT_TRUE(loop_inside);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(button.left, 10 * unit);
    EXPECT_EQ(button.top, 20 * unit);
    EXPECT_EQ(button.right - button.left, 30 * unit);
    EXPECT_EQ(button.bottom - button.top, 12 * unit);
  }
}

TEST(MemoryDialog, EscapeAndCloseCallOnCancelAndPaintIsCalled) {
  for (UINT how : {0u, 1u, 2u}) {
    SCOPED_TRACE(how);
    gui::MemoryDialog dlg(Spec(120, 80, 1));
    dlg.Add(Button(7, "Go", 10, 10, 40, 14));
    int cancels = 0, paints = 0;
    HWND owner = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50, 50,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    bool owner_disabled = false;
    dlg.on_paint = [&](HWND, HDC) { ++paints; };
    dlg.on_cancel = [&](HWND) {
      ++cancels;
      dlg.End(5);
    };
    dlg.on_init = [&](HWND h) {
      g_on_timer = [&, h](HWND) {
        owner_disabled = !IsWindowEnabled(owner);
        UpdateWindow(h);
        if (how == 0) {
          PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
        } else if (how == 1) {
          PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
          PostMessageA(h, WM_CLOSE, 0, 0);
        }
      };
      SetTimer(nullptr, 0, 20, Tick);
      return true;
    };
    EXPECT_EQ(dlg.Run(owner), 5);
    EXPECT_EQ(cancels, 1);
    EXPECT_GE(paints, 1);
    EXPECT_TRUE(owner_disabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
    g_on_timer = nullptr;
  }
}

}  // namespace
