// The errors the engine raises, exactly: open errors with their retry loop, commands
// on an empty area, missing key fields, unusable key types, index file failures.
#include <filesystem>

#include "table_fixture.h"

namespace tables_test {
namespace {

using namespace tables;

class ErrorsTest : public TableTest {};

TEST_F(ErrorsTest, OpenRetriesWhileAnsweredTrueThenDefaultsToEmptyArea) {
  recorder_.answers = {xb::Value::Logical(true), xb::Value::Logical(true)};
  SelectArea(3);
  EXPECT_FALSE(Open("NOPE.DBF"));
  ASSERT_EQ(recorder_.errors.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(recorder_.errors[i].gen_code, 21);
    EXPECT_EQ(recorder_.errors[i].os_code, 2);
    EXPECT_EQ(recorder_.errors[i].tries, int(i));
    EXPECT_EQ(recorder_.errors[i].file_name, Path("NOPE.DBF"));
    EXPECT_EQ(recorder_.errors[i].sub_system.text(), "DBFCDX");
  }
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(RecCount(), 0);
  EXPECT_TRUE(Eof());
  EXPECT_TRUE(Bof());
  EXPECT_EQ(RecNo(), 0);
  EXPECT_EQ(FieldCount(), 0);
  EXPECT_EQ(recorder_.errors.size(), 3u);  // the queries raise nothing
}

TEST_F(ErrorsTest, RetrySucceedsOnceTheFileAppears) {
  WriteSamples();
  std::filesystem::rename(Path("PRODUCT.DBF"), Path("HIDDEN.DBF"));
  recorder_.answers = {xb::Value::Logical(true)};
  // The handler answers true; before the retry the file is put back.
  auto previous = xb::SetErrorHandler([&](xb::Error& e) {
    recorder_.errors.push_back(e);
    std::filesystem::rename(Path("HIDDEN.DBF"), Path("PRODUCT.DBF"));
    return xb::Value::Logical(true);
  });
  EXPECT_TRUE(Open("PRODUCT.DBF"));
  xb::SetErrorHandler(previous);
  EXPECT_EQ(recorder_.errors.size(), 1u);
  EXPECT_EQ(RecCount(), 320);
}

TEST_F(ErrorsTest, CommandsOnEmptyAreaRaiseWithTheirNames) {
  SelectArea(9);
  struct Case {
    const char* operation;
    std::function<void()> call;
  } cases[] = {
      {"SETORDER", [] { SetOrder(1); }},
      {"GOTOP", [] { GoTop(); }},
      {"GOBOTTOM", [] { GoBottom(); }},
      {"SKIP", [] { EXPECT_EQ(Skip(1), 0); }},
      {"GOTO", [] { GoTo(1); }},
      {"GOTOKEY", [] { GoToKeyPosition(1); }},
      {"FIELDGET", [] { EXPECT_TRUE(FieldValue(1).IsNil()); }},
      {"CREATEORDER", [] { EXPECT_FALSE(CreateOrder("", "X", "STR(ID_NR)", KeyStr("ID_NR"))); }},
  };
  for (const auto& c : cases) {
    recorder_.errors.clear();
    c.call();
    ASSERT_EQ(recorder_.errors.size(), 1u) << c.operation;
    const xb::Error& e = recorder_.errors[0];
    EXPECT_EQ(e.gen_code, 35) << c.operation;
    EXPECT_EQ(e.sub_code.number(), 2001) << c.operation;
    EXPECT_EQ(e.sub_system.text(), "DBCMD") << c.operation;
    EXPECT_EQ(e.operation, c.operation);
    EXPECT_TRUE(e.can_default && !e.can_retry && !e.can_substitute) << c.operation;
    EXPECT_EQ(e.description.text(), "Workarea not in use");
  }
}

TEST_F(ErrorsTest, MissingKeyFieldRaisesVariableDoesNotExistAndCreatesNoTag) {
  WriteSamples();
  ASSERT_TRUE(Open("PRODUCT.DBF"));
  EXPECT_FALSE(CreateOrder("", "BAD", "STR(NO_SUCH)", KeyStr("NO_SUCH")));
  ASSERT_EQ(recorder_.errors.size(), 1u);
  EXPECT_EQ(recorder_.errors[0].gen_code, 14);
  EXPECT_EQ(recorder_.errors[0].description.text(), "Variable does not exist");
  EXPECT_EQ(recorder_.errors[0].operation, "NO_SUCH");
  EXPECT_EQ(OrderCount(), 0);
  EXPECT_FALSE(Exists(Path("PRODUCT.cdx")));
  EXPECT_EQ(ReadBytes(Path("PRODUCT.DBF"))[28], 0);
}

TEST_F(ErrorsTest, UnusableKeyTypeIsRefused) {
  WriteSamples();
  ASSERT_TRUE(Open("PRODUCT.DBF"));
  EXPECT_FALSE(CreateOrder("", "ARR", "{}", [] { return xb::Value::FromArray({}); }));
  ASSERT_EQ(recorder_.errors.size(), 1u);
  EXPECT_EQ(recorder_.errors[0].gen_code, 33);
  EXPECT_EQ(OrderCount(), 0);
  // A key that changes its type between records is refused as well.
  recorder_.errors.clear();
  EXPECT_FALSE(CreateOrder("", "MIXED", "IIF()",
                           [] { return Eof() ? xb::Value::Text("x") : xb::Value::Number(1); }));
  ASSERT_EQ(recorder_.errors.size(), 1u);
  EXPECT_EQ(recorder_.errors[0].gen_code, 33);
}

TEST_F(ErrorsTest, IndexFileThatCannotBeCreatedRaisesCreateError) {
  WriteSamples();
  std::filesystem::create_directory(Path("PRODUCT.cdx"));  // a directory in its place
  ASSERT_TRUE(Open("PRODUCT.DBF"));
  recorder_.answers = {xb::Value::Logical(true)};
  EXPECT_FALSE(CreateOrder("", "EXCEL1", "STR(ID_NR)", KeyStr("ID_NR")));
  ASSERT_EQ(recorder_.errors.size(), 2u);  // once retried, then the default
  for (const auto& e : recorder_.errors) {
    EXPECT_EQ(e.gen_code, 20);
    EXPECT_EQ(e.sub_code.number(), 1006);
    EXPECT_EQ(e.file_name, Path("PRODUCT.cdx"));
    EXPECT_NE(e.os_code, 0);
    EXPECT_TRUE(e.can_retry && e.can_default);
  }
  EXPECT_EQ(OrderCount(), 0);
  EXPECT_EQ(ReadBytes(Path("PRODUCT.DBF"))[28], 0);  // no mark without an index
  // The next tag creation tries the file again.
  std::filesystem::remove(Path("PRODUCT.cdx"));
  EXPECT_TRUE(CreateOrder("", "EXCEL1", "STR(ID_NR)", KeyStr("ID_NR")));
  EXPECT_EQ(OrderCount(), 1);
}

TEST_F(ErrorsTest, FieldValueInNamedAreaAndUnknownAlias) {
  WriteSamples();
  SelectArea(1);
  ASSERT_TRUE(Open("PRODUCT.DBF"));
  SelectArea(2);
  ASSERT_TRUE(Open("PRODUCT1.DBF"));
  EXPECT_EQ(FieldValueIn("product", "ID_NR").number(), 40);
  EXPECT_EQ(CurrentArea(), 2);
  EXPECT_TRUE(FieldValueIn("NOWHERE", "ID_NR").IsNil());
  ASSERT_EQ(recorder_.errors.size(), 1u);
  EXPECT_EQ(recorder_.errors[0].gen_code, 15);
}

TEST_F(ErrorsTest, NetworkErrorFlagAndDriverQueries) {
  EXPECT_FALSE(NetError());
  SetNetError(true);
  EXPECT_TRUE(NetError());
  EXPECT_EQ(RegisteredDrivers(), std::vector<std::string>{"DBFCDX"});
  EXPECT_EQ(DriverName(1), "");
  WriteSamples();
  SelectArea(4);
  ASSERT_TRUE(Open("PRODUCT.DBF"));
  EXPECT_EQ(DriverName(4), "DBFCDX");
  EXPECT_EQ(RelationTarget(4, 1), 0);
  EXPECT_EQ(RelationText(4, 1), "");
  EXPECT_EQ(AreaOfAlias("Product"), 4);
}

TEST_F(ErrorsTest, UnknownDriverIsRefused) {
  WriteSamples();
  OpenOptions o;
  o.file = Path("PRODUCT.DBF");
  o.driver = "OTHER";
  EXPECT_FALSE(OpenTable(o));
  ASSERT_EQ(recorder_.errors.size(), 1u);
  EXPECT_EQ(recorder_.errors[0].gen_code, 30);
  EXPECT_FALSE(IsOpen());
}

}  // namespace
}  // namespace tables_test
