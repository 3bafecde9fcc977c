// TSay: a static text of a dialog template, bound by identifier. Its text closure, when
// given, replaces the template's text at set-up and on each Refresh().
#pragma once

#include <functional>
#include <string>

#include "gui/control.h"

namespace gui {

class TSay : public TControl {
 public:
  static TSay* ReDefine(int id, std::function<std::string()> text, TDialog* dialog);
  TSay(int id, TDialog* dialog) : TControl(id, dialog) {}

  void Refresh();
  void SetText(const std::string& text);
  std::string GetText() const;

  std::function<std::string()> bGet;

 protected:
  void OnBound() override { Refresh(); }
};

}  // namespace gui
