#include "gui/say.h"

#include <memory>

#include "gui/dialog.h"

namespace gui {

TSay* TSay::ReDefine(int id, std::function<std::string()> text, TDialog* dialog) {
  auto say = std::make_unique<TSay>(id, dialog);
  say->bGet = std::move(text);
  TSay* raw = say.get();
  dialog->Attach(std::move(say));
  return raw;
}

void TSay::Refresh() {
  if (bGet && hWnd()) SetText(bGet());
}

void TSay::SetText(const std::string& text) {
  if (hWnd()) SetWindowTextA(hWnd(), text.c_str());
}

std::string TSay::GetText() const {
  if (!hWnd()) return {};
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hWnd())) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(hWnd(), text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace gui
