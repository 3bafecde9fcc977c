#include "gui/button.h"

#include <memory>

#include "gui/dialog.h"

namespace gui {

TButton* TButton::ReDefine(int id, Action action, TDialog* dialog, int help_id, std::string message,
                           bool update, Condition when, Condition valid, std::string caption,
                           bool cancel) {
  auto button = std::make_unique<TButton>(id, dialog);
  button->bAction = std::move(action);
  button->nHelpId = help_id;
  button->cMsg = std::move(message);
  button->lUpdate = update;
  button->bWhen = std::move(when);
  button->bValid = std::move(valid);
  button->cCaption = std::move(caption);
  button->lCancel = cancel;
  TButton* raw = button.get();
  dialog->Attach(std::move(button));
  return raw;
}

void TButton::OnBound() {
  if (!cCaption.empty()) SetWindowTextA(hWnd(), cCaption.c_str());
  if (bWhen) EnableWindow(hWnd(), bWhen() ? TRUE : FALSE);
}

void TButton::Click() {
  if (running_) {
    ++ignored_;
    return;
  }
  if (!bAction) return;
  running_ = true;
  bAction();
  running_ = false;
}

void TButton::Command(int code) {
  if (code == BN_CLICKED) Click();
}

}  // namespace gui
