// Independent readers read what we write: Debian's python3-dbf and python3-dbfread give
// the same values as the engine for the shipped tables, and the Perl XBase index_dump
// lists every tag of our index files in the same order as the engine. xbdump reports
// damaged files with the engine's errors.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "shell/table_startup.h"
#include "table_fixture.h"
#include "tables/bytes.h"

namespace tables_test {
namespace {

using namespace tables;

std::string RunCommand(const std::string& command, int* status = nullptr) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  int rc = pclose(p);
  if (status) *status = rc;
  return out;
}

std::string Hex(const std::string& s) {
  std::string t = s;
  while (!t.empty() && t.back() == ' ') t.pop_back();
  std::string out;
  char b[3];
  for (unsigned char c : t) {
    std::snprintf(b, sizeof b, "%02x", c);
    out += b;
  }
  return out;
}

// The engine's view of the current table in the reader script's line format.
std::vector<std::string> EngineLines(bool with_recno) {
  std::vector<std::string> lines;
  SetOrder(0);
  for (GoTop(); !Eof(); Skip(1)) {
    std::string line = with_recno ? std::to_string(RecNo()) + "|" : "";
    line += Deleted() ? "*" : " ";
    for (int i = 1; i <= FieldCount(); ++i) {
      xb::Value v = FieldValue(i);
      char t = FieldType(i);
      line += "|";
      if (t == 'C' || t == 'M') {
        line += Hex(v.text());
      } else if (t == 'N') {
        char b[64];
        std::snprintf(b, sizeof b, "%.4f", v.number());
        line += b;
      } else if (t == 'D') {
        char b[16];
        if (v.date().empty())
          line += "-";
        else {
          std::snprintf(b, sizeof b, "%04d-%02d-%02d", v.date().year(), v.date().month(),
                        v.date().day());
          line += b;
        }
      } else if (t == 'L') {
        line += v.logical() ? "T" : "F";
      }
    }
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

class IndependentReadersTest : public TableTest {
 protected:
  std::string Script() const {
    return std::string(XB_SOURCE_DIR) + "/tests/tables/readers/read_with_python.py";
  }
  void CopyShipped() {
    for (const char* f : {"PRODUCT.DBF", "PRODUCT1.DBF", "PRODUCT1.FPT"})
      std::filesystem::copy_file(std::string(XB_SOURCE_DIR) + "/data/" + f, Path(f));
  }
};

TEST_F(IndependentReadersTest, PythonReadersAgreeWithTheEngineOnTheShippedTables) {
  CopyShipped();
  for (const char* table : {"PRODUCT.DBF", "PRODUCT1.DBF"}) {
    SCOPED_TRACE(table);
    ASSERT_TRUE(Open(table));
    auto with_recno = EngineLines(true);
    auto plain = EngineLines(false);
    CloseAll();
    ASSERT_FALSE(with_recno.empty());
    int status = 0;
    auto dbf_lines =
        Lines(RunCommand("/usr/bin/python3 " + Script() + " dbf " + Path(table), &status));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dbf_lines, with_recno);
    // dbfread lists the live records, then the deleted ones.
    std::vector<std::string> live, deleted;
    for (const auto& l : plain) (l[0] == '*' ? deleted : live).push_back(l);
    live.insert(live.end(), deleted.begin(), deleted.end());
    EXPECT_FALSE(deleted.empty());
    auto dbfread_lines =
        Lines(RunCommand("/usr/bin/python3 " + Script() + " dbfread " + Path(table), &status));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dbfread_lines, live);
  }
}

TEST_F(IndependentReadersTest, PerlIndexDumpListsOurTagsInTheEngineOrder) {
  CopyShipped();
  auto saved = std::filesystem::current_path();
  std::filesystem::current_path(dir_);
  shell::OpenSampleTables();
  std::filesystem::current_path(saved);
  ASSERT_TRUE(recorder_.errors.empty());
  struct Table {
    int area;
    const char* cdx;
  } tables[] = {{1, "PRODUCT.cdx"}, {2, "PRODUCT1.cdx"}};
  for (const auto& t : tables) {
    SelectArea(t.area);
    auto listed = Lines(RunCommand("index_dump --type=char " + Path(t.cdx) + " 2>&1"));
    std::vector<std::string> expected;
    for (int k = 1; k <= OrderCount(); ++k) expected.push_back(OrderTagName(t.area, k));
    // index_dump lists the tag directory, which is sorted by name.
    std::sort(listed.begin(), listed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);
    for (int k = 1; k <= OrderCount(); ++k) {
      SCOPED_TRACE(OrderTagName(t.area, k));
      SetOrder(k);
      std::vector<std::string> ours;
      for (GoTop(); !Eof(); Skip(1)) ours.push_back(std::to_string(RecNo()));
      std::vector<std::string> perl;
      for (const auto& l : Lines(
               RunCommand("index_dump --type=char " + Path(t.cdx) + " " + OrderTagName(t.area, k))))
        perl.push_back(l.substr(l.find_last_of(' ') + 1));
      EXPECT_EQ(perl, ours);
      EXPECT_EQ(long(ours.size()), RecCount());
    }
  }
}

TEST_F(IndependentReadersTest, XbdumpListsTagsKeysAndReportsDamage) {
  CopyShipped();
  SelectArea(1);
  ASSERT_TRUE(Open("PRODUCT.DBF"));
  CreateSampleTags();
  SetOrder(2);
  std::vector<std::string> ours;
  for (GoTop(); !Eof(); Skip(1))
    ours.push_back(std::to_string(RecNo()) + "\t" +
                   KeyConcat({KeyLower("CUSTOMER"), KeyField("INVOICE")})().text());
  CloseAll();
  const std::string dump = std::string(XB_XBDUMP) + " " + Path("PRODUCT.DBF");
  EXPECT_EQ(RunCommand(dump + " --tags"),
            "1\tEXCEL1\t5\tSTR(ID_NR)\n2\tEXCEL2\t40\tLOWER(CUSTOMER) + INVOICE \n"
            "3\tEXCEL3\t15\tLOWER(PRODUCT)\n");
  auto keys = Lines(RunCommand(dump + " --tag excel2"));
  ASSERT_EQ(keys.size(), ours.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    // Bytes outside printable ASCII appear as \xNN; compare those lines by record only.
    if (ours[i].find_first_of("\x80\x81\x84\x8E\x94\x99\x9A\xE1") != std::string::npos) {
      EXPECT_EQ(keys[i].substr(0, keys[i].find('\t')), ours[i].substr(0, ours[i].find('\t')));
      EXPECT_NE(keys[i].find("\\x"), std::string::npos);
    } else {
      EXPECT_EQ(keys[i], ours[i]);
    }
  }
  auto listing = RunCommand(dump);
  EXPECT_NE(listing.find("Records: 320"), std::string::npos);
  EXPECT_NE(listing.find("     37 *|"), std::string::npos);  // a deleted record is marked
  auto bytes = ReadBytes(Path("PRODUCT.DBF"));
  PutLe16(&bytes[10], 78);
  WriteBytes(Path("PRODUCT.DBF"), bytes);
  int status = 0;
  auto err = RunCommand(dump + " 2>&1", &status);
  EXPECT_NE(status, 0);
  EXPECT_EQ(err, "xbdump: " + Path("PRODUCT.DBF") +
                     ": Corruption detected: record length 78 does not match the fields (79)\n");
}

}  // namespace
}  // namespace tables_test
