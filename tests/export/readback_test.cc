// The workbooks of the shipped sample tables, written by the built-in engine and read
// back by an independent reader (python3-xlrd with formatting). Every cell the
// spreadsheet model records for the same run must be there with its value and font,
// the band filled, the title merged, the widths set and rows 1 and 2 frozen.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

#include "automation/server.h"
#include "tables/workarea.h"
#include "tests/export/export_fixture.h"

namespace export_test {
namespace {

struct ReadCell {
  std::string value;  // "T" + hex of the text, or "N" + the number
  int bold = 0;
  std::string color, fill;
  double size = 0;
  int halign = 0;
};

struct ReadBook {
  std::string sheets;
  std::map<std::pair<int, int>, ReadCell> cells;
  std::vector<std::string> merges;
  std::map<int, double> widths;
  std::string frozen;
  std::vector<std::string> bottom_edges;
};

std::string Hex(const std::string& s) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : s) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string Rgb(int colorref) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", colorref & 0xFF, (colorref >> 8) & 0xFF,
                (colorref >> 16) & 0xFF);
  return buf;
}

ReadBook ReadBack(const std::string& path) {
  const std::string command = std::string("/usr/bin/python3 ") + XB_SOURCE_DIR +
                              "/tests/export/read_workbook.py '" + path + "' 2>&1";
  ReadBook book;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return book;
  std::string all;
  char buf[4096];
  while (size_t n = fread(buf, 1, sizeof buf, pipe)) all.append(buf, n);
  EXPECT_EQ(pclose(pipe), 0) << all;
  std::istringstream lines(all);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream in(line);
    std::string kind;
    in >> kind;
    if (kind == "S") {
      book.sheets = line.substr(2);
    } else if (kind == "C") {
      int r, c;
      ReadCell cell;
      in >> r >> c >> cell.value >> cell.bold >> cell.color >> cell.size >> cell.fill >>
          cell.halign;
      book.cells[{r, c}] = cell;
    } else if (kind == "M") {
      book.merges.push_back(line.substr(2));
    } else if (kind == "W") {
      int col;
      double width;
      in >> col >> width;
      book.widths[col] = width;
    } else if (kind == "F") {
      book.frozen = line.substr(2);
    } else if (kind == "B") {
      book.bottom_edges.push_back(line.substr(2));
    } else {
      ADD_FAILURE() << "reader: " << line;
    }
  }
  return book;
}

class ReadBackTest : public ExportTest {
 protected:
  void OpenSamples(int order) {
    namespace fs = std::filesystem;
    fs::copy_file(std::string(XB_SOURCE_DIR) + "/data/PRODUCT.DBF", dir_ + "/PRODUCT.DBF");
    tables::SelectArea(1);
    tables::OpenOptions options;
    options.file = dir_ + "/PRODUCT.DBF";
    options.shared = false;
    ASSERT_TRUE(tables::OpenTable(options));
    tables::CreateOrder("", "EXCEL1", "STR(ID_NR)", tables::KeyStr("ID_NR"));
    tables::CreateOrder(
        "", "EXCEL2", "LOWER(CUSTOMER) + INVOICE ",
        tables::KeyConcat({tables::KeyLower("CUSTOMER"), tables::KeyField("INVOICE")}));
    tables::CreateOrder("", "EXCEL3", "LOWER(PRODUCT)", tables::KeyLower("PRODUCT"));
    tables::SetOrder(order);
  }
};

TEST_F(ReadBackTest, SampleWorkbooksAsAnIndependentReaderSeesThem) {
  struct Case {
    int sample;
    const char* file;
    const char* merge;
    std::vector<double> widths;
    int band_columns;
  };
  const Case cases[] = {
      {1, "Matrix.xls", "1 1 1 4", {5, 12, 10}, 12},
      {2, "Invoice.xls", "1 1 1 5", {5, 12, 12, 10, 10}, 5},
      {3, "Product.xls", "1 1 1 3", {20, 10, 30}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    // The model's view of the run first, then the same run on the engine.
    model_ = std::make_shared<ModelState>();
    tables::CloseAll();
    std::filesystem::remove(dir_ + "/PRODUCT.DBF");
    std::filesystem::remove(dir_ + "/product.cdx");
    std::filesystem::remove(dir_ + "/PRODUCT.CDX");
    OpenSamples(c.sample);
    Run(c.sample);
    ASSERT_TRUE(errors_.empty());
    const SheetState expected = Sheet();
    automation::SetServerFactory(automation::DefaultCreateServer);
    ASSERT_EQ(automation::BackendFor("Excel.Application"), "built-in");
    tables::SelectArea(1);
    tables::SetOrder(c.sample);
    Run(c.sample);
    ASSERT_TRUE(errors_.empty());
    const std::string path = dir_ + "\\" + c.file;
    ASSERT_TRUE(std::filesystem::exists(path)) << path;
    const ReadBook book = ReadBack(path);

    EXPECT_EQ(book.sheets, "Excel-Test");
    EXPECT_EQ(book.merges, std::vector<std::string>{c.merge});
    EXPECT_EQ(book.frozen, "2 0");
    for (size_t i = 0; i < c.widths.size(); ++i) {
      // Stored with the cell padding added, as Excel does (10 characters: 10.71).
      const double width = book.widths.at(static_cast<int>(i) + 1);
      EXPECT_GE(width, c.widths[i]) << i;
      EXPECT_LT(width, c.widths[i] + 1) << i;
    }
    size_t with_value = 0;
    for (const auto& [at, cell] : expected.cells) {
      if (cell.value.IsNil()) continue;
      ++with_value;
      SCOPED_TRACE("row " + std::to_string(at.first) + " column " + std::to_string(at.second));
      auto it = book.cells.find(at);
      ASSERT_NE(it, book.cells.end());
      const ReadCell& got = it->second;
      if (cell.value.IsNumber()) {
        EXPECT_EQ(got.value.substr(0, 1), "N");
        EXPECT_DOUBLE_EQ(std::stod(got.value.substr(1)), cell.value.number());
      } else {
        EXPECT_EQ(got.value, "T" + Hex(cell.value.text()));
      }
      EXPECT_EQ(got.bold, cell.bold.value_or(false) ? 1 : 0);
      if (cell.color) {
        EXPECT_EQ(got.color, Rgb(*cell.color));
      } else {
        EXPECT_TRUE(got.color == "-" || got.color == "000000") << got.color;  // automatic
      }
      EXPECT_EQ(got.size, cell.size.value_or(10));
      EXPECT_EQ(got.fill, cell.fill ? Rgb(*cell.fill) : "-");
    }
    EXPECT_EQ(book.cells.size(), with_value);  // nothing more
    // The header band: dark blue behind white.
    for (int col = 1; col <= c.band_columns; ++col) {
      EXPECT_EQ(book.cells.at({3, col}).fill, "000080");
    }
    // Product overview headers centred (xlrd: 2), its value column right (3).
    if (c.sample == 3) {
      EXPECT_EQ(book.cells.at({3, 1}).halign, 2);
      EXPECT_EQ(book.cells.at({4, 2}).halign, 3);
    }
    automation::SetServerFactory([this](const std::string&) {
      return automation::Created{NewModelApplication(model_), 0};
    });
  }
}

}  // namespace
}  // namespace export_test
