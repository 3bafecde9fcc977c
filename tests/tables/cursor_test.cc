// Walks every order forwards, backwards and at random against a model: the record
// numbers sorted by key, equal keys by record number.
#include <algorithm>
#include <random>

#include "table_fixture.h"

namespace tables_test {
namespace {

using namespace tables;

struct Row {
  std::string name;
  double amount;
  xb::Date day;
};

class CursorTest : public TableTest {
 protected:
  void Build(uint32_t count, uint32_t seed) {
    std::mt19937 rnd(seed);
    TableSpec spec;
    spec.fields = {{"NAME", 'C', 6, 0}, {"AMOUNT", 'N', 9, 2}, {"DAY", 'D', 8, 0}};
    TableWriter w(spec);
    const char* names[] = {"ab", "AB", "b", "", "abc", " a", "zz\xE4", "Ab"};
    for (uint32_t i = 0; i < count; ++i) {
      Row r{names[rnd() % 8], double(int(rnd() % 4001) - 2000) / 100.0,
            rnd() % 10 == 0 ? xb::Date{}
                            : xb::Date::FromYmd(1990 + int(rnd() % 30), 1 + int(rnd() % 12),
                                                1 + int(rnd() % 28))};
      std::string padded = r.name;
      padded.resize(6, ' ');
      r.name = padded;
      rows.push_back(r);
      ASSERT_TRUE(w.Append(
          {xb::Value::Text(r.name), xb::Value::Number(r.amount, 2), xb::Value::FromDate(r.day)},
          i % 5 == 0));
    }
    ASSERT_EQ(w.Write(Path("T.DBF")), "");
    ASSERT_TRUE(Open("T.DBF"));
    ASSERT_TRUE(CreateOrder("", "NAME", "NAME", KeyField("NAME")));
    ASSERT_TRUE(CreateOrder("", "LNAME", "LOWER(NAME)", KeyLower("NAME")));
    ASSERT_TRUE(CreateOrder("", "AMOUNT", "AMOUNT", KeyField("AMOUNT")));
    ASSERT_TRUE(CreateOrder("", "DAY", "DAY", KeyField("DAY")));
    ASSERT_TRUE(recorder_.errors.empty());
  }

  // Model of order k (0 = record order).
  std::vector<uint32_t> Model(int order) {
    std::vector<uint32_t> r(rows.size());
    for (uint32_t i = 0; i < r.size(); ++i) r[i] = i + 1;
    auto key = [&](uint32_t recno) -> std::tuple<std::string, double, int32_t> {
      const Row& row = rows[recno - 1];
      switch (order) {
        case 1:
          return {row.name, 0, 0};
        case 2:
          return {LowerAscii(row.name), 0, 0};
        case 3:
          return {"", row.amount, 0};
        case 4:
          return {"", 0, row.day.julian};
      }
      return {"", 0, 0};
    };
    if (order)
      std::stable_sort(r.begin(), r.end(), [&](uint32_t a, uint32_t b) {
        auto ka = key(a), kb = key(b);
        // Text keys compare as unsigned bytes.
        int c = std::get<0>(ka).compare(std::get<0>(kb));
        if (c) {
          const auto& x = std::get<0>(ka);
          const auto& y = std::get<0>(kb);
          return std::lexicographical_compare(
              x.begin(), x.end(), y.begin(), y.end(),
              [](char p, char q) { return uint8_t(p) < uint8_t(q); });
        }
        return std::make_pair(std::get<1>(ka), std::get<2>(ka)) <
               std::make_pair(std::get<1>(kb), std::get<2>(kb));
      });
    return r;
  }

  std::vector<Row> rows;
};

TEST_F(CursorTest, ForwardAndBackwardWalksFollowTheModel) {
  Build(700, 1);
  for (int order = 0; order <= 4; ++order) {
    SCOPED_TRACE(order);
    SetOrder(order);
    auto model = Model(order);
    GoTop();
    for (size_t i = 0; i < model.size(); ++i) {
      ASSERT_EQ(RecNo(), long(model[i])) << i;
      ASSERT_EQ(KeyPosition(), long(i) + 1);
      ASSERT_EQ(Skip(1), i + 1 < model.size() ? 1 : 0);
    }
    EXPECT_TRUE(Eof());
    EXPECT_EQ(RecNo(), long(rows.size()) + 1);
    EXPECT_EQ(KeyPosition(), 0);
    EXPECT_EQ(FieldValue("NAME").text(), "      ");  // empty values at the end
    EXPECT_EQ(FieldValue("AMOUNT").number(), 0);
    EXPECT_TRUE(FieldValue("DAY").date().empty());
    GoBottom();
    for (size_t i = model.size(); i-- > 0;) {
      ASSERT_EQ(RecNo(), long(model[i])) << i;
      EXPECT_FALSE(Bof());
      ASSERT_EQ(Skip(-1), i > 0 ? -1 : 0);
    }
    EXPECT_TRUE(Bof());
    EXPECT_EQ(RecNo(), long(model[0]));
  }
}

TEST_F(CursorTest, RandomMovesFollowTheModel) {
  Build(1500, 7);
  std::mt19937 rnd(99);
  std::vector<std::vector<uint32_t>> models;
  for (int k = 0; k <= 4; ++k) models.push_back(Model(k));
  int order = 0;
  SetOrder(0);
  auto model = models[0];
  long pos = 0;  // model position; size() = end of table
  GoTop();
  const long n = long(rows.size());
  for (int step = 0; step < 4000; ++step) {
    switch (rnd() % 6) {
      case 0: {  // change order: the record stays
        long recno = pos < n ? long(model[size_t(pos)]) : 0;
        order = int(rnd() % 5);
        SetOrder(order);
        model = models[size_t(order)];
        if (recno) pos = std::find(model.begin(), model.end(), uint32_t(recno)) - model.begin();
        break;
      }
      case 1: {
        long k = long(rnd() % 21) - 10;
        long moved = Skip(k);
        long here = std::min(pos, n);
        long target = here + k, expect = k;
        if (k == 0) {
          target = here, expect = 0;
        } else if (k > 0 && here >= n) {
          target = n, expect = 0;
        } else if (target >= n) {
          target = n, expect = n - 1 - here;
        } else if (target < 0) {
          target = 0, expect = -here;
        }
        ASSERT_EQ(moved, expect) << step;
        pos = target;
        break;
      }
      case 2: {
        long recno = long(rnd() % (rows.size() + 2));
        GoTo(recno);
        pos = recno >= 1 && recno <= n
                  ? std::find(model.begin(), model.end(), uint32_t(recno)) - model.begin()
                  : n;
        break;
      }
      case 3: {
        long k = long(rnd() % (rows.size() + 4)) - 2;
        GoToKeyPosition(k);
        pos = std::clamp(k, 1L, n) - 1;
        break;
      }
      case 4:
        GoTop();
        pos = 0;
        break;
      case 5:
        GoBottom();
        pos = n - 1;
        break;
    }
    ASSERT_EQ(RecNo(), pos < n ? long(model[size_t(pos)]) : n + 1) << step;
    ASSERT_EQ(Eof(), pos >= n) << step;
    ASSERT_EQ(KeyPosition(), pos < n ? pos + 1 : 0) << step;
    if (pos < n) {
      const Row& r = rows[model[size_t(pos)] - 1];
      ASSERT_EQ(FieldValue("NAME").text(), r.name);
      ASSERT_EQ(Deleted(), (model[size_t(pos)] - 1) % 5 == 0);
    }
  }
}

TEST_F(CursorTest, EmptyTable) {
  TableSpec spec;
  spec.fields = {{"NAME", 'C', 4, 0}};
  TableWriter w(spec);
  ASSERT_EQ(w.Write(Path("E.DBF")), "");
  ASSERT_TRUE(Open("E.DBF"));
  ASSERT_TRUE(CreateOrder("", "NAME", "NAME", KeyField("NAME")));
  EXPECT_TRUE(Eof());
  EXPECT_TRUE(Bof());
  EXPECT_EQ(Skip(1), 0);
  EXPECT_EQ(Skip(-1), 0);
  EXPECT_EQ(KeyCount(), 0);
  GoBottom();
  EXPECT_TRUE(Eof());
  EXPECT_TRUE(recorder_.errors.empty());
}

}  // namespace
}  // namespace tables_test
