// INDEX_SHOW: the outcome of every header of the column browser (clicked for real), the
// equality rules of header texts, the last matching pair and the empty-header pairs.
#include <windows.h>

#include <gtest/gtest.h>

#include "browser/index_show.h"
#include "browser/work_area_source.h"
#include "main_dialog_harness.h"
#include "tables/workarea.h"

namespace {

struct Outcome {
  int order;
  long key;
  int row;
  std::vector<long> colours;
  std::string box;  // text of the "ATTENTION" box; empty: none
};

TEST(IndexShow, EveryHeaderOfTheColumnBrowser) {
  struct Case {
    int column;
    const char* header;
    int order;  // 0: no index, the order stays
    std::vector<long> colours;
  };
  const Case cases[] = {
      {2, "Customer", 2, {0, 255, 0, 0, 0, 0}}, {3, "Product", 3, {0, 0, 255, 0, 0, 0}},
      {3, "Product", 3, {0, 0, 255, 0, 0, 0}},  // the red one again: back to the top
      {4, "Invoice", 0, {0, 0, 0, 0, 0, 0}},    {5, "Value", 0, {0, 0, 0, 0, 0, 0}},
      {6, "Date", 0, {0, 0, 0, 0, 0, 0}},       {1, "ID-No.", 1, {255, 0, 0, 0, 0, 0}},
  };
  MainDialogHarness h;
  std::vector<Outcome> seen(std::size(cases));
  std::vector<std::pair<int, long>> before(std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    h.Key(h.upper(), VK_DOWN);
    h.Key(h.upper(), VK_DOWN);
    h.script().Do([&, i] { before[i] = {tables::CurrentOrder(), tables::KeyPosition()}; });
    h.ClickHeader(h.upper(), c.column);
    if (c.order == 0) h.script().AnswerBox("ATTENTION", &seen[i].box);
    h.script().Do([&, i] {
      seen[i].order = tables::CurrentOrder();
      seen[i].key = tables::KeyPosition();
      seen[i].row = h.upper().nRowSel;
      seen[i].colours = HeaderTextColours(h.upper());
    });
  }
  h.ClickButton(10);
  h.Run();
  ASSERT_EQ(h.script().timed_out_at(), "");
  EXPECT_TRUE(h.script().unexpected_boxes().empty());
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.header);
    EXPECT_EQ(seen[i].colours, c.colours);
    if (c.order) {
      EXPECT_EQ(seen[i].order, c.order);
      EXPECT_EQ(seen[i].key, 1);
      EXPECT_EQ(seen[i].row, 1);
      EXPECT_EQ(seen[i].box, "");
    } else {
      EXPECT_EQ(seen[i].box, std::string("No Index for the Col : ") + c.header + " exist !");
      EXPECT_EQ(seen[i].order, before[i].first);
      EXPECT_EQ(seen[i].key, before[i].second);
    }
  }
  EXPECT_EQ(h.state.NTEST, 1) << "header clicks leave the chosen sample";
}

// Direct calls on a grid of our own headers: which pair wins, and when the box shows.
TEST(IndexShow, EqualityRulesLastMatchAndEmptyHeaders) {
  using xb::Value;
  const Value none;
  struct Case {
    const char* name;
    Value clicked;
    std::vector<Value> pairs;  // text, order, ...
    int order;                 // -1: no match, a box
    std::vector<long> colours;
  };
  const std::vector<std::string> headers = {"ID-No.", "Customer", "", "   "};
  const Case cases[] = {
      {"trailing blanks on the clicked text",
       Value::Text("Customer   "),
       {Value::Text("Customer"), Value::Number(2)},
       2,
       {0, 255, 0, 0}},
      {"trailing blanks on the pair text",
       Value::Text("Customer"),
       {Value::Text("Customer  "), Value::Number(2)},
       2,
       {0, 255, 0, 0}},
      {"another case",
       Value::Text("customer"),
       {Value::Text("Customer"), Value::Number(2)},
       -1,
       {0, 0, 0, 0}},
      {"a leading blank",
       Value::Text(" Customer"),
       {Value::Text("Customer"), Value::Number(2)},
       -1,
       {0, 0, 0, 0}},
      {"one character short",
       Value::Text("ID-No"),
       {Value::Text("ID-No."), Value::Number(1)},
       -1,
       {0, 0, 0, 0}},
      {"the last matching pair wins",
       Value::Text("ID-No."),
       {Value::Text("ID-No."), Value::Number(1), Value::Text("Product"), Value::Number(3),
        Value::Text("ID-No."), Value::Number(2)},
       2,
       {255, 0, 0, 0}},
      {"absent pairs never match",
       Value::Text("Customer"),
       {none, Value::Number(3)},
       -1,
       {0, 0, 0, 0}},
      {"an empty header matches the empty pairs: order 0",
       Value::Text(""),
       {Value::Text("ID-No."), Value::Number(1), Value::Text(""), Value::Number(0)},
       0,
       {0, 0, 255, 255}},
      {"a blank header matches them too",
       Value::Text("  "),
       {Value::Text(""), Value::Number(0), Value::Text("Customer"), Value::Number(2)},
       0,
       {0, 0, 255, 255}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BrowserTables t;
    tables::SelectArea(1);
    tables::SetOrder(3);
    tables::GoTop();
    tables::Skip(4);
    const long key_before = tables::KeyPosition();
    gui::TXBrowse grid(std::make_shared<browser::WorkAreaSource>(1));
    for (const std::string& header : headers) grid.AddCol()->cHeader = header;
    grid.nRowSel = 4;
    std::vector<Value> a = c.pairs;
    a.resize(14);
    std::string box;
    UiScript script({}, 5000);
    script.AnswerBox("ATTENTION", &box);
    script.Start();
    browser::INDEX_SHOW(&grid, c.clicked, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8],
                        a[9], a[10], a[11], a[12], a[13]);
    EXPECT_EQ(HeaderTextColours(grid), c.colours);
    if (c.order < 0) {
      EXPECT_TRUE(script.finished()) << "no box";
      EXPECT_EQ(box, "No Index for the Col : " + c.clicked.text() + " exist !");
      EXPECT_EQ(tables::CurrentOrder(), 3);
      EXPECT_EQ(tables::KeyPosition(), key_before);
      EXPECT_EQ(grid.nRowSel, 4);
    } else {
      EXPECT_FALSE(script.finished()) << "a box: " << box;
      EXPECT_EQ(tables::CurrentOrder(), c.order);
      EXPECT_EQ(tables::KeyPosition(), 1);
      if (c.order == 0) {
        EXPECT_EQ(tables::RecNo(), 1) << "record order starts at record 1";
      }
      EXPECT_EQ(grid.nRowSel, 1);
    }
    EXPECT_TRUE(t.errors.empty());
  }
}

}  // namespace
