// The object model: the members the export calls, how formatting reaches cells, and the
// failures a real server would report.
#include <gtest/gtest.h>

#include "automation_driver.h"

namespace wbtest {
namespace {

using wb::CallKind;

TEST(WorkbookModel, NewWorkbooksHaveTheRequestedSheetsAndDeletionMovesLaterOnesUp) {
  for (int n : {1, 3, 5}) {
    SCOPED_TRACE(n);
    xb::Value app = App(n);
    Get(Get(app, "Workbooks"), "Add");
    xb::Value sheets = Get(app, "Sheets");
    EXPECT_EQ(Get(sheets, "Count").number(), n);
    for (int i = 1; i <= n; ++i)
      EXPECT_EQ(Get(Get(app, "Worksheets", {N(i)}), "Name").text(), "Sheet" + std::to_string(i));
    // Delete the first sheet until one is left: the others move up each time.
    for (int left = n; left > 1; --left) {
      Get(Get(app, "Worksheets", {N(1)}), "Delete");
      EXPECT_EQ(Get(Get(app, "Sheets"), "Count").number(), left - 1);
      EXPECT_EQ(Get(Get(app, "Worksheets", {N(1)}), "Name").text(),
                "Sheet" + std::to_string(n - left + 2));
    }
    EXPECT_EQ(Get(Get(app, "ActiveSheet"), "Name").text(), "Sheet" + std::to_string(n));
    wb::CallResult last = Try(Get(app, "Worksheets", {N(1)}), "Delete", CallKind::kMethod);
    EXPECT_EQ(last.status, wb::kException);
  }
}

TEST(WorkbookModel, AddWithTheSingleSheetTemplateAndCountOfWorkbooks) {
  xb::Value app = App(3);
  xb::Value books = Get(app, "Workbooks");
  Get(books, "Add", {N(-4167)});
  EXPECT_EQ(Get(Get(app, "Sheets"), "Count").number(), 1);
  Get(books, "Add");
  EXPECT_EQ(Get(books, "Count").number(), 2);
  EXPECT_EQ(Get(Get(app, "ActiveWorkbook"), "Name").text(), "Book2");
  EXPECT_EQ(Try(books, "Add", CallKind::kMethod, {N(7)}).status, wb::kException);
}

TEST(WorkbookModel, ApplicationPropertiesReadBackWhatWasPut) {
  xb::Value app = App();
  EXPECT_FALSE(Get(app, "Visible").logical());  // a new instance is hidden
  EXPECT_TRUE(Get(app, "DisplayAlerts").logical());
  Put(app, "visible", L(true));
  Put(app, "DISPLAYALERTS", L(false));
  EXPECT_TRUE(Get(app, "Visible").logical());
  EXPECT_FALSE(Get(app, "DisplayAlerts").logical());
  EXPECT_FALSE(Get(app, "Name").text().empty());
  EXPECT_EQ(Try(app, "ActiveSheet", CallKind::kGet).status, wb::kException);  // no workbook yet
}

TEST(WorkbookModel, UnknownMembersAndWrongKindsFailLikeAServer) {
  Book b;
  xb::Value cell = Cell(b.sheet, 1, 1);
  xb::Value font = Get(cell, "Font");
  struct Case {
    const char* what;
    xb::Value object;
    const char* member;
    CallKind kind;
    uint32_t status;
  } cases[] = {
      {"application", b.app, "Wrkbooks", CallKind::kMethod, wb::kUnknownName},
      {"workbooks", Get(b.app, "Workbooks"), "Opn", CallKind::kMethod, wb::kUnknownName},
      {"workbook", b.book, "SaveCopyAs", CallKind::kMethod, wb::kUnknownName},
      {"sheet", b.sheet, "Cels", CallKind::kMethod, wb::kUnknownName},
      {"range", cell, "Valeu", CallKind::kPut, wb::kUnknownName},
      {"font", font, "Underlined", CallKind::kGet, wb::kUnknownName},
      {"interior", Get(cell, "Interior"), "Pattern", CallKind::kGet, wb::kUnknownName},
      {"border", Get(cell, "Borders", {N(9)}), "Thickness", CallKind::kGet, wb::kUnknownName},
      {"window", b.window, "Zoom", CallKind::kGet, wb::kUnknownName},
      {"put on a method", cell, "Merge", CallKind::kPut, wb::kMemberNotFound},
      {"put on a read-only", b.app, "Workbooks", CallKind::kPut, wb::kMemberNotFound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<xb::Value> args;
    if (c.kind == CallKind::kPut) args.push_back(N(1));
    EXPECT_EQ(Try(c.object, c.member, c.kind, args).status, c.status);
  }
}

TEST(WorkbookModel, CellAddressesPastTheLimitsFailNamingTheLimit) {
  Book b;
  struct Case {
    double row, column;
    const char* named;
  } cases[] = {{65537, 1, "65536"}, {1, 257, "256"}, {0, 1, "from 1"}, {1, 0, "from 1"}};
  for (const Case& c : cases) {
    wb::CallResult r = Try(b.sheet, "Cells", CallKind::kMethod, {N(c.row), N(c.column)});
    EXPECT_EQ(r.status, wb::kException) << c.row << "," << c.column;
    EXPECT_NE(r.description.find(c.named), std::string::npos) << r.description;
  }
  EXPECT_TRUE(Try(b.sheet, "Cells", CallKind::kMethod, {N(65536), N(256)}).ok());
  EXPECT_EQ(Try(b.sheet, "Range", CallKind::kMethod, {T("A1:IW1")}).status, wb::kException);
  EXPECT_EQ(Try(b.sheet, "Range", CallKind::kMethod, {T("A65537")}).status, wb::kException);
  EXPECT_EQ(Try(b.sheet, "Columns", CallKind::kMethod, {N(257)}).status, wb::kException);
  std::string long_text(32768, 'x');
  wb::CallResult r = Try(Cell(b.sheet, 1, 1), "Value", CallKind::kPut, {T(long_text)});
  EXPECT_EQ(r.status, wb::kException);
  EXPECT_NE(r.description.find("32767"), std::string::npos) << r.description;
}

TEST(WorkbookModel, ValuesReadBackAsTheyWereGiven) {
  Book b;
  struct Case {
    xb::Value in;
  } cases[] = {{T("  lead")}, {T("trail   ")}, {T("")}, {N(-7)}, {N(0.001)}, {L(true)}};
  int row = 1;
  for (const Case& c : cases) {
    xb::Value cell = Cell(b.sheet, row++, 2);
    Put(cell, "Value", c.in);
    xb::Value out = Get(cell, "Value");
    EXPECT_EQ(out.TypeLetter(), c.in.TypeLetter());
    EXPECT_EQ(xb::ValueAsText(out), xb::ValueAsText(c.in));
  }
  xb::Value cell = Cell(b.sheet, 1, 2);
  Put(cell, "Value", xb::Value());
  EXPECT_TRUE(Get(cell, "Value").IsNil());
  // A range takes the value into every cell; a whole column does not take values.
  Put(Get(b.sheet, "Range", {T("C1:D2")}), "Value", N(4));
  EXPECT_EQ(Get(Cell(b.sheet, 2, 4), "Value").number(), 4);
  EXPECT_EQ(Try(Get(b.sheet, "Columns", {N(1)}), "Value", CallKind::kPut, {N(1)}).status,
            wb::kException);
}

TEST(WorkbookModel, MergeKeepsOnlyTheTopLeftValue) {
  Book b;
  for (int c = 1; c <= 4; ++c) Put(Cell(b.sheet, 1, c), "Value", T("name" + std::to_string(c)));
  Put(Get(Cell(b.sheet, 1, 1), "Font"), "Size", N(12));
  Get(Get(b.sheet, "Range", {T("A1:D1")}), "Merge");
  EXPECT_EQ(Get(Cell(b.sheet, 1, 1), "Value").text(), "name1");
  for (int c = 2; c <= 4; ++c) EXPECT_TRUE(Get(Cell(b.sheet, 1, c), "Value").IsNil()) << c;
  EXPECT_TRUE(Get(Cell(b.sheet, 1, 3), "MergeCells").logical());
  EXPECT_FALSE(Get(Cell(b.sheet, 2, 1), "MergeCells").logical());
  EXPECT_EQ(Try(Get(b.sheet, "Range", {T("C1:E1")}), "Merge", CallKind::kMethod).status,
            wb::kException);
}

// Formatting calls replayed in order: a column or the whole sheet reaches the cells that
// exist and those made later; a later call on a cell wins over an earlier column call.
TEST(WorkbookModel, ColumnAndSheetFormattingReachExistingAndLaterCells) {
  Book b;
  Put(Cell(b.sheet, 1, 1), "Value", T("before"));
  Put(Get(Get(b.sheet, "Cells"), "Font"), "Size", N(10));
  Put(Get(Get(b.sheet, "Cells"), "Font"), "Name", T("Courier New"));
  xb::Value column = Get(b.sheet, "Columns", {N(1)});
  Put(column, "HorizontalAlignment", N(-4152));
  Put(column, "NumberFormat", T("@"));
  Put(Get(Cell(b.sheet, 5, 1), "Font"), "Bold", L(true));  // made after the column call
  Put(Get(Cell(b.sheet, 5, 1), "Font"), "Size", N(9));
  Put(Cell(b.sheet, 6, 1), "HorizontalAlignment", N(-4108));

  struct Case {
    int row, column;
    double size;
    const char* font;
    bool bold;
    double alignment;
    const char* format;
  } cases[] = {
      {1, 1, 10, "Courier New", false, -4152, "@"},    // existed before
      {5, 1, 9, "Courier New", true, -4152, "@"},      // made later, then changed
      {6, 1, 10, "Courier New", false, -4108, "@"},    // its own alignment wins
      {7, 2, 10, "Courier New", false, 1, "General"},  // another column: sheet font only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.column));
    xb::Value cell = Cell(b.sheet, c.row, c.column);
    xb::Value font = Get(cell, "Font");
    EXPECT_EQ(Get(font, "Size").number(), c.size);
    EXPECT_EQ(Get(font, "Name").text(), c.font);
    EXPECT_EQ(Get(font, "Bold").logical(), c.bold);
    EXPECT_EQ(Get(cell, "HorizontalAlignment").number(), c.alignment);
    EXPECT_EQ(Get(cell, "NumberFormat").text(), c.format);
  }
}

TEST(WorkbookModel, ColoursAndBordersReadBack) {
  Book b;
  xb::Value band = Get(b.sheet, "Range", {T("A3:C3")});
  Put(Get(band, "Interior"), "Color", N(8388608));
  Put(Get(band, "Font"), "Color", N(16777215));
  EXPECT_EQ(Get(Get(Cell(b.sheet, 3, 2), "Interior"), "Color").number(), 8388608);
  EXPECT_EQ(Get(Get(Cell(b.sheet, 3, 3), "Font"), "Color").number(), 16777215);
  EXPECT_EQ(Get(Get(Cell(b.sheet, 4, 1), "Interior"), "Color").number(), 16777215);  // no fill
  xb::Value bottom = Get(Get(b.sheet, "Range", {T("A1:C2")}), "Borders", {N(9)});
  Put(bottom, "LineStyle", N(1));
  Put(bottom, "Weight", N(2));
  Put(bottom, "ColorIndex", N(-4105));
  EXPECT_EQ(Get(Get(Cell(b.sheet, 2, 3), "Borders", {N(9)}), "LineStyle").number(), 1);
  EXPECT_EQ(Get(Get(Cell(b.sheet, 1, 3), "Borders", {N(9)}), "LineStyle").number(), -4142);
  EXPECT_EQ(Try(bottom, "LineStyle", CallKind::kPut, {N(99)}).status, wb::kException);
  EXPECT_EQ(Try(Get(band, "Font"), "Color", CallKind::kPut, {N(-5)}).status, wb::kException);
  EXPECT_EQ(Try(band, "Borders", CallKind::kMethod, {N(5)}).status, wb::kException);
}

TEST(WorkbookModel, SheetNamesFollowTheFileFormatRules) {
  Book b(2);
  struct Case {
    std::string name;
    bool accepted;
  } cases[] = {{"Excel-Test", true},
               {"", false},
               {std::string(31, 'n'), true},
               {std::string(32, 'n'), false},
               {"a:b", false},
               {"a/b", false},
               {"a[1]", false},
               {"'quoted", false},
               {"SHEET2", false},
               {"Sheet1", true}};
  for (const Case& c : cases) {
    wb::CallResult r = Try(b.sheet, "Name", CallKind::kPut, {T(c.name)});
    EXPECT_EQ(r.ok(), c.accepted) << c.name << ": " << r.description;
  }
}

TEST(WorkbookModel, FreezePanesKeepsTheRowsAboveTheActiveCell) {
  Book b;
  EXPECT_FALSE(Get(b.window, "FreezePanes").logical());
  Get(Cell(b.sheet, 3, 1), "Select");
  Put(b.window, "FreezePanes", L(true));
  EXPECT_TRUE(Get(b.window, "FreezePanes").logical());
  Put(b.window, "FreezePanes", L(false));
  EXPECT_FALSE(Get(b.window, "FreezePanes").logical());
}

TEST(WorkbookModel, HandlesOfADeletedSheetFail) {
  Book b(2);
  xb::Value first = Get(b.app, "Worksheets", {N(1)});
  xb::Value cell = Cell(first, 1, 1);
  Get(first, "Delete");
  EXPECT_EQ(Try(first, "Name", CallKind::kGet).status, wb::kException);
  EXPECT_EQ(Try(cell, "Value", CallKind::kPut, {N(1)}).status, wb::kException);
  EXPECT_EQ(Get(Get(b.app, "ActiveSheet"), "Name").text(), "Sheet2");
}

}  // namespace
}  // namespace wbtest
