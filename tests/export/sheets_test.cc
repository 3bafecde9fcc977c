// The three workbooks built on small tables: every cell that matters, the layout the
// frame gives every sheet, the counting and grouping rules, cancel and the ending.
#include <gtest/gtest.h>

#include <algorithm>

#include "export/export_state.h"
#include "tables/workarea.h"
#include "tests/export/export_fixture.h"

namespace export_test {
namespace {

constexpr int kRed = 255;
constexpr int kBlue = 16711680;
constexpr int kWhite = 16777215;

std::string Pad(const std::string& s, size_t width) {
  return s + std::string(width - s.size(), ' ');
}

// Rows the matrix sees in order 1 (by ID_NR, equal numbers in record order).
const std::vector<Row> kMatrixRows = {
    {2, "Beta Ltd", "Program 02", "I0003", 20.00},
    {1, "Alpha", "Program 01", "I0001", 10.50},
    {1, "Alpha Renamed", "Program 01", "I0002", 5.25},  // same customer, later name ignored
    {1, "Alpha", "program 03", "I0004", 1.00},          // case differs: not counted
    {1, "Alpha", " Program 04", "I0005", 1.00},         // leading blank: not counted
    {3, "Gamma", "Program 10", "I0006", 2.00},
    {2, "Beta Ltd", "Program 11", "I0007", 2.00},  // not one of the ten
};

TEST_F(ExportTest, MatrixRowsCountsAndSalesRow) {
  MakeTable(kMatrixRows, 1);
  Run(1);
  ASSERT_TRUE(errors_.empty());
  const SheetState& s = Sheet();
  std::vector<Cell> cells = {
      {4, 1, "", 1, true, kRed, 10},           {4, 2, "Alpha", {}, true, kRed, 10},
      {4, 3, "Program 01", {}, false, 0, 10},  {5, 1, "", 2, true, kRed, 10},
      {5, 2, "Beta Ltd", {}, true, kRed, 10},  {5, 4, "Program 02", {}, false, 0, 10},
      {6, 1, "", 3, true, kRed, 10},           {6, 2, "Gamma", {}, true, kRed, 10},
      {6, 12, "Program 10", {}, false, 0, 10}, {8, 2, "Sold : ", {}, true, 0, 12},
  };
  const double sold[10] = {2, 1, 0, 0, 0, 0, 0, 0, 0, 1};
  for (int k = 0; k < 10; ++k) cells.push_back({8, 3 + k, "", sold[k], true, kRed, 12});
  ExpectCells(s, cells);
  // Nothing else below the header band: no column for the uncounted products.
  std::vector<std::pair<int, int>> below;
  for (auto at : FilledCells(s)) {
    if (at.first > 3) below.push_back(at);
  }
  EXPECT_EQ(below.size(), cells.size());
  EXPECT_EQ(s.cells.count({7, 1}), 0u);  // one empty row above the sales row
}

TEST_F(ExportTest, FrameLayoutIsTheSameForEverySample) {
  struct Case {
    int sample;
    const char* title;
    const char* merge;
    const char* names_range;
    int band_columns;
    const char* file;
    std::vector<std::pair<int, double>> columns;  // alignment, width
  };
  const Case cases[] = {
      {1,
       "Matrix-Sample",
       "A1:D1",
       "A1:C1",
       12,
       "/Matrix.xls",
       {{-4108, 5}, {-4131, 12}, {-4131, 10}}},
      {2,
       "Invoice-Overview",
       "A1:E1",
       "A1:E1",
       5,
       "/Invoice.xls",
       {{-4108, 5}, {-4131, 12}, {-4131, 12}, {-4131, 10}, {-4152, 10}}},
      {3,
       "Product-Overview",
       "A1:C1",
       "A1:C1",
       3,
       "/Product.xls",
       {{-4131, 20}, {-4152, 10}, {-4131, 30}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    model_ = std::make_shared<ModelState>();
    tables::CloseAll();
    MakeTable(kMatrixRows, c.sample);
    Run(c.sample);
    ASSERT_TRUE(errors_.empty());
    const SheetState& s = Sheet();
    EXPECT_EQ(model_->sheets.size(), 1u);
    EXPECT_EQ(s.name, "Excel-Test");
    EXPECT_FALSE(model_->display_alerts);
    EXPECT_TRUE(model_->visible);
    EXPECT_EQ(s.all_size, 10);
    EXPECT_EQ(s.all_font, "Arial");
    ASSERT_TRUE(s.freeze_at.has_value());
    EXPECT_EQ(*s.freeze_at, std::make_pair(3, 1));
    EXPECT_EQ(s.selection, std::make_pair(2, 1));  // A2 when saved
    EXPECT_EQ(s.merges, std::vector<std::string>{c.merge});
    // Row 1 holds only the title: the column names went with the merge.
    ExpectCells(s, {{1, 1, c.title, {}, true, 0, 12}});
    for (auto at : FilledCells(s)) EXPECT_NE(at.first, 2);
    for (auto at : FilledCells(s)) {
      if (at.first == 1) {
        EXPECT_EQ(at.second, 1);
      }
    }
    const std::string edge = std::string(c.names_range) + " 9 ";
    EXPECT_EQ(s.borders, (std::vector<std::string>{edge + "linestyle=1", edge + "weight=2",
                                                   edge + "colorindex=-4105"}));
    for (size_t i = 0; i < c.columns.size(); ++i) {
      const ColumnState& col = s.columns.at(static_cast<int>(i) + 1);
      EXPECT_EQ(col.align, c.columns[i].first);
      EXPECT_EQ(col.width, c.columns[i].second);
      EXPECT_EQ(col.format, "@");
    }
    EXPECT_EQ(s.columns.size(), c.columns.size());
    for (int col = 1; col <= c.band_columns; ++col) {
      const CellState& band = s.cells.at({3, col});
      EXPECT_EQ(band.fill, 8388608);
      EXPECT_EQ(band.color, kWhite);
      EXPECT_EQ(band.bold, true);
      EXPECT_EQ(band.size, 10);
      EXPECT_EQ(band.align.has_value(), c.sample == 3);
    }
    EXPECT_EQ(s.cells.count({3, c.band_columns + 1}), 0u);
    EXPECT_EQ(model_->saved_paths, std::vector<std::string>{dir_ + "\\" + (c.file + 1)});
    EXPECT_EQ(main_.CDATNAME1, dir_ + "\\PRODUCT");
    EXPECT_TRUE(host_.alerts.empty());
    host_ = RecordingHost();
  }
}

TEST_F(ExportTest, HeaderTextsOfEachSample) {
  const std::vector<std::vector<std::string>> headers = {
      {"ID-NR", "Customer", "Product 1", "Product 2", "Product 3", "Product 4", "Product 5",
       "Product 6", "Product 7", "Product 8", "Product 9", "Product 10"},
      {"ID-No", "Customer", "Invoice", "Product", "Value"},
      {"Product", "Value", "Customer"},
  };
  for (int sample = 1; sample <= 3; ++sample) {
    SCOPED_TRACE(sample);
    model_ = std::make_shared<ModelState>();
    tables::CloseAll();
    MakeTable({}, sample);
    Run(sample);
    std::vector<Cell> cells;
    for (size_t i = 0; i < headers[sample - 1].size(); ++i) {
      cells.push_back({3, static_cast<int>(i) + 1, headers[sample - 1][i], {}, true, kWhite, 10});
    }
    ExpectCells(Sheet(), cells);
  }
}

TEST_F(ExportTest, EmptyTables) {
  for (int sample = 1; sample <= 3; ++sample) {
    SCOPED_TRACE(sample);
    model_ = std::make_shared<ModelState>();
    host_ = RecordingHost();
    tables::CloseAll();
    MakeTable({}, sample);
    Run(sample);
    ASSERT_TRUE(errors_.empty());
    EXPECT_EQ(host_.titles,
              std::vector<std::string>{"Total : 0 EXCEL-Products will be created ..."});
    int lowest = 0;
    for (auto at : FilledCells(Sheet())) lowest = std::max(lowest, at.first);
    if (sample == 1) {
      EXPECT_EQ(lowest, 5);  // the sales row
      std::vector<Cell> cells = {{5, 2, "Sold : ", {}, true, 0, 12}};
      for (int k = 0; k < 10; ++k) cells.push_back({5, 3 + k, "", 0, true, kRed, 12});
      ExpectCells(Sheet(), cells);
    } else {
      EXPECT_EQ(lowest, 3);  // nothing below the header band
    }
    EXPECT_EQ(model_->saved_paths.size(), 1u);
    EXPECT_TRUE(model_->visible);
  }
}

// Order 2: lower-case customer, then invoice. "Smith" and "SMITH" alternate.
const std::vector<Row> kInvoiceRows = {
    {10, "Smith", "Program 01", "A1", 1.00}, {11, "SMITH", "Program 02", "A2", 2.00},
    {10, "Smith", "Program 03", "A3", 3.50}, {12, "Jones", "Program 04", "J1", 100.25},
    {12, "Jones", "Program 05", "J2", 0.25}, {12, "Jones", "Program 06", "J3", -50.00},
    {13, " Kay", "Program 07", "K1", 7.50},
};

TEST_F(ExportTest, InvoiceOverviewGroupsAndTotals) {
  MakeTable(kInvoiceRows, 2);
  Run(2);
  ASSERT_TRUE(errors_.empty());
  auto line = [](int row, const std::string& inv, const std::string& prod,
                 const std::string& value) {
    return std::vector<Cell>{{row, 3, Pad(inv, 10), {}, false, kBlue, 10},
                             {row, 4, Pad(prod, 15), {}, false, kBlue, 10},
                             {row, 5, value, {}, false, kBlue, 10}};
  };
  std::vector<Cell> cells = {
      {4, 1, "", 13, true, kRed, 10},
      {4, 2, " Kay", {}, true, kRed, 10},
      {5, 5, "         7.50", {}, true, kRed, 10},
      {7, 1, "", 12, true, kRed, 10},
      {7, 2, "Jones", {}, true, kRed, 10},
      {10, 5, "        50.50", {}, true, kRed, 10},
      {12, 1, "", 10, true, kRed, 10},
      {12, 2, "Smith", {}, true, kRed, 10},
      {13, 5, "         1.00", {}, true, kRed, 10},
      {15, 1, "", 11, true, kRed, 10},
      {15, 2, "SMITH", {}, true, kRed, 10},
      {16, 5, "         2.00", {}, true, kRed, 10},
      {18, 1, "", 10, true, kRed, 10},
      {18, 2, "Smith", {}, true, kRed, 10},
      {19, 5, "         3.50", {}, true, kRed, 10},
  };
  for (const auto& part :
       {line(4, "K1", "Program 07", "      7.50"), line(7, "J1", "Program 04", "    100.25"),
        line(8, "J2", "Program 05", "      0.25"), line(9, "J3", "Program 06", "    -50.00"),
        line(12, "A1", "Program 01", "      1.00"), line(15, "A2", "Program 02", "      2.00"),
        line(18, "A3", "Program 03", "      3.50")}) {
    cells.insert(cells.end(), part.begin(), part.end());
  }
  ExpectCells(Sheet(), cells);
  size_t below = 0;
  for (auto at : FilledCells(Sheet())) below += at.first > 3;
  EXPECT_EQ(below, cells.size());
  // The progress text: the file label, then per group and per record the name.
  ASSERT_GE(host_.texts.size(), 3u);
  EXPECT_EQ(host_.texts[0], dir_ + "\\PRODUCT");
  EXPECT_EQ(host_.texts[1], "Kay" + std::string(26, ' '));  // left-trimmed, as stored
  EXPECT_EQ(host_.texts.back(), "");                        // the end of the table
}

TEST_F(ExportTest, ProductOverviewGroupsByExactText) {
  const std::vector<Row> rows = {
      {1, "Anna", "Program 01", "X1", 10.00},
      {2, "Bert", "program 01", "X2", 1.00},  // same lower-case key: alternates in record order
      {3, "Carl", "Program 01", "X3", 5.00},
      {4, "Dora", "Program 02", "X4", 2.25},
      {5, "Emil", "Program 02", "X5", 2.25},
  };
  MakeTable(rows, 3);
  Run(3);
  ASSERT_TRUE(errors_.empty());
  auto sale = [](int row, const std::string& value, const std::string& customer) {
    return std::vector<Cell>{{row, 2, value, {}, false, kBlue, 10},
                             {row, 3, "     " + Pad(customer, 30), {}, false, kBlue, 10}};
  };
  std::vector<Cell> cells = {
      {4, 1, "Program 01", {}, true, kRed, 10},  {5, 2, "        10.00", {}, true, kRed, 10},
      {7, 1, "program 01", {}, true, kRed, 10},  {8, 2, "         1.00", {}, true, kRed, 10},
      {10, 1, "Program 01", {}, true, kRed, 10}, {11, 2, "         5.00", {}, true, kRed, 10},
      {13, 1, "Program 02", {}, true, kRed, 10}, {15, 2, "         4.50", {}, true, kRed, 10},
  };
  for (const auto& part : {sale(4, "     10.00", "Anna"), sale(7, "      1.00", "Bert"),
                           sale(10, "      5.00", "Carl"), sale(13, "      2.25", "Dora"),
                           sale(14, "      2.25", "Emil")}) {
    cells.insert(cells.end(), part.begin(), part.end());
  }
  ExpectCells(Sheet(), cells);
  size_t below = 0;
  for (auto at : FilledCells(Sheet())) below += at.first > 3;
  EXPECT_EQ(below, cells.size());
  // The value column keeps its own right alignment below the centred headers.
  EXPECT_FALSE(Sheet().cells.at({13, 2}).align.has_value());
  EXPECT_EQ(Sheet().columns.at(2).align, -4152);
}

TEST_F(ExportTest, TableTextIsConvertedFromItsCodePage) {
  // 0x81 is u-umlaut and 0xE1 sharp s in code page 850 (mark 0x02).
  MakeTable({{1, "M\x81ller", "Program 01", "R\xE1", 1.00}}, 2, 0x02);
  Run(2);
  ASSERT_TRUE(errors_.empty());
  ExpectCells(Sheet(), {{4, 2, "M\xFCller", {}, true, kRed, 10},
                        {4, 3, Pad("R\xDF", 10), {}, false, kBlue, 10}});
}

TEST_F(ExportTest, MeterRunsOneRecordAheadAndTextFollows) {
  MakeTable(kMatrixRows, 1);
  Run(1);
  EXPECT_EQ(host_.titles, std::vector<std::string>{"Total : 7 EXCEL-Products will be created ..."});
  EXPECT_EQ(host_.messages, std::vector<std::string>{dir_ + "\\PRODUCT\r\n "});
  EXPECT_EQ(host_.totals, std::vector<long>{7});
  EXPECT_EQ(host_.positions, (std::vector<long>{2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(host_.passes, 8);  // once after the preparation, once per record
  EXPECT_EQ(host_.clipboard_opened, 1);
  EXPECT_EQ(host_.clipboard_closed, 1);
  EXPECT_FALSE(main_.LGESENDE);
  EXPECT_TRUE(host_.alerts.empty());
}

TEST_F(ExportTest, CancelTakesEffectBetweenGroups) {
  struct Case {
    const char* name;
    int sample;
    int cancel_at_pass;
    int last_row;  // the lowest filled row
  };
  // Matrix groups: id 1 (4 records), 2 (2), 3 (1): passes 2..5, 6..7, 8.
  // Invoice groups: Kay (1), Jones (3), Smith, SMITH, Smith: passes 2, 3..5, 6, 7, 8.
  const Case cases[] = {
      {"matrix, during the first group", 1, 2, 6},  // row 4 and the sales row 6
      {"matrix, in the first group's last record", 1, 5, 6},
      {"matrix, during the last group", 1, 8, 8},
      {"invoice, during the second group", 2, 3, 10},
      {"invoice, during the last group", 2, 8, 19},
      {"product, during the first group", 3, 2, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model_ = std::make_shared<ModelState>();
    host_ = RecordingHost();
    host_.cancel_at_pass = c.cancel_at_pass;
    tables::CloseAll();
    MakeTable(c.sample == 1 ? kMatrixRows : kInvoiceRows, c.sample);
    Run(c.sample);
    ASSERT_TRUE(errors_.empty());
    int lowest = 0;
    for (auto at : FilledCells(Sheet())) lowest = std::max(lowest, at.first);
    EXPECT_EQ(lowest, c.last_row);
    EXPECT_TRUE(main_.LGESENDE);
    EXPECT_EQ(host_.alerts, std::vector<std::string>{"ATTENTION|EXEL-Converting closed !"});
    EXPECT_EQ(model_->saved_paths.size(), 1u);  // saved and shown all the same
    EXPECT_TRUE(model_->visible);
  }
}

TEST_F(ExportTest, MatrixCancelCountsOnlyProcessedRecords) {
  MakeTable(kMatrixRows, 1);
  host_.cancel_at_pass = 2;
  Run(1);
  std::vector<Cell> cells = {{6, 2, "Sold : ", {}, true, 0, 12}};
  const double sold[10] = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int k = 0; k < 10; ++k) cells.push_back({6, 3 + k, "", sold[k], true, kRed, 12});
  ExpectCells(Sheet(), cells);
}

TEST_F(ExportTest, OnlyTheCancelledRunShowsTheBox) {
  MakeTable(kMatrixRows, 1);
  host_.cancel_at_pass = 3;
  Run(1);
  EXPECT_EQ(host_.alerts.size(), 1u);
  host_ = RecordingHost();
  tables::SelectArea(1);
  tables::SetOrder(1);
  Run(1);
  EXPECT_TRUE(host_.alerts.empty());
  EXPECT_FALSE(main_.LGESENDE);
}

TEST_F(ExportTest, NewWorkbooksOfAnySizeKeepOneSheet) {
  for (int sheets : {1, 3, 5}) {
    SCOPED_TRACE(sheets);
    model_ = std::make_shared<ModelState>();
    model_->sheets_in_new_workbook = sheets;
    tables::CloseAll();
    MakeTable(kMatrixRows, 1);
    Run(1);
    ASSERT_TRUE(errors_.empty());
    ASSERT_EQ(model_->sheets.size(), 1u);
    EXPECT_EQ(model_->sheets[0]->name, "Excel-Test");
  }
}

TEST_F(ExportTest, MissingFileAfterSaveIsReported) {
  MakeTable(kMatrixRows, 1);
  model_->save_writes = false;
  Run(1);
  ASSERT_TRUE(errors_.empty());
  const std::string path = dir_ + "\\Matrix.xls";
  EXPECT_EQ(host_.alerts, std::vector<std::string>{"ATTENTION|The EXEL - Sheet : \r\n" + path +
                                                   "\r\nis not created !"});
  EXPECT_TRUE(model_->visible);
}

TEST_F(ExportTest, FailedSaveRaisesTheAutomationError) {
  MakeTable(kMatrixRows, 1);
  model_->fail_save = true;
  Run(1);
  ASSERT_EQ(errors_.size(), 1u);
  const xb::Error& e = errors_[0];
  EXPECT_EQ(e.gen_code, 1001);
  EXPECT_EQ(e.sub_code.number(), 1004);
  EXPECT_EQ(e.sub_system.text(), "Excel.Application:Workbooks:Add");
  EXPECT_EQ(e.operation, "SAVEAS");
  EXPECT_EQ(e.description.text(), "Cannot save the workbook");
  // With the substitute the run goes on: no file, so the box says so.
  ASSERT_EQ(host_.alerts.size(), 1u);
  EXPECT_NE(host_.alerts[0].find("is not created !"), std::string::npos);
}

}  // namespace
}  // namespace export_test
