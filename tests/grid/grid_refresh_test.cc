// Refresh() and nRowSel, and the walk that draws the rows around the current one.
#include <gtest/gtest.h>

#include "grid_harness.h"

namespace {

struct RefreshCase {
  const char* name;
  long records;
  long key;     // 0: the source left past its end
  int row_set;  // nRowSel before Refresh()
  long key_after;
  int row_after;
};

const RefreshCase kRefresh[] = {
    {"keeps the row", 50, 10, 3, 10, 3},
    {"not more rows above than records", 50, 2, 3, 2, 2},
    {"not beyond the rows that fit", 50, 20, 9, 20, 5},
    {"at least the top row", 50, 20, 0, 20, 1},
    {"not beyond the record count", 3, 3, 5, 3, 3},
    {"a source past its end shows its last record", 50, 0, 2, 50, 2},
    {"top row after a move to the first record", 50, 1, 1, 1, 1},
};

TEST(GridRefresh, RowPositionAndDrawnRecords) {
  for (const RefreshCase& c : kRefresh) {
    SCOPED_TRACE(c.name);
    GridHarness h(GridSetup{.records = c.records});
    std::vector<long> drawn;  // the record each cell of column 1 was drawn for
    h.grid().aCols[0]->bStrData = [&] {
      drawn.push_back(h.source().RecNo());
      return std::string("x");
    };
    if (c.key == 0) {
      h.source().GoPastEnd();
    } else {
      h.source().GoToKeyNo(c.key);
    }
    h.grid().nRowSel = c.row_set;
    h.grid().ClearPaintLog();
    h.changes.clear();
    drawn.clear();
    h.grid().Refresh();
    EXPECT_EQ(h.source().KeyNo(), c.key_after);
    EXPECT_EQ(h.grid().nRowSel, c.row_after);
    EXPECT_EQ(GetScrollPos(h.hwnd(), SB_VERT), c.key_after);
    EXPECT_TRUE(h.changes.empty());
    EXPECT_EQ(h.grid().paint_log().full, 1);
    // Rows from the current record moved back nRowSel - 1, until the grid or table ends;
    // the highlighted cell is drawn again last.
    std::vector<long> expected;
    const long first = c.key_after - c.row_after + 1;
    for (long k = first; k <= c.records && k < first + h.grid().RowCount(); ++k)
      expected.push_back(k);
    expected.push_back(c.key_after);
    EXPECT_EQ(drawn, expected);
  }
}

TEST(GridRefresh, RecountsTheKeys) {
  GridHarness h(GridSetup{.records = 10});
  h.Start(10, 5);
  // The program makes another order current, one with fewer keys.
  auto fewer = std::make_shared<MemorySource>(MemorySource::Numbered(2, 6));
  h.grid().ClearPaintLog();
  h.source() = *fewer;
  h.grid().Refresh();
  EXPECT_EQ(h.grid().nRowSel, 1);  // the source stands on its first of two records
  h.Key(VK_END);
  EXPECT_EQ(h.source().KeyNo(), 2);
  EXPECT_EQ(h.grid().nRowSel, 2);
}

}  // namespace

namespace {

// Rows follow the key order of the source, which need not be the record order.
TEST(GridRefresh, KeyOrderIsNotRecordOrder) {
  GridHarness h(GridSetup{.records = 10});
  std::vector<std::vector<std::string>> rows;
  for (int r = 1; r <= 10; ++r) rows.push_back(std::vector<std::string>(6, std::to_string(r)));
  h.source() = MemorySource({"A", "B", "C", "D", "E", "F"}, rows, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1});
  std::vector<long> drawn;
  h.grid().aCols[0]->bStrData = [&] {
    drawn.push_back(h.source().RecNo());
    return std::string();
  };
  h.source().GoTop();
  h.grid().nRowSel = 1;
  h.grid().Refresh();
  EXPECT_EQ(drawn, (std::vector<long>{10, 9, 8, 7, 6, 10}));
  EXPECT_EQ(h.source().RecNo(), 10);  // put back after the walk
  h.Key(VK_DOWN);
  EXPECT_EQ(h.source().RecNo(), 9);
  h.Key(VK_END);
  EXPECT_EQ(h.source().RecNo(), 1);
  SendMessageA(h.hwnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), 0);
  EXPECT_EQ(h.source().RecNo(), 8);
  EXPECT_EQ(GetScrollPos(h.hwnd(), SB_VERT), 3);
  ASSERT_EQ(h.changes.size(), 3u);
  EXPECT_EQ(h.changes[2].first, 8);
}

}  // namespace
