// The shipped tables are exactly what the generator makes, and hold the cases the
// program and its tests rely on.
#include <map>
#include <set>

#include "table_fixture.h"
#include "tools/sample_data.h"

namespace tables_test {
namespace {

using namespace tables;

class ShippedTablesTest : public TableTest {
 protected:
  std::string Shipped(const char* name) {
#ifdef _WIN32
    const std::string root = std::string("Z:") + XB_SOURCE_DIR;  // Wine's view of the tree
#else
    const std::string root = XB_SOURCE_DIR;
#endif
    return root + "/data/" + name;
  }
};

TEST_F(ShippedTablesTest, DataFolderMatchesTheGenerator) {
  WriteSamples();
  for (const char* f : {"PRODUCT.DBF", "PRODUCT1.DBF", "PRODUCT1.FPT"})
    EXPECT_EQ(ReadBytes(Path(f)), ReadBytes(Shipped(f))) << f << " is stale: run make_samples data";
}

TEST_F(ShippedTablesTest, ProductHoldsTheCasesTheProgramNeeds) {
  OpenOptions o;
  o.file = Shipped("PRODUCT.DBF");
  o.read_only = true;
  ASSERT_TRUE(OpenTable(o));
  ASSERT_EQ(FieldCount(), 6);
  const char* names[] = {"ID_NR", "CUSTOMER", "PRODUCT", "INVOICE", "VALUE", "INV_DATE"};
  const char types[] = {'N', 'C', 'C', 'C', 'N', 'D'};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(FieldName(i + 1), names[i]);
    EXPECT_EQ(FieldType(i + 1), types[i]);
  }
  EXPECT_EQ(FieldDecimals(5), 2);
  EXPECT_EQ(CodePage(), 850);
  EXPECT_GE(RecCount(), 200);
  std::set<std::string> customers, products, lowered;
  std::map<double, std::set<std::string>> names_of_id;
  int deleted = 0, no_date = 0, umlauts = 0;
  for (GoTop(); !Eof(); Skip(1)) {
    std::string c = FieldValue("CUSTOMER").text();
    customers.insert(c);
    lowered.insert(LowerAscii(c));
    products.insert(FieldValue("PRODUCT").text());
    names_of_id[FieldValue("ID_NR").number()].insert(c);
    deleted += Deleted();
    no_date += FieldValue("INV_DATE").date().empty();
    umlauts += c.find_first_of("\x84\x94\x81\x8E\x99\x9A\xE1") != std::string::npos;
  }
  EXPECT_GE(customers.size(), 30u);
  EXPECT_LE(customers.size(), 50u);
  EXPECT_EQ(lowered.size() + 1, customers.size());  // one pair differs only in case
  for (int p = 1; p <= 10; ++p) {
    std::string name = "Program " + std::string(p < 10 ? "0" : "") + std::to_string(p);
    name.resize(15, ' ');
    EXPECT_TRUE(products.count(name)) << name;
  }
  EXPECT_GT(products.size(), 10u);  // and texts that must not match them
  int ids_with_two_names = 0;
  for (const auto& [id, set] : names_of_id) ids_with_two_names += set.size() > 1;
  EXPECT_EQ(ids_with_two_names, 1);
  EXPECT_GT(deleted, 0);
  EXPECT_EQ(no_date, 1);
  EXPECT_GT(umlauts, 0);
}

TEST_F(ShippedTablesTest, Product1HasTheSharedFieldsAndMore) {
  OpenOptions o;
  o.file = Shipped("PRODUCT1.DBF");
  o.read_only = true;
  ASSERT_TRUE(OpenTable(o));
  std::string types;
  for (const char* f : {"ID_NR", "CUSTOMER", "INVOICE", "PRODUCT"}) {
    ASSERT_NE(FieldPosition(f), 0) << f;
    types += FieldType(FieldPosition(f));
  }
  EXPECT_EQ(types, "NCCC");
  std::string others;
  for (int i = 1; i <= FieldCount(); ++i) others += FieldType(i);
  EXPECT_NE(others.find('D'), std::string::npos);
  EXPECT_NE(others.find('L'), std::string::npos);
  EXPECT_NE(others.find('M'), std::string::npos);
  int memos = 0;
  for (GoTop(); !Eof(); Skip(1)) memos += !FieldValue("NOTES").text().empty();
  EXPECT_GT(memos, 0);
  EXPECT_TRUE(recorder_.errors.empty());
}

}  // namespace
}  // namespace tables_test
