// The main dialog under Wine: opening state, sample and reserved buttons, the export
// button, every way to close it, and the template's layout in pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "gui/module.h"
#include "main_dialog_harness.h"
#include "tables/workarea.h"

namespace {

const std::vector<long> kIdRed = {255, 0, 0, 0, 0, 0};

struct TableState {
  int area, order;
  long key;
  int row;
  int ntest;
};

TableState Now(MainDialogHarness& h) {
  return {tables::CurrentArea(), tables::CurrentOrder(), tables::KeyPosition(), h.upper().nRowSel,
          h.state.NTEST};
}

TEST(MainDialog, OpensOnOrderOneWithTheIdHeaderRedAndTheFocusInTheColumnBrowser) {
  MainDialogHarness h;
  std::string title;
  TableState at_open{};
  std::vector<long> colours;
  bool loop = false;
  h.script().Do([&] {
    title = WindowText(h.dialog());
    at_open = Now(h);
    colours = HeaderTextColours(h.upper());
    loop = gui::WindowLoopRunning();
  });
  h.script().Settle(8);
  h.ClickButton(10);
  const int result = h.Run();
  EXPECT_EQ(h.script().timed_out_at(), "");
  EXPECT_EQ(result, 2);
  EXPECT_EQ(title, "Create EXCEl-Sheets with Morvex2 ( Update : 4 )");
  EXPECT_TRUE(loop);
  EXPECT_EQ(at_open.area, 1);
  EXPECT_EQ(at_open.order, 1);
  EXPECT_EQ(at_open.key, 1);
  EXPECT_EQ(at_open.row, 1);
  EXPECT_EQ(at_open.ntest, 1);
  EXPECT_EQ(colours, kIdRed);
  EXPECT_TRUE(h.script().unexpected_boxes().empty()) << h.script().unexpected_boxes()[0];
  EXPECT_EQ(Headers(h.upper()), (std::vector<std::string>{"ID-No.", "Customer", "Product",
                                                          "Invoice", "Value", "Date"}));
  EXPECT_EQ(h.state.OBRW1, h.main().normal_browser());
  EXPECT_EQ(h.state.OCOL, h.upper().aCols[5].get());
  EXPECT_EQ(tables::CurrentArea(), 1);
  EXPECT_TRUE(h.tables.errors.empty());
}

TEST(MainDialog, FocusStartsInTheColumnBrowser) {
  MainDialogHarness h;
  bool in_upper = false;
  h.script().Do([&] { in_upper = GetFocus() == h.upper().hWnd(); });
  h.ClickButton(10);
  h.Run();
  EXPECT_TRUE(in_upper);
}

TEST(MainDialog, SampleButtonsSetOrderFirstRecordTopRowAndNtestButNotTheHeaderMark) {
  MainDialogHarness h;
  std::vector<TableState> before, after;
  std::vector<std::vector<long>> colours;
  for (int sample : {2, 3, 1}) {
    for (int i = 0; i < 4; ++i) h.Key(h.upper(), VK_DOWN);  // fifth row current
    h.script().Do([&] { before.push_back(Now(h)); });
    h.ClickButton(sample);
    h.script().Do([&] {
      after.push_back(Now(h));
      colours.push_back(HeaderTextColours(h.upper()));
    });
  }
  h.ClickButton(10);
  h.Run();
  ASSERT_EQ(h.script().timed_out_at(), "");
  ASSERT_EQ(after.size(), 3u);
  const int samples[] = {2, 3, 1};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(samples[i]);
    EXPECT_EQ(before[i].row, 5);
    EXPECT_GT(before[i].key, 1);
    EXPECT_EQ(after[i].area, 1);
    EXPECT_EQ(after[i].order, samples[i]);
    EXPECT_EQ(after[i].key, 1);
    EXPECT_EQ(after[i].row, 1);
    EXPECT_EQ(after[i].ntest, samples[i]);
    EXPECT_EQ(colours[i], kIdRed);
  }
}

TEST(MainDialog, ReservedButtonsShowTheirMessageAndChangeNothing) {
  MainDialogHarness h;
  std::vector<TableState> before, after;
  std::vector<std::string> texts(2);
  h.ClickButton(3);
  h.Key(h.upper(), VK_DOWN);
  h.Key(h.upper(), VK_DOWN);
  int i = 0;
  for (int id : {4, 5}) {
    h.script().Do([&] { before.push_back(Now(h)); });
    h.ClickButton(id);
    h.script().AnswerBox("Not in use", &texts[i++]);
    h.script().Do([&] { after.push_back(Now(h)); });
  }
  h.ClickButton(10);
  h.Run();
  ASSERT_EQ(h.script().timed_out_at(), "");
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(texts[k], "Reserved for next sample");
    EXPECT_EQ(after[k].order, before[k].order);
    EXPECT_EQ(after[k].key, before[k].key);
    EXPECT_EQ(after[k].row, before[k].row);
    EXPECT_EQ(after[k].ntest, 3);
  }
}

// Button 20 runs the chosen sample's export with that sample's order, then shows the
// first record on the top row.
TEST(MainDialog, CreateSheetRunsTheLastChosenSampleAndGoesBackToTheFirstRecord) {
  struct Case {
    const char* name;
    std::vector<int> buttons;
    int header;  // a header click after the buttons (0: none)
    int entry;
  };
  const Case cases[] = {
      {"no sample chosen", {}, 0, 1},
      {"invoice overview", {2}, 0, 2},
      {"invoice overview, then a click on Product", {2}, 3, 2},
      {"product overview after the matrix", {1, 3}, 0, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainDialogHarness h;
    for (int b : c.buttons) h.ClickButton(b);
    if (c.header) h.ClickHeader(h.upper(), c.header);
    h.Key(h.upper(), VK_DOWN);
    h.ClickButton(20);
    TableState after{};
    h.script().Do([&] { after = Now(h); });
    h.ClickButton(10);
    h.Run();
    ASSERT_EQ(h.script().timed_out_at(), "");
    ASSERT_EQ(h.exports.size(), 1u);
    EXPECT_EQ(h.exports[0].entry, c.entry);
    EXPECT_EQ(h.exports[0].area, 1);
    EXPECT_EQ(h.exports[0].order, c.entry);
    EXPECT_EQ(after.area, 1);
    EXPECT_EQ(after.key, 1);
    EXPECT_EQ(after.row, 1);
  }
}

// Every closing input ends the dialog as "&Exit" does; none runs the button with the
// cancel identifier 2 ("&Invoice-Overview").
TEST(MainDialog, EscCloseBoxAltF4AndSystemMenuCloseEndTheDialogLikeExit) {
  struct Case {
    const char* name;
    void (*input)(MainDialogHarness& h);
  };
  const Case cases[] = {
      {"Esc in the column browser",
       [](MainDialogHarness& h) { PostKey(h.upper().hWnd(), VK_ESCAPE); }},
      {"Esc in the normal browser",
       [](MainDialogHarness& h) {
         SetFocus(h.lower().hWnd());
         PostKey(h.lower().hWnd(), VK_ESCAPE);
       }},
      {"Esc on a sample button",
       [](MainDialogHarness& h) {
         SetFocus(h.item(3));
         PostKey(h.item(3), VK_ESCAPE);
       }},
      {"close box", [](MainDialogHarness& h) { PostMessageA(h.dialog(), WM_CLOSE, 0, 0); }},
      {"system menu Close",
       [](MainDialogHarness& h) { PostMessageA(h.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+F4", [](MainDialogHarness& h) { PostKey(h.item(1), VK_F4, true); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainDialogHarness h;
    h.ClickButton(3);
    h.script().Do([&] { c.input(h); }, c.name);
    h.script().Settle(20);  // ends before it settles unless something is wrong
    const int result = h.Run();
    EXPECT_EQ(h.script().timed_out_at(), "");
    EXPECT_EQ(result, 2);
    EXPECT_FALSE(h.script().finished()) << "the dialog was still open";
    EXPECT_FALSE(h.script().left_open());
    EXPECT_EQ(h.state.NTEST, 3);
    EXPECT_EQ(tables::CurrentOrder(), 3);
  }
}

TEST(MainDialog, EnterPressesTheFocusedButtonAndAltLetterPressesItsButton) {
  MainDialogHarness h;
  int after_enter = 0, after_alt = 0;
  h.script().Do([&] {
    SetFocus(h.item(2));
    PostKey(h.item(2), VK_RETURN);
  });
  h.script().Do([&] { after_enter = h.state.NTEST; });
  h.script().Do([&] { PostKey(h.item(2), 'P', true); });  // "&Product-Overview"
  h.script().Do([&] { after_alt = h.state.NTEST; });
  h.script().Do([&] { PostKey(h.item(2), 'E', true); });  // "&Exit"
  h.script().Settle(20);
  EXPECT_EQ(h.Run(), 2);
  EXPECT_EQ(after_enter, 2);
  EXPECT_EQ(after_alt, 3);
  EXPECT_FALSE(h.script().finished()) << "Alt+E did not end the dialog";
}

// The template in pixels: each control where its dialog units put it with the
// template's font ("MS Sans Serif" 10), measured from the font itself.
TEST(MainDialog, ControlsSitWhereTheTemplatePutsThemInPixels) {
  struct Control {
    int id;
    const char* cls;
    const char* text;
    int x, y, w, h;
    DWORD style;
  };
  const Control controls[] = {
      {110, "TXBrowse", "", 6, 4, 240, 147, 0x50310000},
      {120, "TXBrowse", "", 6, 186, 240, 126, 0x50310000},
      {10, "Button", "&Exit", 341, 287, 50, 25, 0x50010000},
      {20, "Button", "&Create Excel-Sheet", 7, 156, 73, 25, 0x50010000},
      {1, "Button", "Product-&Matrix", 250, 4, 141, 25, 0x50010000},
      {2, "Button", "&Invoice-Overview", 250, 34, 141, 25, 0x50010000},
      {3, "Button", "&Product-Overview", 250, 64, 141, 25, 0x50010000},
      {4, "Button", "&?????", 250, 94, 141, 25, 0x50010000},
      {5, "Button", "&?????", 250, 124, 141, 25, 0x50010000},
      {-1, "Static", "Column - Browser - Test", 94, 156, 93, 8, 0x50020000},
      {-1, "Static", "Normal - Browser - Test ( still under construction )", 94, 174, 157, 8,
       0x50020000},
      {-1, "Static",
       "Choose one of the Sample-Buttons and the Browser will be updated with the necessary "
       "Index. The next step is :          < Create Excel-Sheet >  ",
       262, 186, 119, 34, 0x50020000},
      {-1, "Static",
       "If you want to change the Index, do a Left-Click on the Col-Header of the "
       "Column-Browser. The Index is used and the Font-Color changes to red.",
       261, 228, 131, 39, 0x50020000},
  };
  struct Seen {
    int id;
    std::string cls, text;
    RECT rect;
    DWORD style;
  };
  std::vector<Seen> seen;
  int base_x = 0, base_y = 0;
  RECT client{};
  DWORD dialog_style = 0;
  std::string font_face;
  MainDialogHarness h;
  h.script().Do([&] {
    HWND d = h.dialog();
    dialog_style = static_cast<DWORD>(GetWindowLongA(d, GWL_STYLE));
    GetClientRect(d, &client);
    HDC dc = GetDC(d);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(d, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SIZE size;
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    char face[64] = {};
    GetTextFaceA(dc, sizeof face, face);
    font_face = face;
    SelectObject(dc, old);
    ReleaseDC(d, dc);
    base_x = (size.cx / 26 + 1) / 2;
    base_y = tm.tmHeight;
    for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      char cls[32] = {};
      GetClassNameA(c, cls, sizeof cls);
      RECT r;
      GetWindowRect(c, &r);
      MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&r), 2);
      seen.push_back({static_cast<int>(static_cast<short>(GetDlgCtrlID(c))), cls, WindowText(c), r,
                      static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE))});
    }
  });
  h.ClickButton(10);
  h.Run();
  ASSERT_EQ(h.script().timed_out_at(), "");
  std::printf("template font %s: dialog base units %d x %d\n", font_face.c_str(), base_x, base_y);
  ASSERT_GT(base_x, 0);
  auto px = [&](int du_x, int du_y) {
    return POINT{MulDiv(du_x, base_x, 4), MulDiv(du_y, base_y, 8)};
  };
  // Windows adds WS_CLIPSIBLINGS to every popup window; the rest is the template's.
  EXPECT_EQ(dialog_style & 0xFFFF0000 & ~WS_CLIPSIBLINGS, 0x90C80000u);
  const POINT size = px(401, 319);
  EXPECT_EQ(client.right, size.x);
  EXPECT_EQ(client.bottom, size.y);
  ASSERT_EQ(seen.size(), std::size(controls));
  for (size_t i = 0; i < seen.size(); ++i) {
    const Control& c = controls[i];
    SCOPED_TRACE(c.text);
    EXPECT_EQ(seen[i].id, c.id);
    EXPECT_STRCASEEQ(seen[i].cls.c_str(), c.cls);
    EXPECT_EQ(seen[i].text, c.text);
    // Buttons gain the default-button style while focused; the rest is the template's.
    EXPECT_EQ(seen[i].style & 0xFFFF0000, c.style);
    const POINT tl = px(c.x, c.y);
    const POINT br = px(c.x + c.w, c.y + c.h);
    EXPECT_EQ(seen[i].rect.left, tl.x);
    EXPECT_EQ(seen[i].rect.top, tl.y);
    EXPECT_EQ(seen[i].rect.right, br.x);
    EXPECT_EQ(seen[i].rect.bottom, br.y);
  }
}

// The template itself, as stored in the program: classic form, German, its header.
TEST(MainDialog, TemplateSamplesIsAClassicGermanTemplate) {
  HRSRC found = FindResourceExA(nullptr, MAKEINTRESOURCEA(5), "SAMPLES",
                                MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
  ASSERT_NE(bytes, nullptr);
  DLGTEMPLATE t;
  std::memcpy(&t, bytes, sizeof t);
  EXPECT_NE(*reinterpret_cast<const WORD*>(bytes + 2), 0xFFFF) << "not the extended form";
  EXPECT_EQ(t.style, 0x90C800C0u);
  EXPECT_EQ(t.dwExtendedStyle, 0u);
  EXPECT_EQ(t.cdit, 13);
  EXPECT_EQ(t.x, 6);
  EXPECT_EQ(t.y, -8);
  EXPECT_EQ(t.cx, 401);
  EXPECT_EQ(t.cy, 319);
  // After the header: no menu, the standard class, the caption, then the font.
  const auto* words = reinterpret_cast<const WORD*>(bytes + 18);
  EXPECT_EQ(words[0], 0);
  EXPECT_EQ(words[1], 0);
  std::wstring caption(reinterpret_cast<const wchar_t*>(words + 2));
  EXPECT_EQ(caption, L"Create Excel-Sheets with Morvex2");
  const WORD* font = words + 2 + caption.size() + 1;
  EXPECT_EQ(font[0], 10);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(font + 1)), L"MS Sans Serif");
}

// A PRODUCT.DBF with more fields than columns opens; every column gets its handler.
TEST(MainDialog, ATableWithMoreThanSixFieldsOpens) {
  MainDialogHarness h(2);
  int handlers = 0;
  h.script().Do([&] {
    for (const auto& c : h.upper().aCols) handlers += c->bLClickHeader ? 1 : 0;
  });
  h.ClickHeader(h.upper(), 2);
  int order = 0;
  h.script().Do([&] { order = tables::CurrentOrder(); });
  h.ClickButton(10);
  EXPECT_EQ(h.Run(), 2);
  EXPECT_EQ(h.script().timed_out_at(), "");
  EXPECT_EQ(handlers, 6);
  EXPECT_EQ(order, 2);
  EXPECT_TRUE(h.tables.errors.empty());
}

}  // namespace
