// Damaged files: each case changes bytes of a valid file and expects one exact
// "Corruption detected" error, no crash, and the file left as it was.
#include <functional>

#include "table_fixture.h"
#include "tables/bytes.h"
#include "tables/cdx_format.h"

namespace tables_test {
namespace {

using namespace tables;

class DamagedTest : public TableTest {
 protected:
  // Opens `name` expecting one corruption error; returns its description.
  std::string OpenExpectingCorruption(const std::string& name, const std::string& file) {
    recorder_.errors.clear();
    auto before = ReadBytes(Path(name));
    Open(name);
    EXPECT_EQ(ReadBytes(Path(name)), before);
    if (recorder_.errors.size() != 1) return "errors: " + std::to_string(recorder_.errors.size());
    const xb::Error& e = recorder_.errors[0];
    EXPECT_EQ(e.gen_code, 32);
    EXPECT_EQ(e.file_name, Path(file));
    EXPECT_TRUE(e.can_default);
    return e.description.text();
  }
};

TEST_F(DamagedTest, TableHeaderFaults) {
  struct Case {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> damage;
    std::string description;
  } cases[] = {
      {"record length", [](auto& b) { PutLe16(&b[10], 78); },
       "record length 78 does not match the fields (79)"},
      {"header length", [](auto& b) { PutLe16(&b[8], 0xFFFF); },
       "header length 65535 exceeds the file size 25506"},
      {"record count", [](auto& b) { PutLe32(&b[4], 100000); },
       "record count 100000 exceeds the file size (room for 320)"},
      {"truncated record", [](auto& b) { b.resize(225 + 319 * 79 + 40); },
       "the last record is truncated (40 of 79 bytes)"},
      {"terminator", [](auto& b) { b[224] = 'X'; }, "the field descriptors have no terminator"},
      {"field type", [](auto& b) { b[32 + 11] = 'Q'; }, "field ID_NR: unknown field type 0x51"},
      {"numeric width",
       [](auto& b) {
         b[32 + 32 * 4 + 16] = 30;
         b[10] = uint8_t(b[10] + 20);
       },
       "field VALUE: numeric width out of range"},
      {"version", [](auto& b) { b[0] = 0x77; }, "unknown table version byte 0x77"},
      {"tiny file", [](auto& b) { b.resize(20); }, "the file is shorter than a table header"},
  };
  WriteSamples();
  const auto good = ReadBytes(Path("PRODUCT.DBF"));
  for (const auto& c : cases) {
    auto bytes = good;
    c.damage(bytes);
    WriteBytes(Path("PRODUCT.DBF"), bytes);
    EXPECT_EQ(OpenExpectingCorruption("PRODUCT.DBF", "PRODUCT.DBF"),
              "Corruption detected: " + c.description)
        << c.name;
    EXPECT_FALSE(IsOpen()) << c.name;  // the default leaves the area empty
  }
}

TEST_F(DamagedTest, MemoPointerPastTheMemoFile) {
  WriteSamples();
  auto bytes = ReadBytes(Path("PRODUCT1.DBF"));
  // NOTES is the last field: 10 bytes before the end of record 1.
  const size_t record1 = 257, notes = record1 + 80 - 10;
  std::string far = "    999999";
  std::copy(far.begin(), far.end(), bytes.begin() + long(notes));
  WriteBytes(Path("PRODUCT1.DBF"), bytes);
  ASSERT_TRUE(Open("PRODUCT1.DBF"));
  EXPECT_EQ(FieldValue("NOTES").text(), "");
  ASSERT_EQ(recorder_.errors.size(), 1u);
  EXPECT_EQ(recorder_.errors[0].gen_code, 32);
  EXPECT_EQ(recorder_.errors[0].description.text(),
            "Corruption detected: memo block 999999 lies past the end of the memo file");
  EXPECT_EQ(recorder_.errors[0].file_name, Path("PRODUCT1.FPT"));
  Skip(2);
  EXPECT_FALSE(FieldValue("NOTES").text().empty());  // the other records still read
  EXPECT_EQ(recorder_.errors.size(), 1u);
}

TEST_F(DamagedTest, MissingMemoFileIsAnOpenError) {
  WriteSamples();
  std::remove(Path("PRODUCT1.FPT").c_str());
  EXPECT_FALSE(Open("PRODUCT1.DBF"));
  ASSERT_EQ(recorder_.errors.size(), 1u);
  EXPECT_EQ(recorder_.errors[0].gen_code, 21);
  EXPECT_EQ(recorder_.errors[0].os_code, 2);
}

class DamagedIndexTest : public DamagedTest {
 protected:
  // PRODUCT.DBF with its three sample tags and one large tag with interior nodes.
  void SetUp() override {
    DamagedTest::SetUp();
    WriteSamples();
    TableSpec spec;
    spec.fields = {{"K", 'C', 60, 0}};
    TableWriter w(spec);
    for (int i = 0; i < 2000; ++i) w.Append({xb::Value::Text("k" + std::to_string(i * 37 % 2003))});
    ASSERT_EQ(w.Write(Path("BIG.DBF")), "");
    ASSERT_TRUE(Open("BIG.DBF"));
    ASSERT_TRUE(CreateOrder("", "K", "K", KeyField("K")));
    CloseAll();
    ASSERT_EQ(ParseCdx(ReadBytes(Path("BIG.cdx")), cdx_), "");
    ASSERT_EQ(cdx_.tags.size(), 1u);
  }
  CdxFile cdx_;
};

TEST_F(DamagedIndexTest, PagePointerFaults) {
  const CdxTag& tag = cdx_.tags[0];
  const uint32_t root = tag.root;
  const uint32_t child_word = root + 12 + uint32_t(tag.key_length) + 4;
  struct Case {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> damage;
    std::string description;
  } cases[] = {
      {"root far away", [&](auto& b) { PutLe32(&b[tag.header_offset], 0x7FFFFE00); },
       "tag K: page pointer out of range at offset 2147483136"},
      {"root not on a page", [&](auto& b) { PutLe32(&b[tag.header_offset], root + 3); },
       "tag K: page pointer out of range at offset " + std::to_string(root + 3)},
      {"child is its parent", [&](auto& b) { PutBe32(&b[child_word], root); },
       "tag K: page visited twice (a loop) at offset " + std::to_string(root)},
      {"root is the directory", [&](auto& b) { PutLe32(&b[tag.header_offset], 1024); },
       "tag K: page visited twice (a loop) at offset 1024"},
      {"directory root", [&](auto& b) { PutLe32(&b[0], 0x10000000); },
       "tag directory: page pointer out of range at offset 268435456"},
      {"leaf entry size", [&](auto& b) { b[tag.leaves[0] + 23] = 0; },
       "tag K: leaf entry size out of range at offset " + std::to_string(tag.leaves[0])},
      {"cut file", [&](auto& b) { b.resize(b.size() - 512); },
       "tag K: page pointer out of range at offset " + std::to_string(root)},
  };
  for (const auto& c : cases) {
    auto bytes = cdx_.bytes;
    c.damage(bytes);
    WriteBytes(Path("BIG.cdx"), bytes);
    std::string got = OpenExpectingCorruption("BIG.DBF", "BIG.cdx");
    EXPECT_EQ(got, "Corruption detected: " + c.description) << c.name;
    EXPECT_EQ(ReadBytes(Path("BIG.cdx")), bytes) << c.name;  // reading changes nothing
    EXPECT_TRUE(IsOpen()) << c.name;  // the table itself is fine: open without orders
    EXPECT_EQ(OrderCount(), 0) << c.name;
    CloseAll();
  }
}

TEST_F(DamagedIndexTest, InvalidIndexIsStartedAfreshByTheNextTag) {
  WriteBytes(Path("BIG.cdx"), std::vector<uint8_t>(700, 0xEE));
  OpenExpectingCorruption("BIG.DBF", "BIG.cdx");
  recorder_.errors.clear();
  ASSERT_TRUE(CreateOrder("", "K", "K", KeyField("K")));
  EXPECT_TRUE(recorder_.errors.empty());
  CloseAll();
  CdxFile fresh;
  ASSERT_EQ(ParseCdx(ReadBytes(Path("BIG.cdx")), fresh), "");
  ASSERT_EQ(fresh.tags.size(), 1u);
  EXPECT_EQ(fresh.tags[0].name, "K");
}

TEST_F(DamagedIndexTest, EmptyIndexFileHoldsNoTags) {
  WriteBytes(Path("BIG.cdx"), {});
  ASSERT_TRUE(Open("BIG.DBF"));
  EXPECT_TRUE(recorder_.errors.empty());
  EXPECT_EQ(OrderCount(), 0);
  ASSERT_TRUE(CreateOrder("", "K", "K", KeyField("K")));
  EXPECT_EQ(OrderCount(), 1);
}

}  // namespace
}  // namespace tables_test
