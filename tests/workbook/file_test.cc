// Saved workbooks read back by an independent reader, and the save's failure paths.
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "automation_driver.h"

namespace wbtest {
namespace {

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/wbtestXXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempDir() {
    for (const std::string& f : Files()) std::remove((path_ + "/" + f).c_str());
    rmdir(path_.c_str());
  }
  const std::string& path() const { return path_; }
  std::vector<std::string> Files() const {
    std::vector<std::string> out;
    if (DIR* d = opendir(path_.c_str())) {
      while (dirent* e = readdir(d)) {
        const std::string n = e->d_name;
        if (n != "." && n != "..") out.push_back(n);
      }
      closedir(d);
    }
    return out;
  }

 private:
  std::string path_;
};

// The reader's facts: "kind key..." -> the rest of the line, e.g. "cell 0 0 0" -> "1 'x'".
struct Facts {
  std::vector<std::string> lines;
  bool Has(const std::string& line) const {
    for (const std::string& l : lines) {
      if (l == line) return true;
    }
    return false;
  }
  std::string Find(const std::string& prefix) const {
    for (const std::string& l : lines) {
      if (l.compare(0, prefix.size(), prefix) == 0) return l.substr(prefix.size());
    }
    return "<none>";
  }
};

Facts ReadBack(const std::string& file, const char* cells = "all") {
  const std::string command =
      std::string("/usr/bin/python3 ") + XLS_READER + " '" + file + "' " + cells + " 2>&1";
  Facts facts;
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return facts;
  char line[4096];
  while (fgets(line, sizeof line, p)) {
    std::string l = line;
    if (!l.empty() && l.back() == '\n') l.pop_back();
    facts.lines.push_back(l);
  }
  EXPECT_EQ(pclose(p), 0) << "reader failed: " << (facts.lines.empty() ? "" : facts.lines.back());
  return facts;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The layout the export builds: one sheet, sheet font, a bold 9-pt name row whose
// columns get alignment, width and "@", a bordered name row, a merged 12-pt title, a
// dark blue band with white bold text, frozen rows 1-2, and the cursor left on A2.
void LayOutSheet(Book& b) {
  Get(Get(b.app, "Worksheets", {N(1)}), "Delete");
  Get(Get(b.app, "Worksheets", {N(1)}), "Delete");
  b.sheet = Get(b.app, "ActiveSheet");
  b.window = Get(b.app, "ActiveWindow");
  Put(b.app, "DisplayAlerts", L(false));
  Put(b.sheet, "Name", T("Excel-Test"));
  Get(Cell(b.sheet, 3, 1), "Select");
  Put(b.window, "FreezePanes", L(true));
  Put(Get(Get(b.sheet, "Cells"), "Font"), "Size", N(10));
  Put(Get(Get(b.sheet, "Cells"), "Font"), "Name", T("Arial"));
  struct Column {
    const char* name;
    double width;
    double alignment;
  } columns[] = {{"ID_NR", 5, -4108}, {"CUSTOMER", 12, -4131}, {"VALUE", 10, -4152}};
  for (int i = 0; i < 3; ++i) {
    xb::Value cell = Cell(b.sheet, 1, i + 1);
    Put(Get(cell, "Font"), "Size", N(9));
    Put(Get(cell, "Font"), "Bold", L(true));
    Put(cell, "Value", T(columns[i].name));
    xb::Value column = Get(b.sheet, "Columns", {N(i + 1)});
    Put(column, "HorizontalAlignment", N(columns[i].alignment));
    Put(column, "ColumnWidth", N(columns[i].width));
    Put(column, "NumberFormat", T("@"));
  }
  xb::Value border = Get(Get(b.sheet, "Range", {T("A1:C1")}), "Borders", {N(9)});
  Put(border, "LineStyle", N(1));
  Put(border, "Weight", N(2));
  Put(border, "ColorIndex", N(-4105));
  xb::Value a1 = Cell(b.sheet, 1, 1);
  Put(Get(a1, "Font"), "Size", N(12));
  Put(Get(a1, "Font"), "Bold", L(true));
  Put(a1, "Value", T("Invoice-Overview"));
  Put(a1, "HorizontalAlignment", N(-4131));
  Get(Get(b.sheet, "Range", {T("A1:D1")}), "Merge");
  xb::Value band = Get(b.sheet, "Range", {T("A3:C3")});
  Put(Get(band, "Interior"), "Color", N(8388608));
  Put(Get(band, "Font"), "Color", N(16777215));
  Put(Get(band, "Font"), "Bold", L(true));
  Put(Get(band, "Font"), "Size", N(10));
  const char* headers[] = {"ID-No", "Customer", "Value"};
  for (int i = 0; i < 3; ++i) Put(Cell(b.sheet, 3, i + 1), "Value", T(headers[i]));
  // Data rows: a number, texts with blanks and windows-1252 letters, a right-aligned value.
  xb::Value id = Cell(b.sheet, 4, 1);
  Put(Get(id, "Font"), "Bold", L(true));
  Put(Get(id, "Font"), "Color", N(255));
  Put(id, "Value", N(1001));
  Put(Get(Cell(b.sheet, 4, 2), "Font"), "Color", N(16711680));
  Put(Cell(b.sheet, 4, 2), "Value", T("  M\xFCller \x80 caf\xE9 \x96 Co   "));
  Put(Cell(b.sheet, 4, 3), "Value", T("     12.50"));
  Put(Cell(b.sheet, 5, 3), "Value", N(-7.25));
  Get(Cell(b.sheet, 2, 1), "Select");
}

TEST(WorkbookFile, TheSavedLayoutReadsBackWithEveryFormat) {
  TempDir dir;
  Book b(3);
  LayOutSheet(b);
  const std::string file = dir.path() + "/Invoice.xls";
  Get(b.book, "SaveAs", {T(file)});
  const Facts f = ReadBack(file);
  ASSERT_FALSE(f.lines.empty());
  EXPECT_TRUE(f.Has("sheets Excel-Test"));
  // Palette entries the colours land on.
  EXPECT_TRUE(f.Has("colour 10 255,0,0"));
  EXPECT_TRUE(f.Has("colour 12 0,0,255"));
  EXPECT_TRUE(f.Has("colour 18 0,0,128"));
  const std::pair<const char*, const char*> expected[] = {
      // cell: type 1 text, 2 number, 6 blank; the value as Python shows it
      {"cell 0 0 0 ", "1 'Invoice-Overview'"},
      {"cell 0 0 1 ", "6 ''"},  // the merged names are gone
      {"cell 0 2 1 ", "1 'Customer'"},
      {"cell 0 3 0 ", "2 1001.0"},
      {"cell 0 3 1 ", "1 '  M\xC3\xBCller \xE2\x82\xAC caf\xC3\xA9 \xE2\x80\x93 Co   '"},
      {"cell 0 3 2 ", "1 '     12.50'"},
      {"cell 0 4 2 ", "2 -7.25"},
      // font: name, height in twips, weight, italic, colour index (32767 automatic)
      {"font 0 0 0 ", "Arial 240 700 0 32767"},
      {"font 0 2 0 ", "Arial 200 700 0 9"},
      {"font 0 3 0 ", "Arial 200 700 0 10"},
      {"font 0 3 1 ", "Arial 200 400 0 12"},
      {"font 0 3 2 ", "Arial 200 400 0 32767"},
      // xf: fill pattern and colour, alignment, format, bottom border
      {"xf 0 0 0 ", "fill=0,64 align=1 fmt=@ bottom=1,64"},
      {"xf 0 0 2 ", "fill=0,64 align=1 fmt=@ bottom=1,64"},  // a merged member takes A1's format
      {"xf 0 2 0 ", "fill=1,18 align=2 fmt=@ bottom=0,0"},
      {"xf 0 2 2 ", "fill=1,18 align=3 fmt=@ bottom=0,0"},
      {"xf 0 3 1 ", "fill=0,64 align=1 fmt=@ bottom=0,0"},
      {"xf 0 4 2 ", "fill=0,64 align=3 fmt=@ bottom=0,0"},
      // columns: width, hidden, the column format; column 4 keeps the defaults and
      // needs no column record
      {"col 0 0 ", "1462 0 align=2 fmt=@ font=200"},
      {"col 0 1 ", "3254 0 align=1 fmt=@ font=200"},
      {"col 0 2 ", "2742 0 align=3 fmt=@ font=200"},
      {"col 0 3 ", "<none>"},
      {"row 0 0 ", "315"},
      {"frozen 0 ", "1 2 0 2 2"},
      {"merge 0 ", "0 1 0 4"},
  };
  for (const auto& [key, value] : expected) EXPECT_EQ(f.Find(key), value) << key;
  // Nothing but the workbook is left in the directory.
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"Invoice.xls"});
}

// The cursor is not read by the reader: look for the SELECTION record of pane 2 at A2.
TEST(WorkbookFile, TheCursorIsLeftOnA2InTheFrozenPane) {
  TempDir dir;
  Book b(3);
  LayOutSheet(b);
  const std::string file = dir.path() + "/m.xls";
  Get(b.book, "SaveAs", {T(file)});
  const std::string bytes = ReadFile(file);
  const std::string selection_a2(
      "\x1D\x00\x0F\x00\x02\x01\x00\x00\x00\x00\x00\x01\x00\x01\x00\x01\x00\x00\x00", 19);
  EXPECT_NE(bytes.find(selection_a2), std::string::npos);
}

TEST(WorkbookFile, ABigSheetNeedsDifatAndReadsBackWhole) {
  TempDir dir;
  Book b(1);
  for (int r = 1; r <= 65536; ++r) {
    Put(Cell(b.sheet, r, 1), "Value", N(r));
    Put(Cell(b.sheet, r, 2), "Value", T("customer name " + std::to_string(r % 5000)));
    Put(Cell(b.sheet, r, 3), "Value", N(r + 0.25));
    Put(Cell(b.sheet, r, 4), "Value", T("  invoice " + std::to_string(r) + "  "));
    Put(Cell(b.sheet, r, 5), "Value", N(-r));
  }
  const std::string file = dir.path() + "/big.xls";
  Get(b.book, "SaveAs", {T(file)});
  struct stat st;
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_GT(st.st_size, 109 * 128 * 512);  // past what the header's FAT list can map
  const Facts f = ReadBack(file, "ends");
  EXPECT_EQ(f.Find("size 0 "), "65536 5");
  EXPECT_EQ(f.Find("cell 0 0 0 "), "2 1.0");
  EXPECT_EQ(f.Find("cell 0 65535 0 "), "2 65536.0");
  EXPECT_EQ(f.Find("cell 0 65535 1 "), "1 'customer name 536'");
  EXPECT_EQ(f.Find("cell 0 65535 2 "), "2 65536.25");
  EXPECT_EQ(f.Find("cell 0 65535 3 "), "1 '  invoice 65536  '");
  EXPECT_EQ(f.Find("cell 0 65535 4 "), "2 -65536.0");
}

TEST(WorkbookFile, TooManyCellFormatsIsAClearErrorAndWritesNothing) {
  TempDir dir;
  Book b(1);
  // 60 sizes x 70 colours: more distinct cell formats than the format holds.
  for (int size = 0; size < 60; ++size) {
    for (int colour = 0; colour < 70; ++colour) {
      xb::Value font = Get(Cell(b.sheet, size + 1, colour + 1), "Font");
      Put(font, "Size", N(6 + size));
      Put(font, "Color", N(colour * 3));
    }
  }
  const std::string file = dir.path() + "/formats.xls";
  wb::CallResult r = Try(b.book, "SaveAs", wb::CallKind::kMethod, {T(file)});
  EXPECT_EQ(r.status, wb::kException);
  EXPECT_NE(r.description.find("at most"), std::string::npos) << r.description;
  EXPECT_TRUE(dir.Files().empty());
}

TEST(WorkbookFile, AFailedSaveLeavesTheOldWorkbookAndNoTemporaryFile) {
  TempDir dir;
  const std::string file = dir.path() + "/Matrix.xls";
  {
    Book old(1);
    Put(Cell(old.sheet, 1, 1), "Value", T("old"));
    Get(old.book, "SaveAs", {T(file)});
  }
  const std::string before = ReadFile(file);
  ASSERT_FALSE(before.empty());

  Book b(1);
  for (int r = 1; r <= 20000; ++r) Put(Cell(b.sheet, r, 1), "Value", T("row " + std::to_string(r)));
  // The file-size limit makes the write fail part way, as a full disk would.
  struct rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  wb::CallResult r = Try(b.book, "SaveAs", wb::CallKind::kMethod, {T(file)});
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_EQ(r.status, wb::kException);
  EXPECT_NE(r.description.find("Matrix.xls"), std::string::npos) << r.description;
  EXPECT_EQ(ReadFile(file), before);
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"Matrix.xls"});

  // A directory that does not exist, and a target that cannot be replaced.
  r = Try(b.book, "SaveAs", wb::CallKind::kMethod, {T(dir.path() + "/missing/x.xls")});
  EXPECT_EQ(r.status, wb::kException);
  const std::string blocked = dir.path() + "/blocked.xls";
  ASSERT_EQ(mkdir(blocked.c_str(), 0755), 0);
  ASSERT_EQ(mkdir((blocked + "/inside").c_str(), 0755), 0);
  r = Try(b.book, "SaveAs", wb::CallKind::kMethod, {T(blocked)});
  EXPECT_EQ(r.status, wb::kException);
  rmdir((blocked + "/inside").c_str());
  rmdir(blocked.c_str());
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"Matrix.xls"});
}

TEST(WorkbookFile, ASaveReplacesTheOldWorkbook) {
  TempDir dir;
  const std::string file = dir.path() + "/Product.xls";
  for (const char* text : {"first", "second"}) {
    Book b(1);
    Put(Cell(b.sheet, 1, 1), "Value", T(text));
    Get(b.book, "SaveAs", {T(file), N(-4143)});
    EXPECT_EQ(ReadBack(file).Find("cell 0 0 0 "), std::string("1 '") + text + "'");
  }
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"Product.xls"});
}

TEST(WorkbookFile, AnEmptyWorkbookOfSeveralSheetsIsValid) {
  TempDir dir;
  Book b(3);
  Put(Get(b.app, "Worksheets", {N(2)}), "Name", T("Second"));
  Get(Get(b.app, "Worksheets", {N(3)}), "Delete");
  const std::string file = dir.path() + "/empty.xls";
  Get(b.book, "SaveAs", {T(file)});
  const Facts f = ReadBack(file);
  EXPECT_TRUE(f.Has("sheets Sheet1|Second")) << f.Find("sheets");
  EXPECT_EQ(f.Find("size 0 "), "0 0");
}

}  // namespace
}  // namespace wbtest
