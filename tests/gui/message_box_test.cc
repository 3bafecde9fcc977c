// The framework's message boxes, read back from the real boxes, and the clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui/clipboard.h"
#include "gui/message_box.h"
#include "ui_script.h"

namespace {

struct BoxSeen {
  std::string title;
  std::string text;
  HWND owner = nullptr;
  bool has_icon = false;
};

// Shows a box from a small owner window that is active, and reads it while it is open.
BoxSeen ShowAndRead(void (*show)(const std::string&, const std::string&), const char* text,
                    const char* title, HWND* owner_out) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  SetActiveWindow(owner);
  *owner_out = owner;
  BoxSeen seen;
  UiScript script;
  script.Then([&] {
    HWND box = FindMessageBox(title);
    if (!box) return false;
    seen.title = WindowText(box);
    seen.text = MessageBoxText(box);
    seen.owner = GetWindow(box, GW_OWNER);
    // The icon is a static with SS_ICON among the box's children.
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
          SendMessageA(c, STM_GETICON, 0, 0))
        seen.has_icon = true;
    }
    AnswerMessageBox(box);
    return true;
  });
  script.Start();
  show(text, title);
  EXPECT_TRUE(script.finished());
  DestroyWindow(owner);
  return seen;
}

TEST(MsgBox, AlertAndStopShowTextAndTitleOwnedByTheActiveWindow) {
  const struct {
    const char* name;
    void (*show)(const std::string&, const std::string&);
  } kinds[] = {{"MsgAlert", &gui::MsgAlert}, {"MsgStop", &gui::MsgStop}};
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.name);
    HWND owner = nullptr;
    BoxSeen seen =
        ShowAndRead(kind.show, "No Index for the Col : Invoice exist !", "ATTENTION", &owner);
    EXPECT_EQ(seen.title, "ATTENTION");
    EXPECT_EQ(seen.text, "No Index for the Col : Invoice exist !");
    EXPECT_EQ(seen.owner, owner);
    EXPECT_TRUE(seen.has_icon);
  }
}

TEST(Clipboard, TextRoundTripAndClear) {
  gui::TClipboard clipboard;
  EXPECT_TRUE(clipboard.SetText("Tabelle 1\tÄrger"));
  EXPECT_FALSE(clipboard.IsOpen()) << "opened only for the call";
  EXPECT_EQ(clipboard.GetText(), "Tabelle 1\tÄrger");
  ASSERT_TRUE(clipboard.Open());
  EXPECT_TRUE(clipboard.Clear());
  EXPECT_TRUE(clipboard.IsOpen()) << "left open when it was open before";
  EXPECT_EQ(clipboard.GetText(), "");
  clipboard.Close();
  EXPECT_FALSE(clipboard.IsOpen());
}

}  // namespace
