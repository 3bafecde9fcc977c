// The grid as a control of a dialog template: the class "TXBrowse" makes the template's
// control a grid, the program's grid object binds to it by identifier, keys arrive through
// the dialog manager, and a grid without columns builds them from its source's fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/xbrowse.h"
#include "memory_source.h"

namespace {

// A classic dialog template in memory: "MS Sans Serif" 8, a grid 110, a second grid 120,
// buttons 1 and 10.
class Template {
 public:
  Template() {
    Dword(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    Dword(0);
    Word(4);
    Words({0, 0, 300, 300});
    Word(0);  // no menu
    Word(0);  // standard class
    Text("grid dialog");
    Word(8);
    Text("MS Sans Serif");
    Item(110, "TXBrowse", "", 0x50310000, 6, 4, 240, 147);
    Item(120, "TXBrowse", "", 0x50310000, 6, 160, 240, 100);
    Item(1, "BUTTON", "One", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 250, 4, 40, 14);
    Item(10, "BUTTON", "Exit", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 250, 24, 40, 14);
  }
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(w_.data()); }

 private:
  void Word(WORD v) { w_.push_back(v); }
  void Words(std::initializer_list<WORD> vs) { w_.insert(w_.end(), vs); }
  void Dword(DWORD v) { Words({LOWORD(v), HIWORD(v)}); }
  void Text(const std::string& s) {
    for (char c : s) Word(static_cast<WORD>(c));
    Word(0);
  }
  void Item(WORD id, const char* cls, const char* text, DWORD style, short x, short y, short cx,
            short cy) {
    if (w_.size() % 2) Word(0);  // items start on a DWORD boundary
    Dword(style);
    Dword(0);
    Words({WORD(x), WORD(y), WORD(cx), WORD(cy), id});
    Text(cls);
    Text(text);
    Word(0);  // no creation data
  }
  std::vector<WORD> w_;
};

struct DialogRun {
  gui::TXBrowse* upper = nullptr;
  gui::TXBrowse* lower = nullptr;
  gui::TXBrowse* missing = nullptr;  // bound to an identifier the template lacks
  bool upper_bound = false, lower_bound = false, missing_bound = true;
  std::vector<int> commands;
};
DialogRun* run = nullptr;

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) {
    run->upper_bound = run->upper->BindDialogItem(dlg);
    run->lower_bound = run->lower->BindDialogItem(dlg);
    run->missing_bound = run->missing->BindDialogItem(dlg);
    return TRUE;
  }
  if (msg == WM_COMMAND) {
    run->commands.push_back(LOWORD(wp));
    return TRUE;
  }
  return FALSE;
}

void Pump(HWND dlg) {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (IsDialogMessageA(dlg, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

void PostKey(HWND to, WPARAM vk) {
  PostMessageA(to, WM_KEYDOWN, vk, 1);
  PostMessageA(to, WM_KEYUP, vk, 0xC0000001);
}

class GridDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    upper_src = std::make_shared<MemorySource>(MemorySource::Numbered(30, 3));
    lower_src = std::make_shared<MemorySource>(
        std::vector<std::string>{"ID_NR", "CUSTOMER", "NOTE"},
        std::vector<std::vector<std::string>>{
            {"1", "Ann", "x"}, {"2", "A much longer customer name", "y"}, {"3", "Bo", "z"}});
    lower_src->GoToKeyNo(2);  // the record current when the grid is set up
    upper = std::make_unique<gui::TXBrowse>(upper_src);
    for (int i = 0; i < 3; ++i) {
      gui::TXBrwColumn* c = upper->AddCol();
      c->cHeader = "H" + std::to_string(i);
      c->nWidth = 60;
      c->bStrData = [src = upper_src.get(), i] { return src->FieldText(i); };
    }
    upper->CreateFromResource(110);
    lower = std::make_unique<gui::TXBrowse>(lower_src);
    lower->CreateFromResource(120);
    missing = std::make_unique<gui::TXBrowse>(upper_src);
    missing->CreateFromResource(999);
    upper->bChange = [this] { ++upper_changes; };
    state.upper = upper.get();
    state.lower = lower.get();
    state.missing = missing.get();
    run = &state;
    dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), tmpl.get(), nullptr, DialogProc, 0);
    ASSERT_NE(dlg, nullptr);
    SetForegroundWindow(dlg);
    Pump(dlg);
  }
  void TearDown() override {
    if (dlg) DestroyWindow(dlg);
    run = nullptr;
  }

  Template tmpl;
  std::shared_ptr<MemorySource> upper_src, lower_src;
  std::unique_ptr<gui::TXBrowse> upper, lower, missing;
  DialogRun state;
  HWND dlg = nullptr;
  int upper_changes = 0;
};

TEST_F(GridDialog, TemplateControlsBecomeGrids) {
  EXPECT_TRUE(state.upper_bound);
  EXPECT_TRUE(state.lower_bound);
  EXPECT_FALSE(state.missing_bound);
  EXPECT_EQ(missing->hWnd(), nullptr);
  EXPECT_EQ(upper->hWnd(), GetDlgItem(dlg, 110));
  EXPECT_EQ(lower->hWnd(), GetDlgItem(dlg, 120));
  // The grids take the dialog's font, and have laid themselves out with it.
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(upper->hWnd(), WM_GETFONT, 0, 0)), font);
  EXPECT_GT(upper->RowCount(), 3);
  EXPECT_EQ(GetFocus(), upper->hWnd());  // the first control with a tab stop
  // A second object cannot take a window another grid holds.
  gui::TXBrowse other(upper_src);
  EXPECT_FALSE(other.Attach(upper->hWnd()));
  EXPECT_FALSE(other.Attach(GetDlgItem(dlg, 1)));  // not a grid window
}

TEST_F(GridDialog, KeysThroughTheDialogManager) {
  struct Case {
    const char* name;
    WPARAM key;
    bool with_escape_handler;
    std::vector<int> commands;  // WM_COMMAND the dialog received
    int escapes;                // onEscape calls
    long key_after;
    bool focus_on_grid;
  };
  const Case cases[] = {
      {"Esc goes to the grid's escape handler", VK_ESCAPE, true, {}, 1, 1, true},
      {"Esc without a handler is the dialog's cancel", VK_ESCAPE, false, {IDCANCEL}, 0, 1, true},
      {"Enter presses no button", VK_RETURN, true, {}, 0, 1, true},
      {"Down moves the row", VK_DOWN, true, {}, 0, 2, true},
      {"Page Down moves a page", VK_NEXT, true, {}, 0, 1 + upper->RowCount(), true},
      {"Tab moves the focus on", VK_TAB, true, {}, 0, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int escapes = 0;
    upper->onEscape = nullptr;
    if (c.with_escape_handler) upper->onEscape = [&] { ++escapes; };
    upper_src->GoTop();
    upper->nRowSel = 1;
    upper->Refresh();
    SetFocus(upper->hWnd());
    state.commands.clear();
    PostKey(upper->hWnd(), c.key);
    Pump(dlg);
    EXPECT_EQ(state.commands, c.commands);
    EXPECT_EQ(escapes, c.escapes);
    EXPECT_EQ(upper_src->KeyNo(), c.key_after);
    EXPECT_EQ(GetFocus() == upper->hWnd(), c.focus_on_grid);
  }
}

TEST_F(GridDialog, AutomaticColumnsFromTheFields) {
  ASSERT_EQ(lower->aCols.size(), 3u);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
  HDC dc = GetDC(lower->hWnd());
  HGDIOBJ old = SelectObject(dc, font);
  auto width = [&](const std::string& s) {
    SIZE size{};
    GetTextExtentPoint32A(dc, s.data(), static_cast<int>(s.size()), &size);
    return static_cast<int>(size.cx);
  };
  // Wide enough for the header and for the text of the record current at set-up.
  const char* names[] = {"ID_NR", "CUSTOMER", "NOTE"};
  const char* texts[] = {"2", "A much longer customer name", "y"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(names[i]);
    const gui::TXBrwColumn& c = *lower->aCols[i];
    EXPECT_EQ(c.cHeader, names[i]);
    EXPECT_EQ(c.nHeadStrAlign, gui::kAlignLeft);
    EXPECT_EQ(c.nDataStrAlign, gui::kAlignLeft);
    const int need = std::max(width(names[i]), width(texts[i]));
    EXPECT_GE(c.nWidth, need + 6);
    EXPECT_LE(c.nWidth, need + 20);
    EXPECT_EQ(c.bStrData(), texts[i]);
  }
  SelectObject(dc, old);
  ReleaseDC(lower->hWnd(), dc);
  // The cell texts follow the current row; the widths were measured once and stay.
  const int measured = lower->aCols[1]->nWidth;
  SendMessageA(lower->hWnd(), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(lower->aCols[1]->bStrData(), "Bo");
  lower->Refresh();
  EXPECT_EQ(lower->aCols[1]->nWidth, measured);
}

TEST_F(GridDialog, DialogAndGridObjectEndInEitherOrder) {
  // The grid object goes first: its window stays usable and paints without it.
  HWND lower_window = lower->hWnd();
  lower.reset();
  InvalidateRect(lower_window, nullptr, TRUE);
  UpdateWindow(lower_window);
  SendMessageA(lower_window, WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_TRUE(IsWindow(lower_window));
  // The dialog goes first: the object forgets its window and a refresh does nothing.
  DestroyWindow(dlg);
  dlg = nullptr;
  EXPECT_EQ(upper->hWnd(), nullptr);
  upper->Refresh();
  upper->SetColSel(2);
  EXPECT_EQ(upper->ColSel(), 2);
}

}  // namespace
