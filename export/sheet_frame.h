// The frame the three workers share: the workbook with its one sheet "Excel-Test", the
// column definitions, the merged title in row 1, rows 1 and 2 frozen, the header band
// in row 3, the record step with the meter one record ahead, and the ending (note a
// cancel, select A2, save under C_PFAD, report a missing file, show the application).
// Every value and every format is its own chain of automation calls.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "automation/ole_auto.h"
#include "export/export_state.h"

namespace exporter {

struct ColumnDef {
  const char* name;
  int width;
  const char* format;
  int alignment;
};

struct SheetSpec {
  std::vector<ColumnDef> columns;
  const char* title;
  const char* title_range;
  const char* band_range;
  std::vector<const char*> headers;
  bool center_headers;
  const char* progress_field;
  const char* file_name;  // with its leading backslash
};

constexpr int kRed = 255;
constexpr int kBlue = 16711680;
constexpr int kDarkBlue = 8388608;
constexpr int kWhite = 16777215;
constexpr int kAlignCenter = -4108;
constexpr int kAlignLeft = -4131;
constexpr int kAlignRight = -4152;

class SheetFrame {
 public:
  SheetFrame(const SheetSpec& spec, Meter& meter, long total, TextLine& text, bool& cancel,
             ExportRun& run);

  void Prepare();  // through the header band; row() is 3 afterwards
  // Skips to the next record and moves the meter; between the meter and the progress
  // text, within() runs (the overviews move to the next row there).
  void RecordStep(const std::function<void()>& within = {});
  void Finish();

  automation::OleAuto Cell(int row, int column) { return sheet_.Obj("Cells", row, column); }
  void CellValue(int row, int column, const xb::Value& v) { Cell(row, column).Set("Value", v); }
  void CellBold(int row, int column) { Cell(row, column).Obj("Font").Set("Bold", true); }
  void CellColor(int row, int column, int color) {
    Cell(row, column).Obj("Font").Set("Color", color);
  }
  void CellSize(int row, int column, int size) { Cell(row, column).Obj("Font").Set("Size", size); }
  void Select(int row, int column) { Cell(row, column).Invoke("Select"); }

  // Table text of the current record converted to Windows text.
  std::string Ansi(const char* field) const;

  int row = 3;

 private:
  const SheetSpec& spec_;
  Meter& meter_;
  long total_;
  TextLine& text_;
  bool& cancel_;
  ExportRun& run_;
  automation::OleAuto app_, book_, sheet_, window_;
};

// Blanks removed at the end / at the start.
std::string RTrim(const std::string& s);
std::string LTrim(const std::string& s);
// The stored text of a field of the current record of the current area.
std::string FieldText(const char* field);
double FieldNumber(const char* field);
bool FileExists(const std::string& path);
// The value text of the current record and the total text of a sum of VALUE.
std::string RecordValueText();
std::string GroupTotalText(double total);

}  // namespace exporter
