// The product overview: per product a heading (its name in red), one row per sale with
// value and indented customer in blue, the value total in red, then an empty row.
#include "export/sheet_frame.h"
#include "runtime/call_chain.h"
#include "runtime/text_compare.h"
#include "tables/workarea.h"

namespace exporter {

namespace {

const SheetSpec kProductsSheet = {
    {{"IPRODUCT", 20, "@", kAlignLeft},
     {"VALUE", 10, "@", kAlignRight},
     {"CUSTOMER", 30, "@", kAlignLeft}},
    "Product-Overview",
    "A1:C1",
    "A3:C3",
    {"Product", "Value", "Customer"},
    true,
    "PRODUCT",
    "\\Product.xls",
};

}  // namespace

void DATA3EXCEL(Meter& meter, long total, TextLine& text, bool& cancel, ExportRun& run) {
  XB_PROC("DATA3EXCEL");
  ExportState& s = run.state;
  SheetFrame frame(kProductsSheet, meter, total, text, cancel, run);
  frame.Prepare();
  XB_LINE();
  s.CPRODUCT = FieldText("PRODUCT");
  while (!tables::Eof() && !cancel) {
    XB_LINE();
    frame.row += 1;
    s.NVALUE = 0;
    text.SetText(LTrim(frame.Ansi("PRODUCT")));
    frame.Select(frame.row, 1);
    frame.CellBold(frame.row, 1);
    frame.CellColor(frame.row, 1, kRed);
    frame.CellValue(frame.row, 1, xb::Value::Text(RTrim(frame.Ansi("PRODUCT"))));
    do {
      frame.CellColor(frame.row, 2, kBlue);
      frame.CellColor(frame.row, 3, kBlue);
      frame.CellValue(frame.row, 2, xb::Value::Text(RecordValueText()));
      frame.CellValue(frame.row, 3, xb::Value::Text("     " + frame.Ansi("CUSTOMER")));
      s.NVALUE += FieldNumber("VALUE");
      frame.RecordStep([&] { frame.row += 1; });
    } while (!tables::Eof() && xb::TextEqualsExact(s.CPRODUCT, FieldText("PRODUCT")));
    frame.CellBold(frame.row, 2);
    frame.CellColor(frame.row, 2, kRed);
    frame.CellValue(frame.row, 2, xb::Value::Text(GroupTotalText(s.NVALUE)));
    frame.row += 1;
    s.CPRODUCT = FieldText("PRODUCT");
  }
  frame.Finish();
}

}  // namespace exporter
