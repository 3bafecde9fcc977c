#include "browser/normal_browser.h"

#include <memory>

#include "browser/work_area_source.h"
#include "gui/dialog.h"
#include "gui/message_box.h"
#include "gui/xbrowse.h"
#include "runtime/oem_text.h"
#include "shell/main_state.h"
#include "tables/workarea.h"

namespace browser {

namespace {

constexpr int kArea = 2;
constexpr COLORREF kDarkBlue = 8388608;
constexpr COLORREF kWhite = 16777215;

}  // namespace

std::string RowText(const gui::TXBrowse& grid) {
  return std::to_string(grid.nRowSel);
}

std::string CustomerText() {
  AreaScope scope(kArea);
  return xb::TableTextToAnsi(tables::FieldValue("CUSTOMER").text(), tables::CodePage());
}

gui::TXBrowse* CreateNormalBrowser(gui::TDialog& dialog, shell::MainState& state) {
  gui::TXBrowse* grid =
      dialog.AddGrid(std::make_unique<gui::TXBrowse>(std::make_shared<WorkAreaSource>(kArea)));
  state.OBRW1 = grid;
  grid->nMarqueeStyle = 0;
  grid->nColDividerStyle = 1;
  grid->nRowDividerStyle = 1;
  grid->bClrStd = gui::Colors(kDarkBlue, kWhite);
  grid->lColDividerComplete = true;
  grid->nHeaderLines = 1;
  grid->nDataLines = 1;
  grid->bChange = [&state] {
    auto* brw = static_cast<gui::TXBrowse*>(state.OBRW1);
    gui::MsgAlert(RowText(*brw), "Row");
    gui::MsgAlert(CustomerText(), "Customer");
  };
  grid->CreateFromResource(kNormalBrowserId);
  return grid;
}

}  // namespace browser
