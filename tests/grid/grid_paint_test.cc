// What the grid draws and how much of it a change redraws, read back from the window.
#include <gtest/gtest.h>

#include <string>

#include "grid_harness.h"

namespace {

COLORREF Pixel(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

int CountPixels(HWND hwnd, const RECT& r, COLORREF colour) {
  HDC dc = GetDC(hwnd);
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += GetPixel(dc, x, y) == colour;
  ReleaseDC(hwnd, dc);
  return n;
}

constexpr COLORREF kWhite = 16777215, kGreen = 32768, kRed = 255, kBlack = 0;

TEST(GridPaint, RedrawsOnlyWhatChanged) {
  struct Case {
    const char* name;
    long key;
    int row;
    void (*input)(GridHarness&);
    int full;
    std::vector<int> rows;
  };
  const Case cases[] = {
      {"down redraws the old and the new row",
       1,
       1,
       [](GridHarness& h) { h.Key(VK_DOWN); },
       0,
       {1, 2}},
      {"up redraws the old and the new row", 9, 4, [](GridHarness& h) { h.Key(VK_UP); }, 0, {3, 4}},
      {"a click redraws two rows",
       1,
       1,
       [](GridHarness& h) { h.Click(h.CellCenter(4, 2)); },
       0,
       {1, 4}},
      {"right redraws the current row", 3, 3, [](GridHarness& h) { h.Key(VK_RIGHT); }, 0, {3}},
      {"page down redraws the data rows",
       1,
       1,
       [](GridHarness& h) { h.Key(VK_NEXT); },
       0,
       {1, 2, 3, 4, 5}},
      {"losing the focus redraws everything",
       3,
       3,
       [](GridHarness& h) { SetFocus(h.parent()); },
       1,
       {1, 2, 3, 4, 5}},
      {"refresh redraws everything",
       3,
       3,
       [](GridHarness& h) { h.grid().Refresh(); },
       1,
       {1, 2, 3, 4, 5}},
      {"a move that does not happen draws nothing",
       1,
       1,
       [](GridHarness& h) { h.Key(VK_UP); },
       0,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridHarness h;
    h.Start(c.key, c.row);
    UpdateWindow(h.hwnd());
    h.grid().ClearPaintLog();
    c.input(h);
    UpdateWindow(h.hwnd());
    EXPECT_EQ(h.grid().paint_log().full, c.full);
    EXPECT_EQ(h.grid().paint_log().rows, c.rows);
  }
}

TEST(GridPaint, RowChangeRunsBeforeTheNewRowIsDrawn) {
  GridHarness h;
  h.Start(1, 1);
  UpdateWindow(h.hwnd());
  h.grid().ClearPaintLog();
  size_t rows_drawn_during_call = 99;
  h.grid().bChange = [&] { rows_drawn_during_call = h.grid().paint_log().rows.size(); };
  h.Key(VK_DOWN);
  EXPECT_EQ(rows_drawn_during_call, 0u);
  EXPECT_FALSE(h.grid().paint_log().rows.empty());
}

TEST(GridPaint, ColoursOfCellsSelectionAndLines) {
  GridHarness h(GridSetup{.records = 3});
  gui::TXBrowse& g = h.grid();
  g.aCols[0]->bClrStd = gui::Colors(kWhite, kGreen);
  g.aCols[2]->bClrStd = gui::Colors(kBlack, RGB(255, 255, 0));
  h.Start(2, 2, 2);
  UpdateWindow(h.hwnd());
  // A plain cell of column 1 (row 1, its right end where no text is) is green.
  RECT c11 = g.CellRect(1, 1);
  EXPECT_EQ(Pixel(h.hwnd(), c11.right - 2, c11.top + 2), kGreen);
  // The current cell is in the focused selection colours; the row's other cells are not.
  RECT cur = g.CellRect(2, 2);
  EXPECT_EQ(Pixel(h.hwnd(), cur.right - 2, cur.top + 2), GetSysColor(COLOR_HIGHLIGHT));
  RECT c21 = g.CellRect(2, 1);
  EXPECT_EQ(Pixel(h.hwnd(), c21.right - 2, c21.top + 2), kGreen);
  // Without the focus: black on the inactive-caption-text colour.
  SetFocus(h.parent());
  UpdateWindow(h.hwnd());
  EXPECT_EQ(Pixel(h.hwnd(), cur.right - 2, cur.top + 2), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  // Column lines at each right edge, down to the bottom edge below the last of 3 rows.
  RECT client{};
  GetClientRect(h.hwnd(), &client);
  EXPECT_EQ(Pixel(h.hwnd(), c11.right, c11.top + 3), kBlack);
  EXPECT_EQ(Pixel(h.hwnd(), c11.right, client.bottom - 2), kBlack);
  EXPECT_EQ(Pixel(h.hwnd(), c11.right + 2, client.bottom - 2), GetSysColor(COLOR_WINDOW));
  // Row lines between rows, none below the last row drawn.
  EXPECT_EQ(Pixel(h.hwnd(), c11.left + 5, c11.bottom - 1), kBlack);
  RECT c31 = g.CellRect(3, 1);
  EXPECT_EQ(Pixel(h.hwnd(), c31.right - 2, c31.bottom - 1), kGreen);
  // The selector arrow is on the current row only.
  RECT sel1{0, c11.top, g.SelectorWidth() - 1, c11.bottom - 1};
  RECT sel2{0, cur.top, g.SelectorWidth() - 1, cur.bottom - 1};
  EXPECT_GT(CountPixels(h.hwnd(), sel2, kBlack), 5);
  EXPECT_EQ(CountPixels(h.hwnd(), sel1, kBlack), 0);
}

TEST(GridPaint, IncompleteColumnLinesStopAtTheLastRow) {
  GridHarness h(GridSetup{.records = 2});
  h.grid().lColDividerComplete = false;
  h.Start(1, 1);
  RECT c = h.grid().CellRect(2, 1);
  EXPECT_EQ(Pixel(h.hwnd(), c.right, c.top + 2), kBlack);
  EXPECT_EQ(Pixel(h.hwnd(), c.right, c.bottom + 5), GetSysColor(COLOR_WINDOW));
}

TEST(GridPaint, MarqueeNoneHighlightsNoCell) {
  GridHarness h(GridSetup{.marquee = 0});
  h.Start(2, 2, 2);
  RECT cur = h.grid().CellRect(2, 2);
  EXPECT_EQ(Pixel(h.hwnd(), cur.right - 2, cur.top + 2), GetSysColor(COLOR_WINDOW));
  RECT sel{0, cur.top, h.grid().SelectorWidth() - 1, cur.bottom - 1};
  EXPECT_GT(CountPixels(h.hwnd(), sel, kBlack), 5);
}

TEST(GridPaint, LongTextIsCutAtTheCellEdge) {
  GridHarness h;
  gui::TXBrowse& g = h.grid();
  g.aCols[0]->bStrData = [] { return std::string(40, 'W'); };
  g.aCols[1]->bClrStd = gui::Colors(kBlack, RGB(255, 255, 0));
  h.Start(1, 1, 3);
  RECT next = g.CellRect(2, 2);
  // The first pixels of the next column keep its background: nothing spilled over.
  RECT strip{next.left, next.top, next.left + 2, next.bottom - 1};
  EXPECT_EQ(CountPixels(h.hwnd(), strip, RGB(255, 255, 0)), 2 * (next.bottom - 1 - next.top));
  // The cut cell itself does hold text.
  RECT cut = g.CellRect(2, 1);
  EXPECT_GT(CountPixels(h.hwnd(), cut, kBlack), 10);
}

TEST(GridPaint, HeaderGradientTextColourAndPressedLook) {
  GridHarness h;
  gui::TXBrowse& g = h.grid();
  g.aCols[0]->bClrHeader = gui::Colors(kRed, kWhite);
  g.aCols[1]->bClrHeader = gui::Colors(kBlack, kWhite);
  g.aCols[0]->cHeader = "ID-No.";
  g.aCols[1]->cHeader = "Customer";
  h.Start(1, 1);
  RECT h1 = g.HeaderRect(1), h2 = g.HeaderRect(2);
  // The header pair's background (white) does not show: a light-blue gradient does.
  COLORREF top = Pixel(h.hwnd(), h1.left + 2, h1.top + 1);
  COLORREF bottom = Pixel(h.hwnd(), h1.left + 2, h1.bottom - 3);
  EXPECT_NE(top, bottom);
  EXPECT_GT(GetBValue(bottom), GetRValue(bottom));
  EXPECT_NE(top, kWhite);
  EXPECT_GT(CountPixels(h.hwnd(), h1, kRed), 5);
  EXPECT_EQ(CountPixels(h.hwnd(), h2, kRed), 0);
  EXPECT_GT(CountPixels(h.hwnd(), h2, kBlack), 5);
  // Pressed: another look while the button is held, the normal one after the release.
  POINT p = h.HeaderCenter(2);
  h.Press(p.x, p.y);
  COLORREF pressed = Pixel(h.hwnd(), h2.left + 2, h2.top + 1);
  h.Release(p.x, h.grid().HeaderHeight() + 5);  // released off the header: no click
  COLORREF released = Pixel(h.hwnd(), h2.left + 2, h2.top + 1);
  EXPECT_NE(pressed, released);
  EXPECT_EQ(released, top);
}

}  // namespace

namespace {

std::vector<COLORREF> Capture(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  std::vector<COLORREF> pixels;
  HDC dc = GetDC(hwnd);
  for (int y = 0; y < r.bottom; y += 1)
    for (int x = 0; x < r.right; x += 3) pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(hwnd, dc);
  return pixels;
}

// After a move that scrolls the rows, the screen is what a full repaint would draw, also
// when the row-change handler makes the grid paint while it runs (as a message box does).
TEST(GridPaint, ScrolledRowsMatchAFullRepaint) {
  struct Case {
    const char* name;
    long key;
    int row;
    WPARAM key_pressed;
    bool paint_in_handler;
  };
  const Case cases[] = {
      {"down on the bottom row", 5, 5, VK_DOWN, false},
      {"down on the bottom row, painting in the handler", 5, 5, VK_DOWN, true},
      {"up on the top row", 9, 1, VK_UP, false},
      {"up on the top row, painting in the handler", 9, 1, VK_UP, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridHarness h;
    h.Start(c.key, c.row, 2);
    UpdateWindow(h.hwnd());
    if (c.paint_in_handler) {
      h.grid().bChange = [&h] {
        RECT r{0, 0, 200, h.grid().HeaderHeight() + 3 * h.grid().RowHeight()};
        InvalidateRect(h.hwnd(), &r, FALSE);
        UpdateWindow(h.hwnd());
      };
    }
    h.Key(c.key_pressed);
    UpdateWindow(h.hwnd());
    const std::vector<COLORREF> after_move = Capture(h.hwnd());
    InvalidateRect(h.hwnd(), nullptr, FALSE);
    UpdateWindow(h.hwnd());
    EXPECT_TRUE(after_move == Capture(h.hwnd()));
  }
}

}  // namespace
