// TButton: a push button of a dialog template, bound by identifier, that runs its action
// on each click. A click that arrives while the button's own action still runs (an action
// that lets messages through) is ignored.
#pragma once

#include <functional>
#include <string>

#include "gui/control.h"

namespace gui {

class TButton : public TControl {
 public:
  using Action = std::function<void()>;
  using Condition = std::function<bool()>;

  // Identifier, action, dialog, help identifier, status-bar message, update flag,
  // enabling condition, validation, caption, cancel flag. The dialog owns the button.
  // An empty caption keeps the template's; no enabling condition: always enabled.
  static TButton* ReDefine(int id, Action action, TDialog* dialog, int help_id = 0,
                           std::string message = {}, bool update = false, Condition when = {},
                           Condition valid = {}, std::string caption = {}, bool cancel = false);

  TButton(int id, TDialog* dialog) : TControl(id, dialog) {}

  void Click();  // what a click does: the action, unless it is already running
  void Command(int code) override;
  bool running() const { return running_; }
  int clicks_ignored() const { return ignored_; }

  Action bAction;
  Condition bWhen;
  Condition bValid;
  std::string cCaption;
  std::string cMsg;
  int nHelpId = 0;
  bool lUpdate = false;
  bool lCancel = false;

 protected:
  void OnBound() override;

 private:
  bool running_ = false;
  int ignored_ = 0;
};

}  // namespace gui
