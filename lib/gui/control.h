// TControl: a framework object bound to a control of a dialog template by identifier.
// The dialog owns it; it takes the dialog's font unless it has one of its own.
#pragma once

#include <windows.h>

#include "gui/dialog_item.h"

namespace gui {

class TDialog;
class TFont;

class TControl : public DialogItem {
 public:
  TControl(int id, TDialog* dialog) : nId(id), oWnd(dialog) {}

  int Id() const override { return nId; }
  HWND Handle() const override { return hwnd_; }
  HWND hWnd() const { return hwnd_; }
  bool Bind(HWND dialog) override;

  int nId;
  TDialog* oWnd;
  TFont* oFont = nullptr;  // not owned; null: the dialog's font

 protected:
  virtual void OnBound() {}

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace gui
