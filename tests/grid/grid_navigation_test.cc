// The grid driven by window messages: each case starts from a current key position,
// screen row and column, sends one input and checks where the grid and its source end up.
#include <gtest/gtest.h>

#include <functional>

#include "grid_harness.h"

namespace {

using Input = std::function<void(GridHarness&)>;

struct NavCase {
  const char* name;
  long start_key;
  int start_row;
  int start_col;
  Input input;
  long key;     // current key position afterwards (records are in key order here)
  int col;      // current column
  int row_sel;  // nRowSel
  int offset;   // non-frozen columns scrolled off
  int changes;  // row-change handler calls
};

Input Keys(WPARAM vk, int times = 1, bool ctrl = false) {
  return [=](GridHarness& h) {
    for (int i = 0; i < times; ++i) h.Key(vk, ctrl);
  };
}
Input Wheel(std::vector<int> deltas) {
  return [=](GridHarness& h) {
    for (int d : deltas) SendMessageA(h.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, d), 0);
  };
}
Input VBar(int code, int pos = 0) {
  return [=](GridHarness& h) { SendMessageA(h.hwnd(), WM_VSCROLL, MAKEWPARAM(code, pos), 0); };
}
Input HBar(int code, int pos = 0, int times = 1) {
  return [=](GridHarness& h) {
    for (int i = 0; i < times; ++i) SendMessageA(h.hwnd(), WM_HSCROLL, MAKEWPARAM(code, pos), 0);
  };
}
Input ClickCell(int row, int col, bool right = false) {
  return [=](GridHarness& h) { h.Click(h.CellCenter(row, col), right); };
}
Input ClickSelector(int row) {
  return [=](GridHarness& h) { h.Click(h.SelectorPoint(row)); };
}

void Check(GridHarness& h, const NavCase& c) {
  SCOPED_TRACE(c.name);
  h.Start(c.start_key, c.start_row, c.start_col);
  c.input(h);
  EXPECT_EQ(h.source().KeyNo(), c.key);
  EXPECT_EQ(h.grid().ColSel(), c.col);
  EXPECT_EQ(h.grid().nRowSel, c.row_sel);
  EXPECT_EQ(h.grid().ColOffset(), c.offset);
  EXPECT_EQ(static_cast<int>(h.changes.size()), c.changes);
  if (!h.changes.empty()) {  // the handler ran after the new row became current
    EXPECT_EQ(h.changes.back().first, h.source().RecNo());
    EXPECT_EQ(h.changes.back().second, h.grid().nRowSel);
  }
  EXPECT_EQ(GetScrollPos(h.hwnd(), SB_VERT), c.key);
  EXPECT_EQ(GetScrollPos(h.hwnd(), SB_HORZ), c.offset);
  // The frozen columns stay at the left edge; the scrolled ones follow them.
  const int sel = h.grid().SelectorWidth();
  EXPECT_EQ(h.grid().HeaderRect(1).left, sel);
  EXPECT_EQ(h.grid().HeaderRect(2).left, sel + kWidths[0] + 1);
  EXPECT_EQ(h.grid().HeaderRect(3 + c.offset).left, sel + kWidths[0] + kWidths[1] + 2);
}

// 50 records, 5 rows on screen.
const NavCase kVertical[] = {
    {"down from the top row", 1, 1, 1, Keys(VK_DOWN), 2, 1, 2, 0, 1},
    {"down on the bottom row scrolls", 5, 5, 1, Keys(VK_DOWN), 6, 1, 5, 0, 1},
    {"down on the last record", 50, 5, 1, Keys(VK_DOWN), 50, 1, 5, 0, 0},
    {"up on the first record", 1, 1, 1, Keys(VK_UP), 1, 1, 1, 0, 0},
    {"up on the top row scrolls", 10, 1, 1, Keys(VK_UP), 9, 1, 1, 0, 1},
    {"up in the middle", 10, 3, 1, Keys(VK_UP), 9, 1, 2, 0, 1},
    {"three downs", 1, 1, 1, Keys(VK_DOWN, 3), 4, 1, 4, 0, 3},
    {"page down", 1, 1, 1, Keys(VK_NEXT), 6, 1, 1, 0, 1},
    {"page down keeps the row", 10, 3, 1, Keys(VK_NEXT), 15, 1, 3, 0, 1},
    {"page down cut at the end", 48, 3, 1, Keys(VK_NEXT), 50, 1, 5, 0, 1},
    {"page down on the last record", 50, 5, 1, Keys(VK_NEXT), 50, 1, 5, 0, 0},
    {"page down onto the last record fills the grid", 45, 1, 1, Keys(VK_NEXT), 50, 1, 5, 0, 1},
    {"page up", 20, 3, 1, Keys(VK_PRIOR), 15, 1, 3, 0, 1},
    {"page up cut at the top", 3, 3, 1, Keys(VK_PRIOR), 1, 1, 1, 0, 1},
    {"home", 20, 3, 1, Keys(VK_HOME), 1, 1, 1, 0, 1},
    {"home on the first record", 1, 1, 1, Keys(VK_HOME), 1, 1, 1, 0, 0},
    {"end", 1, 1, 1, Keys(VK_END), 50, 1, 5, 0, 1},
    {"ctrl page down", 1, 1, 1, Keys(VK_NEXT, 1, true), 50, 1, 5, 0, 1},
    {"ctrl page up", 20, 3, 1, Keys(VK_PRIOR, 1, true), 1, 1, 1, 0, 1},
    {"wheel towards the user", 1, 1, 1, Wheel({-120}), 2, 1, 2, 0, 1},
    {"wheel away from the user", 10, 1, 1, Wheel({120}), 9, 1, 1, 0, 1},
    {"two notches at once", 1, 1, 1, Wheel({-240}), 3, 1, 3, 0, 2},
    {"half notches add up", 1, 1, 1, Wheel({-60, -60}), 2, 1, 2, 0, 1},
    {"click on a cell", 1, 1, 1, ClickCell(3, 2), 3, 2, 3, 0, 1},
    {"click on the selector keeps the column", 1, 1, 2, ClickSelector(4), 4, 2, 4, 0, 1},
    {"click on the current row", 1, 1, 1, ClickCell(1, 3), 1, 3, 1, 0, 0},
    {"right click on another row", 1, 1, 1, ClickCell(2, 2, true), 2, 1, 2, 0, 1},
    {"scroll bar line down", 1, 1, 1, VBar(SB_LINEDOWN), 2, 1, 2, 0, 1},
    {"scroll bar line up", 10, 1, 1, VBar(SB_LINEUP), 9, 1, 1, 0, 1},
    {"scroll bar page down", 1, 1, 1, VBar(SB_PAGEDOWN), 6, 1, 1, 0, 1},
    {"scroll bar page up", 20, 3, 1, VBar(SB_PAGEUP), 15, 1, 3, 0, 1},
    {"scroll bar top", 20, 3, 1, VBar(SB_TOP), 1, 1, 1, 0, 1},
    {"scroll bar bottom", 1, 1, 1, VBar(SB_BOTTOM), 50, 1, 5, 0, 1},
    {"dragging the box moves nothing", 1, 1, 1, VBar(SB_THUMBTRACK, 25), 1, 1, 1, 0, 0},
    {"releasing the box", 1, 1, 1, VBar(SB_THUMBPOSITION, 25), 25, 1, 1, 0, 1},
    {"releasing the box at the end fills the grid", 1, 1, 1, VBar(SB_THUMBPOSITION, 48), 48, 1, 3,
     0, 1},
    {"typed letters and Enter do nothing", 7, 2, 1,
     [](GridHarness& h) {
       SendMessageA(h.hwnd(), WM_CHAR, 'a', 0);
       SendMessageA(h.hwnd(), WM_CHAR, '7', 0);
       h.Key(VK_RETURN);
     },
     7, 1, 2, 0, 0},
};

// Six columns, two frozen; a 400-pixel client holds the selector (14), columns 1 and 2
// (51 + 121) and then 214 pixels, which take columns 3 and 4 (121 + 71) or, scrolled,
// 4 and 5 (offset 1) or 5 and 6 (offset 2, the largest).
const NavCase kSideways[] = {
    {"right", 1, 1, 1, Keys(VK_RIGHT), 1, 2, 1, 0, 0},
    {"right into a hidden column scrolls one", 1, 1, 4, Keys(VK_RIGHT), 1, 5, 1, 1, 0},
    {"right to the last column", 1, 1, 5, Keys(VK_RIGHT), 1, 6, 1, 2, 0},
    {"right on the last column", 1, 1, 6, Keys(VK_RIGHT), 1, 6, 1, 2, 0},
    {"ctrl right", 1, 1, 1, Keys(VK_RIGHT, 1, true), 1, 6, 1, 2, 0},
    {"ctrl left", 1, 1, 6, Keys(VK_LEFT, 1, true), 1, 1, 1, 0, 0},
    {"left on the first column", 1, 1, 1, Keys(VK_LEFT), 1, 1, 1, 0, 0},
    {"left while the column is shown", 1, 1, 6, Keys(VK_LEFT), 1, 5, 1, 2, 0},
    {"left back into scrolled-off columns", 1, 1, 6, Keys(VK_LEFT, 3), 1, 3, 1, 0, 0},
    {"left into the frozen columns", 1, 1, 6, Keys(VK_LEFT, 5), 1, 1, 1, 0, 0},
    {"scroll bar line right", 1, 1, 1, HBar(SB_LINERIGHT), 1, 2, 1, 0, 0},
    {"scroll bar line left", 1, 1, 3, HBar(SB_LINELEFT), 1, 2, 1, 0, 0},
    {"scroll bar page right keeps the column", 1, 1, 1, HBar(SB_PAGERIGHT), 1, 1, 1, 1, 0},
    {"page right stops at the last offset", 1, 1, 1, HBar(SB_PAGERIGHT, 0, 4), 1, 1, 1, 2, 0},
    {"scroll bar page left", 1, 1, 6, HBar(SB_PAGELEFT), 1, 6, 1, 1, 0},
    {"scroll bar right edge", 1, 1, 1, HBar(SB_RIGHT), 1, 6, 1, 2, 0},
    {"scroll bar left edge", 1, 1, 6, HBar(SB_LEFT), 1, 1, 1, 0, 0},
    {"releasing the box", 1, 1, 1, HBar(SB_THUMBPOSITION, 2), 1, 1, 1, 2, 0},
    {"releasing the box beyond the end", 1, 1, 1, HBar(SB_THUMBPOSITION, 9), 1, 1, 1, 2, 0},
    {"sideways moves keep the row", 12, 4, 1, Keys(VK_RIGHT, 5), 12, 6, 4, 2, 0},
};

// Without a highlighted cell the arrows scroll the columns.
const NavCase kMarqueeNone[] = {
    {"right scrolls one column", 1, 1, 1, Keys(VK_RIGHT), 1, 1, 1, 1, 0},
    {"right stops at the last offset", 1, 1, 1, Keys(VK_RIGHT, 4), 1, 1, 1, 2, 0},
    {"left scrolls back", 1, 1, 1,
     [](GridHarness& h) {
       h.Key(VK_RIGHT, false);
       h.Key(VK_RIGHT, false);
       h.Key(VK_LEFT, false);
     },
     1, 1, 1, 1, 0},
    {"ctrl right", 1, 1, 1, Keys(VK_RIGHT, 1, true), 1, 1, 1, 2, 0},
    {"scroll bar line right", 1, 1, 1, HBar(SB_LINERIGHT), 1, 1, 1, 1, 0},
    {"down still moves the row", 1, 1, 1, Keys(VK_DOWN), 2, 1, 2, 0, 1},
};

TEST(GridNavigation, VerticalInputs) {
  GridHarness h;
  for (const NavCase& c : kVertical) Check(h, c);
}

TEST(GridNavigation, SidewaysInputsKeepFrozenColumnsLeft) {
  GridHarness h;
  for (const NavCase& c : kSideways) Check(h, c);
}

TEST(GridNavigation, MarqueeNoneScrollsSideways) {
  GridHarness h(GridSetup{.marquee = 0});
  for (const NavCase& c : kMarqueeNone) Check(h, c);
}

TEST(GridNavigation, BottomRowScrollRedrawsOnlyTwoRows) {
  GridHarness h;
  h.Start(5, 5);
  UpdateWindow(h.hwnd());
  h.grid().ClearPaintLog();
  h.Key(VK_DOWN);
  EXPECT_EQ(h.grid().paint_log().full, 0);
  EXPECT_EQ(h.grid().paint_log().rows, (std::vector<int>{4, 5}));
  // The rows moved up: row 1 now shows record 2.
  EXPECT_EQ(h.source().KeyNo(), 6);
}

TEST(GridNavigation, EmptyTableIgnoresEveryInput) {
  GridHarness h(GridSetup{.records = 0});
  const Input inputs[] = {Keys(VK_DOWN),      Keys(VK_UP),       Keys(VK_NEXT),
                          Keys(VK_PRIOR),     Keys(VK_HOME),     Keys(VK_END),
                          Wheel({-120, 120}), ClickCell(1, 2),   ClickSelector(1),
                          VBar(SB_BOTTOM),    VBar(SB_LINEDOWN), VBar(SB_THUMBPOSITION, 3),
                          Keys(VK_RIGHT)};
  h.grid().Refresh();
  for (const Input& input : inputs) {
    input(h);
    EXPECT_EQ(h.grid().nRowSel, 1);
    EXPECT_EQ(h.source().KeyNo(), 0);
  }
  EXPECT_TRUE(h.changes.empty());
  // Only the header row is drawn.
  h.grid().ClearPaintLog();
  InvalidateRect(h.hwnd(), nullptr, FALSE);
  UpdateWindow(h.hwnd());
  EXPECT_EQ(h.grid().paint_log().full, 1);
  EXPECT_TRUE(h.grid().paint_log().rows.empty());
}

TEST(GridNavigation, SmallTableClickBelowTheLastRow) {
  GridHarness h(GridSetup{.records = 3});
  h.Start(1, 1);
  h.Click(h.CellCenter(4, 1));
  h.Click(h.SelectorPoint(5));
  EXPECT_EQ(h.source().KeyNo(), 1);
  EXPECT_EQ(h.grid().nRowSel, 1);
  EXPECT_TRUE(h.changes.empty());
  h.Key(VK_END);
  EXPECT_EQ(h.source().KeyNo(), 3);
  EXPECT_EQ(h.grid().nRowSel, 3);  // three records fill three rows, not the fifth
}

}  // namespace
