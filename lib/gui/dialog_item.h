// What a dialog attaches: an object bound to a template control by its identifier when
// the dialog is set up, which receives the commands that control sends.
#pragma once

#include <windows.h>

namespace gui {

class DialogItem {
 public:
  virtual ~DialogItem() = default;
  virtual int Id() const = 0;
  // Connects the object to the control with Id() in the dialog being set up; false when
  // the template has no such control.
  virtual bool Bind(HWND dialog) = 0;
  virtual HWND Handle() const = 0;
  // A WM_COMMAND notification from the control (BN_CLICKED, ...).
  virtual void Command(int /*code*/) {}
};

}  // namespace gui
