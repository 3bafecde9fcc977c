#include "browser/index_show.h"

#include "gui/message_box.h"
#include "gui/xbrowse.h"
#include "runtime/call_chain.h"
#include "runtime/text_compare.h"
#include "tables/workarea.h"

namespace browser {

namespace {

// Equality of a text with a value that may be absent: an absent or non-text value
// equals no text, and comparing with it raises nothing.
bool Matches(const xb::Value& a, const xb::Value& b) {
  if (!a.IsText() || !b.IsText()) return false;
  return xb::TextEquals(a.text(), b.text());
}

}  // namespace

void INDEX_SHOW(gui::TXBrowse* grid, const xb::Value& clicked, const xb::Value& text1,
                const xb::Value& order1, const xb::Value& text2, const xb::Value& order2,
                const xb::Value& text3, const xb::Value& order3, const xb::Value& text4,
                const xb::Value& order4, const xb::Value& text5, const xb::Value& order5,
                const xb::Value& text6, const xb::Value& order6, const xb::Value& text7,
                const xb::Value& order7) {
  XB_PROC("INDEX_SHOW");
  int NFOR = 0;
  double NIND = 0;
  bool LOK = false;
  xb_frame_.Param(xb::View("CHEADER", &clicked))
      .Local(xb::View("NFOR", &NFOR))
      .Local(xb::View("NIND", &NIND))
      .Local(xb::View("LOK", &LOK));

  XB_LINE();
  const xb::Value* pairs[7][2] = {{&text1, &order1}, {&text2, &order2}, {&text3, &order3},
                                  {&text4, &order4}, {&text5, &order5}, {&text6, &order6},
                                  {&text7, &order7}};
  for (auto& pair : pairs) {
    if (Matches(*pair[0], clicked)) {
      NIND = pair[1]->number();
      LOK = true;
    }
  }

  XB_LINE();
  const auto black = gui::Colors(kHeaderBlack, kHeaderBack);
  const auto red = gui::Colors(kHeaderRed, kHeaderBack);
  for (NFOR = 1; NFOR <= static_cast<int>(grid->aCols.size()); ++NFOR) {
    gui::TXBrwColumn& column = *grid->aCols[NFOR - 1];
    column.bClrHeader = black;
    if (Matches(xb::Value::Text(column.cHeader), clicked)) column.bClrHeader = red;
  }

  XB_LINE();
  if (LOK) {
    tables::SetOrder(static_cast<int>(NIND));
    tables::GoTop();
    grid->nRowSel = 1;
    grid->Refresh();
  } else {
    for (auto& column : grid->aCols) column->bClrHeader = black;
    const std::string header = clicked.IsText() ? clicked.text() : xb::ValueAsText(clicked);
    gui::MsgAlert("No Index for the Col : " + header + " exist !", "ATTENTION");
  }
}

}  // namespace browser
