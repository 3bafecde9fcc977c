// The error report, composed from fixed sources.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "errors/report.h"
#include "fixed_sources.h"
#include "runtime/settings.h"
#include "runtime/start_time.h"

namespace {

using errors_test::FixedArea;
using errors_test::FixedChain;
using errors_test::FixedLevel;
using errors_test::FixedRuntime;
using errors_test::FixedSystem;
using errors_test::FixedTables;
using xb::Value;

struct Font : xb::Object {
  std::string ClassName() const override { return "TFONT"; }
};

struct Fixture {
  FixedSystem system;
  FixedChain chain;
  FixedTables tables;
  FixedRuntime runtime;
  xb::Error error;

  Fixture() {
    xb::ResetSettings();
    xb::Set(xb::kSetDateFormat, Value::Text("dd.mm.yyyy"));
    chain.levels = {
        {"ERRORDIALOG", "handler.cc", 90, {}, {Value::Number(1)}},
        {"(b)ERRORSYS", "handler.cc", 70, {}, {}},
        {"OPEN_TABLES",
         "main.cc",
         42,
         {Value::Text("PRODUCT.DBF")},
         {Value::Number(1), Value::Logical(true), Value()}},
        {"", "", 0, {}, {}},
        {"MAIN  ",
         "main.cc",
         20,
         {},
         {Value::FromArray(std::vector<Value>(12)), Value::FromObject(std::make_shared<Font>()),
          Value::FromDate(xb::Date::FromYmd(2008, 12, 24)), Value::Memo("memo text"),
          Value::FromBlock(xb::Block{"MAIN", {}})}},
    };
    tables.drivers = {"DBFCDX", "ARRAYRDD"};
    tables.current = 1;
    FixedArea product{"PRODUCT",
                      "DBFCDX",
                      1,
                      500,
                      false,
                      false,
                      {{"ID", "ID"}, {"STR(KUNDNR,6)+ID", "KUNDE"}, {"UPPER(NAME)", "NAME"}},
                      1,
                      {}};
    FixedArea product1{"PRODUCT1",
                       "DBFCDX",
                       20,
                       20,
                       false,
                       true,
                       {{"ID", "ID1"}, {"NAME", "NAME1"}, {"DTOS(DATUM)", "DATUM1"}},
                       0,
                       {}};
    FixedArea unindexed{"A_VERY_LONG_ALIAS_NAME", "DBFCDX", 12345678, 0, true, true, {}, 0,
                        {{0, ""}, {1, "ID"}}};
    FixedArea array_area{"MEMORY", "ARRAYRDD", 3, 9, false, false, {{"X", "X"}}, 1, {}};
    tables.areas = {{1, product}, {2, product1}, {5, unindexed}, {7, array_area}};
    error = xb::Error::Generic(xb::kErrOpen, "DBFCDX", 1001);
    error.os_code = 2;
    error.file_name = "PRODUCT.DBF";
    error.args = Value::FromArray({Value::Text("PRODUCT.DBF"), Value::Number(2.5)});
    error.can_retry = error.can_default = true;
  }

  errors::Report Compose() {
    errors::ReportSources s{&system, &chain, &tables, &runtime, {6, 1, 7601, "Service Pack 1", 2}};
    return errors::ComposeReport(error, s);
  }
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
  for (const std::string& l : Lines(text))
    if (l == line) return true;
  return false;
}

TEST(Report, MatchesTheGoldenFileByteForByte) {
  Fixture f;
  const std::string golden = ReadFile(XB_ERRORS_TEST_DIR "/report_golden.txt");
  ASSERT_FALSE(golden.empty());
  const errors::Report r = f.Compose();
  EXPECT_EQ(r.text, golden);
  // The pieces the dialog shows are the report's own lines.
  EXPECT_EQ(r.description_line,
            "   Error description : (DOS Error 2) DBFCDX/1001  Open error: PRODUCT.DBF\r\n");
  EXPECT_NE(r.text.find(r.description_line), std::string::npos);
  ASSERT_EQ(r.stack_lines.size(), 2u);
  EXPECT_EQ(r.stack_lines[0], "   Called from : main.cc => OPEN_TABLES(42)");
  EXPECT_EQ(r.stack_lines[1], "   Called from : main.cc => MAIN(20)");
  // The size is asked for the program file itself.
  ASSERT_EQ(f.system.size_asked.size(), 1u);
  EXPECT_EQ(f.system.size_asked[0], f.system.path);
  // "Größe" is windows-1252: bytes 246 and 223.
  EXPECT_NE(r.text.find("\r\n   Gr\xF6\xDF"
                        "e : "),
            std::string::npos);
}

TEST(Report, ArgumentLinesOnlyForAList) {
  Fixture f;
  f.error.args = Value();
  std::string text = f.Compose().text;
  EXPECT_EQ(text.find("Args:"), std::string::npos);
  f.error.args = Value::Text("not a list");
  text = f.Compose().text;
  EXPECT_EQ(text.find("Args:"), std::string::npos);
  f.error.args = Value::FromArray({});
  text = f.Compose().text;
  EXPECT_TRUE(HasLine(text, "   Args:"));
  EXPECT_EQ(text.find("     ["), std::string::npos);
  f.error.args = Value::FromArray({Value::Number(10), Value::Number(0), Value::Logical(false)});
  text = f.Compose().text;
  EXPECT_TRUE(HasLine(text, "     [   1] = N   10"));
  EXPECT_TRUE(HasLine(text, "     [   2] = N   0"));
  EXPECT_TRUE(HasLine(text, "     [   3] = L   .F."));
}

TEST(Report, StackListsLevelsTwoToSeventyThree) {
  Fixture f;
  f.chain.levels.clear();
  for (int level = 0; level < 100; ++level) {
    f.chain.levels.push_back({"P" + std::to_string(level), "m.cc", level, {}, {}});
  }
  const errors::Report r = f.Compose();
  ASSERT_EQ(r.stack_lines.size(), 72u);
  EXPECT_EQ(r.stack_lines.front(), "   Called from : m.cc => P2(2)");
  EXPECT_EQ(r.stack_lines.back(), "   Called from : m.cc => P73(73)");
  EXPECT_FALSE(HasLine(r.text, "   P1"));
  EXPECT_FALSE(HasLine(r.text, "   P0"));
  EXPECT_TRUE(HasLine(r.text, "   P73"));
  EXPECT_FALSE(HasLine(r.text, "   P74"));
  EXPECT_EQ(r.text.find("=> P74("), std::string::npos);
}

TEST(Report, SizeLineFollowsThePicture) {
  const struct {
    long long size;
    const char* line;
  } cases[] = {
      {1234567,
       "   Gr\xF6\xDF"
       "e : 1,234,567 bytes"},
      {123456,
       "   Gr\xF6\xDF"
       "e :   123,456 bytes"},
      {999,
       "   Gr\xF6\xDF"
       "e :       999 bytes"},
      {0,
       "   Gr\xF6\xDF"
       "e :         0 bytes"},
      {12345678,
       "   Gr\xF6\xDF"
       "e : ********* bytes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    Fixture f;
    f.system.size = c.size;
    EXPECT_TRUE(HasLine(f.Compose().text, c.line));
  }
}

TEST(Report, SystemLinesFromTheirSources) {
  Fixture f;
  f.system.bits = 64;
  f.system.memory = 1048575;  // below one megabyte: floor + 1 = 1
  f.system.cpu = "";
  f.system.titles = {};
  const std::string text = f.Compose().text;
  EXPECT_TRUE(HasLine(text, "   Path and name : C:\\Programs\\xlsamples\\xlsamples.exe (64 bits)"));
  EXPECT_TRUE(HasLine(text, "   Hardware Memory: 1 megs"));
  EXPECT_TRUE(HasLine(text, "   CPU type:  2400 Mhz"));
  EXPECT_TRUE(HasLine(text, "   Windows total applications running : 0"));
  Fixture g;
  errors::ReportSources s{&g.system, &g.chain, &g.tables, &g.runtime, {5, 0, 2195, "", 2}};
  EXPECT_TRUE(
      HasLine(errors::ComposeReport(g.error, s).text, "   Windows-version: 5.0, Stand 2195 "));
}

TEST(Report, TimeFromStartAcrossDays) {
  const xb::Date start = xb::Date::FromYmd(2008, 12, 9);
  const struct {
    xb::Date today;
    double start_s, now_s;
    const char* text;
  } cases[] = {
      {xb::Date::FromYmd(2008, 12, 10), 3600, 3600, "24 hours 0 mins 0 secs "},
      {xb::Date::FromYmd(2008, 12, 11), 50000.5, 50000.5, "48 hours 0 mins 0 secs "},
      {xb::Date::FromYmd(2008, 12, 9), 100, 3825.9, "1 hours 2 mins 5 secs "},
      {xb::Date::FromYmd(2008, 12, 8), 100, 3825, "0 hours 0 mins 0 secs "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Fixture f;
    f.system.elapsed =
        xb::TimeFromStartText(xb::ElapsedSeconds(start, c.start_s, c.today, c.now_s));
    EXPECT_TRUE(HasLine(f.Compose().text, std::string("   Time from start : ") + c.text));
  }
}

TEST(Report, ClassCountIsAskedBeforeEachLine) {
  // A class created while the section is written is listed too.
  struct Growing : errors_test::FixedRuntime {
    std::string ClassName(int k) override {
      if (k == 2 && classes.size() == 2) classes.push_back("TLATE");
      return FixedRuntime::ClassName(k);
    }
  };
  Fixture f;
  Growing rt;
  errors::ReportSources s{&f.system, &f.chain, &f.tables, &rt, {6, 1, 7601, "", 2}};
  const std::string text = errors::ComposeReport(f.error, s).text;
  EXPECT_TRUE(HasLine(text, "     3 TLATE"));
}

}  // namespace
