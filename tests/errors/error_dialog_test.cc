// The error dialog under Wine: layout in pixels, keys, buttons and the open-file button.
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "errors/win/error_dialog.h"

namespace {

using errors_test::ControlState;
using errors_test::DialogState;
using errors_test::FindControl;
using errors_test::PostKey;
using errors_test::RunDialog;

errors::DialogRequest Request(bool retry, bool def, bool nt = true) {
  errors::DialogRequest r;
  r.description_line = "   Error description : (DOS Error 2) DBFCDX/1001  Open error: A&B.DBF\r\n";
  r.stack_lines = {"   Called from : main.cc => OPEN_TABLES(42)",
                   "   Called from : main.cc => MAIN(20)"};
  r.log = {"ERROR_4.log", "C:\\prog dir\\ERROR_4.log", true};
  r.nt_family = nt;
  r.can_retry = retry;
  r.can_default = def;
  r.button_count = 1 + retry + def;
  return r;
}

bool Click(HWND dialog, int id) {
  PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
  return true;
}

// Pixels of a layout rectangle (top, left, bottom, right inclusive, two pixels a unit).
RECT Px(int top, int left, int bottom, int right) {
  return {left * 2, top * 2, (right + 1) * 2, (bottom + 1) * 2};
}

void ExpectRect(const DialogState& s, int id, RECT expected) {
  const ControlState* c = FindControl(s, id);
  ASSERT_NE(c, nullptr) << id;
  EXPECT_EQ(c->rect.left, expected.left) << id;
  EXPECT_EQ(c->rect.top, expected.top) << id;
  EXPECT_EQ(c->rect.right, expected.right) << id;
  EXPECT_EQ(c->rect.bottom, expected.bottom) << id;
}

TEST(ErrorDialog, LayoutForEachButtonCount) {
  const struct {
    bool retry, def, nt;
    int quit_left, retry_left, default_left;  // 0: absent
    int default_id;
  } cases[] = {
      {false, false, true, 75, 0, 0, errors::kIdQuit},
      {true, false, true, 75, 135, 0, 0},
      {false, true, true, 75, 0, 135, 0},
      {true, true, true, 75, 13, 135, errors::kIdQuit},
      {true, true, false, 75, 13, 135, errors::kIdQuit},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "retry " << c.retry << " default " << c.def << " nt " << c.nt);
    DialogState s;
    const auto answer = RunDialog(
        Request(c.retry, c.def, c.nt), [](HWND d, int) { return Click(d, errors::kIdQuit); }, &s);
    EXPECT_FALSE(answer.has_value());
    EXPECT_EQ(s.title, "Error-Message");
    EXPECT_EQ(s.client.right, 400);
    EXPECT_EQ(s.client.bottom, c.nt ? 410 : 360);
    EXPECT_TRUE(s.centred);
    const int top = c.nt ? 164 : 140;
    ExpectRect(s, errors::kIdDescription, Px(3, 22, 25, 148));
    ExpectRect(s, errors::kIdStackLabel, Px(25, 6, 39, 79));
    ExpectRect(s, errors::kIdStackList, Px(38, 4, c.nt ? 160 : 142, 193));
    ExpectRect(s, errors::kIdQuit, Px(top, c.quit_left, top + 11, c.quit_left + 50));
    if (c.retry) {
      ExpectRect(s, errors::kIdRetry, Px(top, c.retry_left, top + 11, c.retry_left + 50));
    } else {
      EXPECT_EQ(FindControl(s, errors::kIdRetry), nullptr);
    }
    if (c.def) {
      ExpectRect(s, errors::kIdDefault, Px(top, c.default_left, top + 11, c.default_left + 50));
    } else {
      EXPECT_EQ(FindControl(s, errors::kIdDefault), nullptr);
    }
    ExpectRect(s, errors::kIdOpenFile, Px(24, 70, 34, 150));
    // Without a default button the dialog manager reports IDOK, which no control has.
    const int default_id = FindControl(s, s.default_id) ? s.default_id : 0;
    EXPECT_EQ(default_id, c.default_id);
    const ControlState* quit = FindControl(s, errors::kIdQuit);
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ((quit->style & 0x0F) == BS_DEFPUSHBUTTON, c.default_id == errors::kIdQuit);
    // Tab order: description, label, list, buttons, open-file button, three notices.
    std::vector<int> ids;
    for (const ControlState& x : s.controls) ids.push_back(x.id);
    std::vector<int> expected = {errors::kIdDescription, errors::kIdStackLabel,
                                 errors::kIdStackList, errors::kIdQuit};
    if (c.retry) expected.push_back(errors::kIdRetry);
    if (c.def) expected.push_back(errors::kIdDefault);
    for (int id : {int(errors::kIdOpenFile), int(errors::kIdNotice), errors::kIdNotice + 1,
                   errors::kIdNotice + 2})
      expected.push_back(id);
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(s.focus_id, errors::kIdStackList);
  }
}

TEST(ErrorDialog, TextsListAndNotices) {
  DialogState s;
  RunDialog(
      Request(true, true), [](HWND d, int) { return Click(d, errors::kIdQuit); }, &s);
  const ControlState* description = FindControl(s, errors::kIdDescription);
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(description->text, Request(true, true).description_line);
  EXPECT_TRUE(description->style & SS_NOPREFIX);  // the ampersand stands as itself
  EXPECT_EQ((description->style & SS_TYPEMASK), SS_CENTER);
  EXPECT_EQ(FindControl(s, errors::kIdStackLabel)->text, "&Stack List :");
  EXPECT_EQ(FindControl(s, errors::kIdOpenFile)->text, "ERROR_4.log - Open file");
  EXPECT_EQ(FindControl(s, errors::kIdQuit)->text, "&Quit");
  EXPECT_EQ(FindControl(s, errors::kIdRetry)->text, "&Retry");
  EXPECT_EQ(FindControl(s, errors::kIdDefault)->text, "&Default");
  EXPECT_EQ(s.list_items, Request(true, true).stack_lines);
  EXPECT_EQ(s.list_selection, 0);
  const ControlState* list = FindControl(s, errors::kIdStackList);
  // A dialog shows a border as a client edge; the scroll bar shows once the lines overflow.
  EXPECT_TRUE((list->style & WS_BORDER) || (list->ex_style & WS_EX_CLIENTEDGE));
  EXPECT_TRUE(list->style & LBS_USETABSTOPS);
  EXPECT_FALSE(list->style & LBS_SORT);
  const ControlState* notice = FindControl(s, errors::kIdNotice);
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(notice->text, "Schicken Sie uns bitte die : < FEHLER_1.log bis 10  >  DATEIEN ");
  EXPECT_EQ(notice->rect.top, 360);
  EXPECT_EQ(notice->rect.left, 40);
  EXPECT_GT(notice->rect.right, 400);  // cut off by the dialog's edge
  EXPECT_EQ(FindControl(s, errors::kIdNotice + 2)->text,
            "um den / die aufgetretenen Fehler  zu beheben !!!");
}

TEST(ErrorDialog, ButtonsKeysAndCloseBox) {
  const struct {
    const char* name;
    bool retry, def;
    std::function<bool(HWND, int)> act;
    std::optional<bool> answer;
  } cases[] = {
      {"Quit", true, true, [](HWND d, int) { return Click(d, errors::kIdQuit); }, std::nullopt},
      {"Retry", true, true, [](HWND d, int) { return Click(d, errors::kIdRetry); }, true},
      {"Default", true, true, [](HWND d, int) { return Click(d, errors::kIdDefault); }, false},
      {"Retry of two", true, false, [](HWND d, int) { return Click(d, errors::kIdRetry); }, true},
      {"Escape", true, true,
       [](HWND, int) {
         PostKey(GetFocus(), VK_ESCAPE);
         return true;
       },
       std::nullopt},
      {"close box", true, true,
       [](HWND d, int) {
         PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
         return true;
       },
       std::nullopt},
      {"Enter presses Quit of one", false, false,
       [](HWND, int) {
         PostKey(GetFocus(), VK_RETURN);
         return true;
       },
       std::nullopt},
      {"Enter presses Quit of three", true, true,
       [](HWND, int) {
         PostKey(GetFocus(), VK_RETURN);
         return true;
       },
       std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RunDialog(Request(c.retry, c.def), c.act), c.answer);
  }
}

TEST(ErrorDialog, EnterWithoutDefaultButtonMovesTheFocus) {
  std::vector<int> focus;
  const auto answer = RunDialog(Request(false, true), [&](HWND d, int round) {
    focus.push_back(GetDlgCtrlID(GetFocus()));
    if (round == 0) {
      PostKey(GetFocus(), VK_RETURN);
      return false;
    }
    return Click(d, errors::kIdDefault);
  });
  EXPECT_EQ(answer, std::optional<bool>(false));
  ASSERT_EQ(focus.size(), 2u);
  EXPECT_EQ(focus[0], errors::kIdStackList);
  EXPECT_EQ(focus[1], errors::kIdQuit);
}

TEST(ErrorDialog, OpenFileStartsNotepadWithTheFullPathEachClick) {
  std::vector<std::string> commands;
  auto old = errors::SetNotepadHook([&](const std::string& c) { commands.push_back(c); });
  const auto answer = RunDialog(Request(true, true), [&](HWND d, int round) {
    if (round < 2) {
      Click(d, errors::kIdOpenFile);
      return false;
    }
    return Click(d, errors::kIdRetry);  // the dialog stayed open
  });
  errors::SetNotepadHook(old);
  EXPECT_EQ(answer, std::optional<bool>(true));
  EXPECT_EQ(commands, (std::vector<std::string>(2, "Notepad.exe C:\\prog dir\\ERROR_4.log")));
}

TEST(ErrorDialog, AnUnwrittenLogStartsNoNotepad) {
  std::vector<std::string> commands;
  auto old = errors::SetNotepadHook([&](const std::string& c) { commands.push_back(c); });
  errors::DialogRequest r = Request(false, false);
  r.log.written = false;
  DialogState s;
  RunDialog(
      r,
      [&](HWND d, int round) {
        if (round == 0) {
          SendMessageA(GetDlgItem(d, errors::kIdOpenFile), BM_CLICK, 0, 0);
          return false;
        }
        return Click(d, errors::kIdQuit);
      },
      &s);
  errors::SetNotepadHook(old);
  EXPECT_TRUE(commands.empty());
  const ControlState* button = FindControl(s, errors::kIdOpenFile);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text, "ERROR_4.log - not written");
  EXPECT_FALSE(button->enabled);
}

}  // namespace
