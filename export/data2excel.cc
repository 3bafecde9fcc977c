// The invoice overview: per customer a heading row (number and name in red), one row
// per invoice in blue, the value total in red under the last one, then an empty row.
#include "export/sheet_frame.h"
#include "runtime/call_chain.h"
#include "runtime/text_compare.h"
#include "tables/workarea.h"

namespace exporter {

namespace {

const SheetSpec kInvoices = {
    {{"ID_NR", 5, "@", kAlignCenter},
     {"CUSTOMER", 12, "@", kAlignLeft},
     {"INVOICE", 12, "@", kAlignLeft},
     {"PRODUCT", 10, "@", kAlignLeft},
     {"VALUE", 10, "@", kAlignRight}},
    "Invoice-Overview",
    "A1:E1",
    "A3:E3",
    {"ID-No", "Customer", "Invoice", "Product", "Value"},
    false,
    "CUSTOMER",
    "\\Invoice.xls",
};

}  // namespace

void DATA2EXCEL(Meter& meter, long total, TextLine& text, bool& cancel, ExportRun& run) {
  XB_PROC("DATA2EXCEL");
  ExportState& s = run.state;
  SheetFrame frame(kInvoices, meter, total, text, cancel, run);
  frame.Prepare();
  XB_LINE();
  s.CCUSTOMER = FieldText("CUSTOMER");
  while (!tables::Eof() && !cancel) {
    XB_LINE();
    frame.row += 1;
    s.NVALUE = 0;
    text.SetText(LTrim(frame.Ansi("CUSTOMER")));
    frame.Select(frame.row, 1);
    frame.CellBold(frame.row, 1);
    frame.CellColor(frame.row, 1, kRed);
    frame.CellBold(frame.row, 2);
    frame.CellColor(frame.row, 2, kRed);
    frame.CellValue(frame.row, 1, xb::Value::Number(FieldNumber("ID_NR"), 0));
    frame.CellValue(frame.row, 2, xb::Value::Text(RTrim(frame.Ansi("CUSTOMER"))));
    do {
      for (int column = 3; column <= 5; ++column) frame.CellColor(frame.row, column, kBlue);
      frame.CellValue(frame.row, 3, xb::Value::Text(frame.Ansi("INVOICE")));
      frame.CellValue(frame.row, 4, xb::Value::Text(frame.Ansi("PRODUCT")));
      frame.CellValue(frame.row, 5, xb::Value::Text(RecordValueText()));
      s.NVALUE += FieldNumber("VALUE");
      frame.RecordStep([&] { frame.row += 1; });
    } while (!tables::Eof() && xb::TextEqualsExact(s.CCUSTOMER, FieldText("CUSTOMER")));
    frame.CellBold(frame.row, 5);
    frame.CellColor(frame.row, 5, kRed);
    frame.CellValue(frame.row, 5, xb::Value::Text(GroupTotalText(s.NVALUE)));
    frame.row += 1;
    s.CCUSTOMER = FieldText("CUSTOMER");
  }
  frame.Finish();
}

}  // namespace exporter
