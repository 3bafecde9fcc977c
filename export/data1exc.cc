// The product matrix: one row per customer number, the products bought in columns 3
// to 12, and a row of sales counts two rows under the last customer.
#include "export/sheet_frame.h"
#include "runtime/call_chain.h"
#include "runtime/text_compare.h"
#include "tables/workarea.h"

namespace exporter {

namespace {

const SheetSpec kMatrix = {
    {{"ID_NR", 5, "@", kAlignCenter},
     {"CUSTOMER", 12, "@", kAlignLeft},
     {"PRODUCT", 10, "@", kAlignLeft}},
    "Matrix-Sample",
    "A1:D1",
    "A3:L3",
    {"ID-NR", "Customer", "Product 1", "Product 2", "Product 3", "Product 4", "Product 5",
     "Product 6", "Product 7", "Product 8", "Product 9", "Product 10"},
    false,
    "CUSTOMER",
    "\\Matrix.xls",
};

constexpr const char* kProducts[10] = {"Program 01", "Program 02", "Program 03", "Program 04",
                                       "Program 05", "Program 06", "Program 07", "Program 08",
                                       "Program 09", "Program 10"};
constexpr int kFirstProductColumn = 3;

}  // namespace

void DATA1EXC(Meter& meter, long total, TextLine& text, bool& cancel, ExportRun& run) {
  XB_PROC("DATA1EXC");
  ExportState& s = run.state;
  SheetFrame frame(kMatrix, meter, total, text, cancel, run);
  frame.Prepare();
  XB_LINE();
  s.CTEST1 = FieldNumber("ID_NR");
  s.CPRODUCT = "";
  for (double& n : s.NPROD) n = 0;
  while (!tables::Eof() && !cancel) {
    XB_LINE();
    frame.row += 1;
    const int row = frame.row;
    frame.CellValue(row, 1, xb::Value::Number(FieldNumber("ID_NR"), 0));
    frame.CellValue(row, 2, xb::Value::Text(RTrim(frame.Ansi("CUSTOMER"))));
    do {
      s.CPRODUCT = RTrim(FieldText("PRODUCT"));
      for (int k = 0; k < 10; ++k) {
        if (xb::TextEqualsExact(s.CPRODUCT, kProducts[k])) {
          frame.CellValue(row, kFirstProductColumn + k,
                          xb::Value::Text(RTrim(FieldText("PRODUCT"))));
          s.NPROD[k] += 1;
        }
      }
      frame.RecordStep();
    } while (!tables::Eof() && FieldNumber("ID_NR") == s.CTEST1);
    s.CTEST1 = FieldNumber("ID_NR");
    frame.CellBold(row, 1);
    frame.CellBold(row, 2);
    frame.CellColor(row, 1, kRed);
    frame.CellColor(row, 2, kRed);
    frame.Select(row, 1);
  }
  XB_LINE();
  frame.row += 2;
  const int sold = frame.row;
  for (s.I = 3; s.I <= 12; ++s.I) {
    frame.CellSize(sold, s.I, 12);
    frame.CellBold(sold, s.I);
    frame.CellColor(sold, s.I, kRed);
  }
  frame.CellBold(sold, 2);
  frame.CellSize(sold, 2, 12);
  frame.CellValue(sold, 2, xb::Value::Text("Sold : "));
  for (int k = 0; k < 10; ++k) {
    frame.CellValue(sold, kFirstProductColumn + k, xb::Value::Number(s.NPROD[k], 0));
  }
  frame.Finish();
}

}  // namespace exporter
