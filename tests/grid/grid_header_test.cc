// Header clicks against header drags: a press and release on one header runs that
// column's handler; dragging a header onto another column swaps the two columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid_harness.h"

namespace {

struct Clicked {
  std::string header;
  int row = 0;
  int col = 0;
  int pressed_during_call = -1;
};

// Gives every column a handler that records its own header.
std::vector<Clicked>& InstallHandlers(GridHarness& h) {
  static std::vector<Clicked> calls;
  calls.clear();
  for (auto& c : h.grid().aCols) {
    const std::string own = c->cHeader;
    c->bLClickHeader = [&h, own](int row, int col, int, gui::TXBrwColumn* column) {
      EXPECT_EQ(column->cHeader, own);  // the column passed is the handler's own
      calls.push_back({own, row, col, h.grid().PressedHeader()});
    };
  }
  return calls;
}

std::vector<std::string> Headers(GridHarness& h) {
  std::vector<std::string> headers;
  for (auto& c : h.grid().aCols) headers.push_back(c->cHeader);
  return headers;
}

struct Gesture {
  const char* name;
  int press_col;    // header pressed
  int release_col;  // column (header or cell of the top row) released on
  bool release_in_data;
  bool wander;  // moves away beyond the drag distance before coming to the release
  std::vector<std::string> clicked;  // handlers run, by header
  std::vector<std::string> order;    // headers afterwards
  int col_sel;                       // current column afterwards (started on 1)
};

const Gesture kGestures[] = {
    {"click", 3, 3, false, false, {"H3"}, {"H1", "H2", "H3", "H4", "H5", "H6"}, 1},
    {"click on a frozen header",
     1,
     1,
     false,
     false,
     {"H1"},
     {"H1", "H2", "H3", "H4", "H5", "H6"},
     1},
    {"drag onto another header", 1, 4, false, false, {}, {"H4", "H2", "H3", "H1", "H5", "H6"}, 4},
    {"drag onto a cell of another column",
     3,
     2,
     true,
     false,
     {},
     {"H1", "H3", "H2", "H4", "H5", "H6"},
     1},
    {"drag away and back", 2, 2, false, true, {}, {"H1", "H2", "H3", "H4", "H5", "H6"}, 1},
    {"release below the header", 2, 2, true, false, {}, {"H1", "H2", "H3", "H4", "H5", "H6"}, 1},
};

TEST(GridHeader, ClickVersusDrag) {
  for (const Gesture& g : kGestures) {
    SCOPED_TRACE(g.name);
    GridHarness h;
    h.Start(7, 3);
    std::vector<Clicked>& calls = InstallHandlers(h);
    const POINT from = h.HeaderCenter(g.press_col);
    const POINT to =
        g.release_in_data ? h.CellCenter(1, g.release_col) : h.HeaderCenter(g.release_col);
    h.Press(from.x, from.y);
    EXPECT_EQ(h.grid().PressedHeader(), g.press_col);
    if (g.wander) h.Move(from.x, from.y + 40);
    if (to.x != from.x || to.y != from.y) h.Move(to.x, to.y);
    h.Release(to.x, to.y);
    EXPECT_EQ(h.grid().PressedHeader(), 0);
    std::vector<std::string> clicked;
    for (const Clicked& c : calls) {
      clicked.push_back(c.header);
      EXPECT_EQ(c.pressed_during_call, 0);  // repainted unpressed before the handler
      EXPECT_EQ(c.row, to.y);
      EXPECT_EQ(c.col, to.x);
    }
    EXPECT_EQ(clicked, g.clicked);
    EXPECT_EQ(Headers(h), g.order);
    EXPECT_EQ(h.grid().ColSel(), g.col_sel);
    // Header gestures never move the row.
    EXPECT_EQ(h.source().KeyNo(), 7);
    EXPECT_EQ(h.grid().nRowSel, 3);
    EXPECT_TRUE(h.changes.empty());
  }
}

TEST(GridHeader, SwappedColumnKeepsItsHandlerAndBecomesFrozen) {
  GridHarness h;
  h.Start(1, 1);
  std::vector<Clicked>& calls = InstallHandlers(h);
  POINT from = h.HeaderCenter(4), to = h.HeaderCenter(1);
  h.Press(from.x, from.y);
  h.Move(to.x, to.y);
  h.Release(to.x, to.y);
  ASSERT_EQ(h.grid().aCols[0]->cHeader, "H4");
  // Scrolling sideways leaves the swapped-in column at the left edge.
  SendMessageA(h.hwnd(), WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), 0);
  EXPECT_GT(h.grid().ColOffset(), 0);
  EXPECT_EQ(h.grid().HeaderRect(1).left, h.grid().SelectorWidth());
  h.Click(h.HeaderCenter(1));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].header, "H4");
}

TEST(GridHeader, RightClickAndSelectorHeaderDoNothing) {
  GridHarness h;
  h.Start(2, 2);
  std::vector<Clicked>& calls = InstallHandlers(h);
  POINT p = h.HeaderCenter(2);
  h.Press(p.x, p.y, true);
  SendMessageA(h.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  h.Click(POINT{h.grid().SelectorWidth() / 2, p.y});
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(h.grid().PressedHeader(), 0);
  EXPECT_EQ(h.source().KeyNo(), 2);
}

TEST(GridHeader, HandlerThatRepositionsAndRefreshesRunsNoRowChange) {
  GridHarness h;
  h.Start(20, 4);
  h.grid().aCols[1]->bLClickHeader = [&h](int, int, int, gui::TXBrwColumn*) {
    h.source().GoTop();  // what a header-click handler of the program does
    h.grid().nRowSel = 1;
    h.grid().Refresh();
  };
  h.Click(h.HeaderCenter(2));
  EXPECT_EQ(h.source().KeyNo(), 1);
  EXPECT_EQ(h.grid().nRowSel, 1);
  EXPECT_EQ(GetScrollPos(h.hwnd(), SB_VERT), 1);
  EXPECT_TRUE(h.changes.empty());
}

TEST(GridHeader, LostCaptureEndsThePress) {
  GridHarness h;
  h.Start(1, 1);
  std::vector<Clicked>& calls = InstallHandlers(h);
  POINT p = h.HeaderCenter(2);
  h.Press(p.x, p.y);
  ASSERT_EQ(GetCapture(), h.hwnd());
  SetCapture(h.parent());
  EXPECT_EQ(h.grid().PressedHeader(), 0);
  ReleaseCapture();
  h.Release(p.x, p.y);
  EXPECT_TRUE(calls.empty());
}

}  // namespace
