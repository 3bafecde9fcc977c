#include "browser/column_browser.h"

#include <algorithm>
#include <memory>
#include <string>

#include "browser/index_show.h"
#include "browser/work_area_source.h"
#include "gui/dialog.h"
#include "gui/xbrowse.h"
#include "runtime/date_text.h"
#include "shell/main_state.h"
#include "tables/workarea.h"

namespace browser {

namespace {

constexpr int kArea = 1;
constexpr COLORREF kWhite = 16777215;
constexpr COLORREF kGreen = 32768;

// A numeric field of work area 1 in its declared width and decimals.
std::string NumberCell(const char* field) {
  AreaScope scope(kArea);
  const int position = tables::FieldPosition(field);
  const xb::Value value = tables::FieldValue(field);
  return tables::StrInWidth(value.number(), tables::FieldWidth(position),
                            tables::FieldDecimals(position));
}

std::string TextCell(const char* field) {
  AreaScope scope(kArea);
  return tables::FieldValue(field).text();
}

// INV_DATE as YYYYMMDD; the empty date gives 8 blanks.
std::string DateCell() {
  AreaScope scope(kArea);
  return xb::Dtos(tables::FieldValue("INV_DATE").date());
}

struct ColumnSpec {
  const char* header;
  std::function<std::string()> cell;
  int data_align;  // -1: the default
  bool green;
  int width;
};

}  // namespace

void HeaderClicked(gui::TXBrowse* grid, const char* header) {
  const xb::Value none = xb::Value::Text("");
  const xb::Value zero = xb::Value::Number(0);
  INDEX_SHOW(grid, xb::Value::Text(header), xb::Value::Text("ID-No."), xb::Value::Number(1),
             xb::Value::Text("Customer"), xb::Value::Number(2), xb::Value::Text("Product"),
             xb::Value::Number(3), none, zero, none, zero, none, zero, none, zero);
}

gui::TXBrowse* CreateColumnBrowser(gui::TDialog& dialog, gui::TFont* data_font,
                                   shell::MainState& state) {
  gui::TXBrowse* grid =
      dialog.AddGrid(std::make_unique<gui::TXBrowse>(std::make_shared<WorkAreaSource>(kArea)));
  grid->nMarqueeStyle = 3;
  grid->nColDividerStyle = 1;
  grid->nRowDividerStyle = 1;
  grid->lColDividerComplete = true;
  grid->nHeaderLines = 1;
  grid->nDataLines = 1;
  grid->nFreeze = 2;

  const ColumnSpec columns[] = {
      {"ID-No.", [] { return NumberCell("ID_NR"); }, -1, true, 50},
      {"Customer", [] { return TextCell("CUSTOMER"); }, -1, true, 120},
      {"Product", [] { return TextCell("PRODUCT"); }, -1, true, 120},
      {"Invoice", [] { return TextCell("INVOICE"); }, gui::kAlignCenter, false, 70},
      {"Value", [] { return NumberCell("VALUE"); }, gui::kAlignRight, false, 70},
      {"Date", [] { return DateCell(); }, -1, false, 90},
  };
  for (const ColumnSpec& spec : columns) {
    gui::TXBrwColumn* column = grid->AddCol();
    state.OCOL = column;
    column->cHeader = spec.header;
    column->nHeadStrAlign = gui::kAlignCenter;
    column->bStrData = spec.cell;
    if (spec.data_align >= 0) column->nDataStrAlign = spec.data_align;
    column->oDataFont = data_font;
    if (spec.green) column->bClrStd = gui::Colors(kWhite, kGreen);
    column->nWidth = spec.width;
  }

  // One handler per field of the table, but never beyond the columns that exist: a
  // table with more fields than columns still opens.
  const int handlers = std::min<int>(tables::FieldCount(), static_cast<int>(grid->aCols.size()));
  for (int k = 1; k <= handlers; ++k) {
    grid->aCols[k - 1]->bLClickHeader = [grid](int, int, int, gui::TXBrwColumn* column) {
      HeaderClicked(grid, column->cHeader.c_str());
    };
  }

  grid->CreateFromResource(kColumnBrowserId);
  return grid;
}

}  // namespace browser
