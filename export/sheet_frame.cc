#include "export/sheet_frame.h"

#include <sys/stat.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "export/value_text.h"
#include "runtime/call_chain.h"
#include "runtime/oem_text.h"
#include "shell/main_state.h"
#include "tables/workarea.h"

namespace exporter {

namespace {

constexpr int kNameRow = 1;
constexpr int kFreezeRow = kNameRow + 2;
constexpr int kBottomEdge = 9;
constexpr int kContinuous = 1;
constexpr int kThin = 2;
constexpr int kAutomaticColor = -4105;

}  // namespace

std::string RTrim(const std::string& s) {
  size_t end = s.size();
  while (end > 0 && s[end - 1] == ' ') --end;
  return s.substr(0, end);
}

std::string LTrim(const std::string& s) {
  size_t start = 0;
  while (start < s.size() && s[start] == ' ') ++start;
  return s.substr(start);
}

std::string FieldText(const char* field) {
  return tables::FieldValue(field).text();
}

double FieldNumber(const char* field) {
  return tables::FieldValue(field).number();
}

bool FileExists(const std::string& path) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
#endif
}

std::string RecordValueText() {
  const int field = tables::FieldPosition("VALUE");
  return ValueText(FieldNumber("VALUE"), tables::FieldWidth(field), tables::FieldDecimals(field));
}

std::string GroupTotalText(double total) {
  return TotalText(total, tables::FieldDecimals(tables::FieldPosition("VALUE")));
}

SheetFrame::SheetFrame(const SheetSpec& spec, Meter& meter, long total, TextLine& text,
                       bool& cancel, ExportRun& run)
    : spec_(spec), meter_(meter), total_(total), text_(text), cancel_(cancel), run_(run) {}

std::string SheetFrame::Ansi(const char* field) const {
  return xb::TableTextToAnsi(FieldText(field), tables::CodePage());
}

void SheetFrame::Prepare() {
  XB_PROC("SHEETFRAME:PREPARE");
  app_ = automation::OleAuto::New("Excel.Application");
  XB_LINE();
  book_ = app_.Obj("Workbooks").Obj("Add");
  // The first sheet stays: it is the active one, later ones move up as they go.
  const long sheets = static_cast<long>(app_.Obj("Sheets").Invoke("Count").number());
  for (long i = 1; i < sheets; ++i) app_.Obj("Worksheets", 2).Invoke("Delete");
  app_.Set("DisplayAlerts", false);
  XB_LINE();
  sheet_ = app_.Obj("ActiveSheet");
  window_ = app_.Obj("ActiveWindow");
  sheet_.Set("Name", "Excel-Test");
  Select(kFreezeRow, 1);
  window_.Set("FreezePanes", true);
  sheet_.Obj("Cells").Obj("Font").Set("Size", 10);
  sheet_.Obj("Cells").Obj("Font").Set("Name", "Arial");
  XB_LINE();
  const int count = static_cast<int>(spec_.columns.size());
  for (int i = 1; i <= count; ++i) {
    const ColumnDef& def = spec_.columns[i - 1];
    CellSize(kNameRow, i, 9);
    CellBold(kNameRow, i);
    CellValue(kNameRow, i, xb::Value::Text(def.name));
    sheet_.Obj("Columns", i).Set("HorizontalAlignment", def.alignment);
    sheet_.Obj("Columns", i).Set("ColumnWidth", def.width);
    sheet_.Obj("Columns", i).Set("NumberFormat", def.format);
  }
  // Single-digit rows and at most 26 columns, which is all the samples need.
  std::string names = "A";
  names += static_cast<char>(48 + kNameRow);
  names += ':';
  names += static_cast<char>(64 + count);
  names += static_cast<char>(48 + kNameRow);
  sheet_.Obj("Range", names).Obj("Borders", kBottomEdge).Set("LineStyle", kContinuous);
  sheet_.Obj("Range", names).Obj("Borders", kBottomEdge).Set("Weight", kThin);
  sheet_.Obj("Range", names).Obj("Borders", kBottomEdge).Set("ColorIndex", kAutomaticColor);
  XB_LINE();
  text_.SetText(run_.main.CDATNAME1);
  meter_.SetTotal(total_);
  run_.host.ProcessMessages();
  run_.state.NPOS = 1;
  XB_LINE();
  CellSize(1, 1, 12);
  CellBold(1, 1);
  CellValue(1, 1, xb::Value::Text(spec_.title));
  Cell(1, 1).Set("HorizontalAlignment", kAlignLeft);
  sheet_.Obj("Range", spec_.title_range).Invoke("Merge");
  XB_LINE();
  row = 3;
  sheet_.Obj("Range", spec_.band_range).Obj("Interior").Set("Color", kDarkBlue);
  sheet_.Obj("Range", spec_.band_range).Obj("Font").Set("Color", kWhite);
  sheet_.Obj("Range", spec_.band_range).Obj("Font").Set("Bold", true);
  sheet_.Obj("Range", spec_.band_range).Obj("Font").Set("Size", 10);
  for (size_t i = 0; i < spec_.headers.size(); ++i) {
    CellValue(row, static_cast<int>(i) + 1, xb::Value::Text(spec_.headers[i]));
  }
  if (spec_.center_headers) {
    for (size_t i = 0; i < spec_.headers.size(); ++i) {
      Cell(row, static_cast<int>(i) + 1).Set("HorizontalAlignment", kAlignCenter);
    }
  }
}

void SheetFrame::RecordStep(const std::function<void()>& within) {
  tables::Skip(1);
  run_.state.NPOS += 1;
  meter_.Set(run_.state.NPOS);
  if (within) within();
  text_.SetText(LTrim(Ansi(spec_.progress_field)));
  run_.host.ProcessMessages();
}

void SheetFrame::Finish() {
  XB_PROC("SHEETFRAME:FINISH");
  if (cancel_) run_.main.LGESENDE = true;
  run_.state.CFOUND = run_.main.C_PFAD + spec_.file_name;
  XB_LINE();
  Select(2, 1);
  book_.Invoke("SaveAs", run_.state.CFOUND);
  XB_LINE();
  if (!FileExists(run_.state.CFOUND)) {
    run_.host.Alert("The EXEL - Sheet : \r\n" + run_.state.CFOUND + "\r\nis not created !",
                    "ATTENTION");
  }
  app_.Set("Visible", true);
}

}  // namespace exporter
