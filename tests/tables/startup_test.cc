// The table start-up as the program runs it: first and second start, a foreign tag,
// neighbours in order 2, the key of a small number, a missing table.
#include <filesystem>

#include "shell/table_startup.h"
#include "table_fixture.h"
#include "tables/cdx_format.h"

namespace tables_test {
namespace {

using namespace tables;

class StartupTest : public TableTest {
 protected:
  // Runs the program's start-up with the test directory as working directory.
  void Start() {
    auto saved = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    shell::OpenSampleTables();
    std::filesystem::current_path(saved);
  }
  std::vector<std::string> Tags(int area) {
    std::vector<std::string> out;
    for (int k = 1; !OrderTagName(area, k).empty(); ++k) out.push_back(OrderTagName(area, k));
    return out;
  }
};

TEST_F(StartupTest, FirstStartCreatesIndexesAndMarksHeaders) {
  WriteSamples();
  ASSERT_EQ(ReadBytes(Path("PRODUCT.DBF"))[28] & 1, 0);
  Start();
  EXPECT_TRUE(recorder_.errors.empty());
  EXPECT_EQ(CurrentArea(), 2);
  EXPECT_EQ(Tags(1), (std::vector<std::string>{"EXCEL1", "EXCEL2", "EXCEL3"}));
  EXPECT_EQ(Tags(2), (std::vector<std::string>{"ID", "CUSTOMER", "PRODUCT"}));
  EXPECT_EQ(OrderKeyText(1, 2), "LOWER(CUSTOMER) + INVOICE ");
  EXPECT_EQ(CurrentOrder(1), 3);
  EXPECT_EQ(Alias(1), "PRODUCT");
  EXPECT_EQ(Alias(2), "PRODUCT1");
  CloseAll();
  EXPECT_TRUE(Exists(Path("PRODUCT.cdx")));
  EXPECT_TRUE(Exists(Path("PRODUCT1.cdx")));
  EXPECT_EQ(ReadBytes(Path("PRODUCT.DBF"))[28] & 1, 1);
  EXPECT_EQ(ReadBytes(Path("PRODUCT1.DBF"))[28] & 1, 1);
}

TEST_F(StartupTest, SecondStartOpensIndexWithTableAndKeepsOrderNumbers) {
  WriteSamples();
  Start();
  CloseAll();
  auto table_after_first = ReadBytes(Path("PRODUCT.DBF"));
  auto index_after_first = ReadBytes(Path("PRODUCT.cdx"));
  SelectArea(1);
  ASSERT_TRUE(Open("PRODUCT.DBF"));
  EXPECT_EQ(OrderCount(), 3);    // opened with the table
  EXPECT_EQ(CurrentOrder(), 0);  // no controlling order
  EXPECT_EQ(RecNo(), 1);
  CloseAll();
  for (int run = 0; run < 5; ++run) {
    Start();
    EXPECT_EQ(Tags(1), (std::vector<std::string>{"EXCEL1", "EXCEL2", "EXCEL3"}));
    CloseAll();
  }
  EXPECT_TRUE(recorder_.errors.empty());
  EXPECT_EQ(ReadBytes(Path("PRODUCT.DBF")), table_after_first);                // no further writes
  EXPECT_EQ(ReadBytes(Path("PRODUCT.cdx")).size(), index_after_first.size());  // no growth
}

TEST_F(StartupTest, ForeignTagStaysInFront) {
  WriteSamples();
  SelectArea(1);
  ASSERT_TRUE(Open("PRODUCT.DBF"));
  ASSERT_TRUE(CreateOrder("", "byvalue", "VALUE", KeyField("VALUE")));
  CloseAll();
  Start();
  EXPECT_EQ(Tags(1), (std::vector<std::string>{"BYVALUE", "EXCEL1", "EXCEL2", "EXCEL3"}));
  // The foreign tag keeps its keys: numeric, ascending.
  SelectArea(1);
  SetOrder(1);
  GoTop();
  double last = -1e300;
  long n = 0;
  while (!Eof()) {
    double v = FieldValue("VALUE").number();
    EXPECT_LE(last, v);
    last = v;
    Skip(1);
    ++n;
  }
  EXPECT_EQ(n, RecCount());
}

TEST_F(StartupTest, CaseDifferingCustomersAreNeighboursInOrderTwo) {
  WriteSamples();
  Start();
  SelectArea(1);
  SetOrder(2);
  GoTop();
  std::vector<std::pair<std::string, std::string>> rows;
  while (!Eof()) {
    rows.push_back({FieldValue("CUSTOMER").text(), FieldValue("INVOICE").text()});
    Skip(1);
  }
  ASSERT_EQ(rows.size(), size_t(RecCount()));
  // Every "meyer gmbh" row, whatever its case, forms one run sorted by invoice.
  size_t first = rows.size(), last = 0;
  for (size_t i = 0; i < rows.size(); ++i)
    if (LowerAscii(rows[i].first).rfind("meyer gmbh", 0) == 0) {
      first = std::min(first, i);
      last = i;
    }
  ASSERT_LT(first, last);
  bool saw_upper = false, saw_mixed = false;
  for (size_t i = first; i <= last; ++i) {
    EXPECT_EQ(LowerAscii(rows[i].first).rfind("meyer gmbh", 0), 0u) << i;
    if (i > first) {
      EXPECT_LE(rows[i - 1].second, rows[i].second);
    }
    saw_upper |= rows[i].first.rfind("MEYER", 0) == 0;
    saw_mixed |= rows[i].first.rfind("Meyer", 0) == 0;
  }
  EXPECT_TRUE(saw_upper && saw_mixed);
}

TEST_F(StartupTest, KeyOfSevenInWidthFive) {
  WriteSamples();
  SelectArea(1);
  ASSERT_TRUE(Open("PRODUCT.DBF"));
  ASSERT_EQ(FieldWidth(FieldPosition("ID_NR")), 5);
  bool found = false;
  for (GoTop(); !Eof(); Skip(1))
    if (FieldValue("ID_NR").number() == 7) {
      EXPECT_EQ(KeyStr("ID_NR")().text(), "    7");
      found = true;
      break;
    }
  EXPECT_TRUE(found);
  GoTo(RecCount() + 1);
  EXPECT_EQ(KeyStr("ID_NR")().text(), "    0");  // the empty record still has the width
  EXPECT_EQ(KeyConcat({KeyLower("CUSTOMER"), KeyField("INVOICE")})().text().size(), 40u);
}

TEST_F(StartupTest, MissingTableRaisesOpenErrorThenEmptyAreaErrors) {
  Start();
  ASSERT_GE(recorder_.errors.size(), 4u);
  const xb::Error& open = recorder_.errors[0];
  EXPECT_EQ(open.gen_code, 21);
  EXPECT_EQ(open.sub_code.number(), 1001);
  EXPECT_EQ(open.os_code, 2);
  EXPECT_EQ(open.file_name, "PRODUCT.DBF");
  EXPECT_TRUE(open.can_retry && open.can_default);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(recorder_.errors[size_t(i)].gen_code, 35);
    EXPECT_EQ(recorder_.errors[size_t(i)].sub_system.text(), "DBCMD");
    EXPECT_EQ(recorder_.errors[size_t(i)].sub_code.number(), 2001);
    EXPECT_EQ(recorder_.errors[size_t(i)].operation, "CREATEORDER");
    EXPECT_TRUE(recorder_.errors[size_t(i)].can_default);
  }
  EXPECT_FALSE(Exists(Path("PRODUCT.cdx")));
  SelectArea(1);
  EXPECT_EQ(RecCount(), 0);
  EXPECT_TRUE(Eof());
  EXPECT_EQ(Alias(), "");
}

}  // namespace
}  // namespace tables_test
