// The normal browser: automatic columns over work area 2, the "Row" and "Customer" boxes
// on each row move, none on opening, sideways moves, header clicks or at the last record,
// and the customer in Windows characters.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "main_dialog_harness.h"
#include "tables/workarea.h"

namespace {

// Code page 437 to Windows 1252 for the letters the fixture uses: an independent table.
std::string ExpectedAnsi(const std::string& dos) {
  std::string out = dos;
  const std::pair<char, char> map[] = {{'\x81', '\xFC'}, {'\x84', '\xE4'}, {'\x94', '\xF6'},
                                       {'\xE1', '\xDF'}, {'\x8E', '\xC4'}, {'\x99', '\xD6'},
                                       {'\x9A', '\xDC'}};
  for (char& ch : out)
    for (auto [from, to] : map)
      if (ch == from) ch = to;
  out.resize(kCustomerWidth, ' ');
  return out;
}

// Record numbers of PRODUCT1 in order 1 (ID), and where the grid opens: on the first
// record by lower-case product (the last tag built), shown on the top row.
struct Model {
  std::vector<long> by_id = KeyOrder(Product1Rows(), &IdKey);
  long opening = KeyOrder(Product1Rows(), &ProductKey)[0];
  size_t Pos(long recno) const {
    return std::find(by_id.begin(), by_id.end(), recno) - by_id.begin();
  }
  std::string Customer(long recno) const {
    return ExpectedAnsi(Product1Rows()[recno - 1].customer);
  }
};

TEST(NormalBrowser, OpensWithoutABoxOnTheFirstRecordByProduct) {
  MainDialogHarness h;
  long recno = 0;
  std::vector<std::string> headers;
  h.script().Settle(10);
  h.script().Do([&] {
    tables::SelectArea(2);
    recno = tables::RecNo();
    tables::SelectArea(1);
    headers = Headers(h.lower());
  });
  h.ClickButton(10);
  h.Run();
  ASSERT_EQ(h.script().timed_out_at(), "");
  EXPECT_TRUE(h.script().unexpected_boxes().empty()) << h.script().unexpected_boxes()[0];
  EXPECT_EQ(recno, Model().opening);
  EXPECT_EQ(headers, (std::vector<std::string>{"ID_NR", "CUSTOMER", "PRODUCT", "INVOICE", "VALUE",
                                               "INV_DATE"}));
}

TEST(NormalBrowser, DownFromTheTopRowShowsRowTwoThenTheCustomer) {
  Model m;
  ASSERT_LT(m.Pos(m.opening) + 1, m.by_id.size());
  const long next = m.by_id[m.Pos(m.opening) + 1];
  MainDialogHarness h;
  std::string row, customer;
  int current_area = 0;
  h.Key(h.lower(), VK_DOWN);
  h.script().AnswerBox("Row", &row);
  h.script().AnswerBox("Customer", &customer);
  h.script().Do([&] { current_area = tables::CurrentArea(); });
  h.ClickButton(10);
  h.Run();
  ASSERT_EQ(h.script().timed_out_at(), "");
  EXPECT_EQ(row, "2");
  EXPECT_EQ(customer, m.Customer(next));
  EXPECT_EQ(current_area, 1) << "the grid reaches its table without selecting it";
}

struct Move {
  std::string row, customer;
};

// Moves in the lower grid with a key, count() times, answering the "Row" and "Customer"
// boxes each move brings and recording their texts.
UiScript::Step Moves(MainDialogHarness& h, WPARAM vk, std::vector<Move>& out,
                     std::function<int()> count) {
  struct State {
    int done = 0, phase = 0;
    Move m;
  };
  auto s = std::make_shared<State>();
  return [&h, vk, &out, count, s] {
    if (s->phase == 0) {
      if (s->done >= count()) return true;
      SetFocus(h.lower().hWnd());
      PostKey(h.lower().hWnd(), vk);
      s->phase = 1;
      return false;
    }
    HWND box = FindMessageBox(s->phase == 1 ? "Row" : "Customer");
    if (!box) return false;
    (s->phase == 1 ? s->m.row : s->m.customer) = MessageBoxText(box);
    AnswerMessageBox(box);
    if (s->phase == 2) {
      out.push_back(s->m);
      ++s->done;
      s->phase = 0;
    } else {
      s->phase = 2;
    }
    return false;
  };
}

long LowerKey() {
  tables::SelectArea(2);
  const long key = tables::KeyPosition();
  tables::SelectArea(1);
  return key;
}

TEST(NormalBrowser, DownOnTheBottomRowScrollsAndShowsTheSameRowAgain) {
  Model m;
  MainDialogHarness h;
  std::vector<Move> to_bottom, past;
  int bottom = 0;
  long key_after = 0;
  int row_after = 0;
  h.script().Do([&] { bottom = h.lower().RowCount(); });
  h.Key(h.lower(), VK_HOME);
  h.script().Settle(10);
  h.script().Then(Moves(h, VK_DOWN, to_bottom, [&] { return bottom - 1; }), "down to the bottom");
  h.script().Then(Moves(h, VK_DOWN, past, [] { return 1; }), "down past the bottom");
  h.script().Do([&] {
    key_after = LowerKey();
    row_after = h.lower().nRowSel;
  });
  h.ClickButton(10);
  h.Run();
  ASSERT_EQ(h.script().timed_out_at(), "");
  ASSERT_GT(bottom, 2);
  ASSERT_LT(bottom, static_cast<int>(m.by_id.size()));
  ASSERT_EQ(to_bottom.size(), static_cast<size_t>(bottom - 1));
  for (int i = 0; i < bottom - 1; ++i) {
    EXPECT_EQ(to_bottom[i].row, std::to_string(i + 2));
    EXPECT_EQ(to_bottom[i].customer, m.Customer(m.by_id[i + 1]));
  }
  ASSERT_EQ(past.size(), 1u);
  EXPECT_EQ(past[0].row, std::to_string(bottom));
  EXPECT_EQ(past[0].customer, m.Customer(m.by_id[bottom]));
  EXPECT_EQ(key_after, bottom + 1);
  EXPECT_EQ(row_after, bottom);
}

TEST(NormalBrowser, NoBoxPastTheLastRecordSidewaysOrOnAHeaderClick) {
  Model m;
  MainDialogHarness h;
  std::vector<Move> to_end;
  long key_at_end = 0, key_later = 0;
  h.script().Then(Moves(h, VK_END, to_end, [] { return 1; }), "End");
  h.script().Do([&] { key_at_end = LowerKey(); });
  h.Key(h.lower(), VK_DOWN);
  h.Key(h.lower(), VK_RIGHT);
  h.Key(h.lower(), VK_LEFT);
  h.ClickHeader(h.lower(), 2);
  h.script().Settle(15);
  h.script().Do([&] { key_later = LowerKey(); });
  h.ClickButton(10);
  h.Run();
  ASSERT_EQ(h.script().timed_out_at(), "");
  ASSERT_EQ(to_end.size(), 1u);
  EXPECT_EQ(to_end[0].customer, m.Customer(m.by_id.back()));
  EXPECT_EQ(key_at_end, static_cast<long>(m.by_id.size()));
  EXPECT_EQ(key_later, key_at_end);
  EXPECT_TRUE(h.script().unexpected_boxes().empty()) << h.script().unexpected_boxes()[0];
}

}  // namespace
