#include "browser/main_dialog.h"

#include "browser/column_browser.h"
#include "browser/index_show.h"
#include "browser/normal_browser.h"
#include "gui/button.h"
#include "gui/dialog.h"
#include "gui/message_box.h"
#include "gui/xbrowse.h"
#include "runtime/call_chain.h"
#include "shell/main_state.h"
#include "tables/workarea.h"

namespace browser {

namespace {

constexpr int kExitId = 10;
constexpr int kCreateSheetId = 20;

void SelectFirstAreaOrder(int order) {
  tables::SelectArea(1);
  tables::SetOrder(order);
}

}  // namespace

MainDialog::MainDialog(shell::MainState& state, gui::TFont* data_font, ExportEntries exports)
    : state_(state), exports_(std::move(exports)) {
  dialog_ = gui::TDialog::New(kMainTitle, kMainTemplate);
  SelectFirstAreaOrder(1);
  column_browser_ = CreateColumnBrowser(*dialog_, data_font, state_);
  tables::SelectArea(2);
  tables::SetOrder(1);
  normal_browser_ = CreateNormalBrowser(*dialog_, state_);
  SelectFirstAreaOrder(1);  // work area 1 stays current while the dialog runs
  BindButtons();
}

MainDialog::~MainDialog() = default;

void MainDialog::BindButtons() {
  gui::TDialog* dlg = dialog_.get();
  for (int sample = 1; sample <= 3; ++sample) {
    gui::TButton::ReDefine(
        sample, [this, sample] { ChooseSample(sample); }, dlg);
  }
  for (int reserved : {4, 5}) {
    gui::TButton::ReDefine(
        reserved, [] { gui::MsgAlert("Reserved for next sample", "Not in use"); }, dlg);
  }
  gui::TButton::ReDefine(
      kCreateSheetId, [this] { CreateSheet(); }, dlg);
  gui::TButton::ReDefine(
      kExitId, [dlg] { dlg->End(); }, dlg);
}

void MainDialog::ChooseSample(int sample) {
  XB_PROC("(b)MAIN");
  SelectFirstAreaOrder(sample);
  tables::GoTop();
  column_browser_->nRowSel = 1;
  column_browser_->Refresh();
  state_.NTEST = sample;
}

void MainDialog::CreateSheet() {
  XB_PROC("(b)MAIN");
  // Three tests in a row, not alternatives: no export changes NTEST, so one runs.
  const std::function<void()>* entries[] = {&exports_.excel1, &exports_.excel2, &exports_.excel3};
  for (int sample = 1; sample <= 3; ++sample) {
    if (state_.NTEST != sample) continue;
    XB_LINE();
    SelectFirstAreaOrder(sample);
    if (*entries[sample - 1]) (*entries[sample - 1])();
  }
  XB_LINE();
  tables::SelectArea(1);
  tables::GoTop();
  column_browser_->nRowSel = 1;
  column_browser_->Refresh();
}

void MainDialog::Start() {
  XB_PROC("(b)MAIN");
  SelectFirstAreaOrder(1);
  INDEX_SHOW(column_browser_, xb::Value::Text("ID-No."), xb::Value::Text("ID-No."),
             xb::Value::Number(1));
}

int MainDialog::Run() {
  gui::TDialog& dlg = *dialog_;
  return dlg.Activate(
      dlg.bLClicked, dlg.bMoved, dlg.bPainted, true, {}, true, [this](gui::TDialog&) { Start(); },
      dlg.bRClicked);
}

void RunMainDialog(shell::MainState& state, gui::TFont* data_font, ExportEntries exports) {
  MainDialog dialog(state, data_font, std::move(exports));
  dialog.Run();
}

}  // namespace browser
