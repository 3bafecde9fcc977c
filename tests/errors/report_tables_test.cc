// The report's tables section from the real table engine, with the two sample tables
// opened as the program opens them.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "errors/report.h"
#include "errors/runtime_sources.h"
#include "fixed_sources.h"
#include "shell/settings_prologue.h"
#include "shell/table_startup.h"
#include "tables/workarea.h"

namespace fs = std::filesystem;

namespace {

std::string TablesSection(const std::string& text) {
  const size_t from = text.find("\r\nDataBases in use  \r\n");
  const size_t to = text.find("\r\nClasses in use :\r\n");
  EXPECT_NE(from, std::string::npos);
  EXPECT_NE(to, std::string::npos);
  return text.substr(from, to - from);
}

class ReportTables : public ::testing::Test {
 protected:
  ReportTables() : previous_(fs::current_path()) {
    char pattern[] = "/tmp/xb_errtables_XXXXXX";
    dir_ = mkdtemp(pattern);
    for (const char* f : {"PRODUCT.DBF", "PRODUCT1.DBF", "PRODUCT1.FPT"}) {
      fs::copy_file(fs::path(XB_DATA_DIR) / f, dir_ / f);
    }
    fs::current_path(dir_);
    shell::ApplySettingsPrologue();
    shell::SetDefaultTableDriver();
  }
  ~ReportTables() override {
    tables::CloseAll();
    fs::current_path(previous_);
    fs::remove_all(dir_);
  }
  std::string Compose() {
    errors_test::FixedSystem system;
    errors_test::FixedChain chain;
    errors_test::FixedRuntime runtime;
    errors::EngineTables engine;
    errors::ReportSources s{&system, &chain, &engine, &runtime, {6, 1, 7601, "", 2}};
    return errors::ComposeReport(xb::Error::Generic(xb::kErrNoTable, "DBCMD", 2001), s).text;
  }
  fs::path previous_;
  fs::path dir_;
};

TEST_F(ReportTables, TheTwoSampleTablesWithAreaOneCurrent) {
  shell::OpenSampleTables();
  tables::SelectArea(1);
  const long count1 = tables::RecCount(1);
  const long count2 = tables::RecCount(2);
  ASSERT_GT(count1, 0);
  const std::string section = TablesSection(Compose());
  const auto area_line = [](int n, bool current, const char* alias) {
    std::string a(alias);
    a.resize(15, ' ');
    return std::string("  ") + char('0' + n) + ": " + (current ? "=> " : "   ") + a +
           std::string(20, ' ') + "RddName: DBFCDX\r\n";
  };
  EXPECT_NE(section.find("\r\n" + area_line(1, true, "PRODUCT")), std::string::npos) << section;
  EXPECT_NE(section.find("\r\n" + area_line(2, false, "PRODUCT1")), std::string::npos) << section;
  EXPECT_EQ(section.find("  3: "), std::string::npos);
  // Each area: its three tags, the engine's current order marked, and no relations.
  for (int area : {1, 2}) {
    SCOPED_TRACE(area);
    const int order = tables::CurrentOrder(area);
    for (int k = 1; k <= 3; ++k) {
      std::string key = tables::OrderKeyText(area, k);
      ASSERT_FALSE(key.empty());
      key.resize(35, ' ');
      const std::string line = std::string(8, ' ') + (k == order ? "=> " : "   ") + key +
                               tables::OrderTagName(area, k) + "\r\n";
      EXPECT_NE(section.find(line), std::string::npos) << line;
    }
    EXPECT_TRUE(tables::OrderKeyText(area, 4).empty());
  }
  EXPECT_NE(section.find("EXCEL1"), std::string::npos);
  // The record counts stand in their 7-digit pictures after six blanks.
  for (long count : {count1, count2}) {
    std::string digits = std::to_string(count);
    digits.insert(0, 7 - digits.size(), ' ');
    EXPECT_NE(section.find("      " + digits + "      "), std::string::npos) << count;
  }
  // Relations in use: the heading twice, never a relation line.
  EXPECT_EQ(section.find(": TO "), std::string::npos);
  size_t headings = 0;
  for (size_t at = 0; (at = section.find("     Relations in use : \r\n", at)) != std::string::npos;
       ++at)
    ++headings;
  EXPECT_EQ(headings, 2u);
}

TEST_F(ReportTables, ATableWithoutIndexShowsOnlyTheHeading) {
  tables::OpenOptions o;
  o.file = "PRODUCT1.DBF";
  fs::remove(dir_ / "PRODUCT1.cdx");
  fs::remove(dir_ / "PRODUCT1.CDX");
  tables::SelectArea(3);
  ASSERT_TRUE(tables::OpenTable(o));
  const std::string section = TablesSection(Compose());
  const size_t at = section.find("     Indexes in use " + std::string(23, ' ') + "TagName\r\n");
  ASSERT_NE(at, std::string::npos) << section;
  const size_t next = section.find("\r\n\r\n     Relations in use : ", at);
  ASSERT_NE(next, std::string::npos);
  EXPECT_EQ(section.substr(at, next - at + 2),
            "     Indexes in use " + std::string(23, ' ') + "TagName\r\n");
  EXPECT_NE(section.find("  3: => PRODUCT1"), std::string::npos);
}

}  // namespace
