#include "gui/message_box.h"

#include <windows.h>

namespace gui {

namespace {

void Show(const std::string& text, const std::string& title, UINT icon) {
  MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK | icon);
}

}  // namespace

void MsgAlert(const std::string& text, const std::string& title) {
  Show(text, title, MB_ICONEXCLAMATION);
}

void MsgStop(const std::string& text, const std::string& title) {
  Show(text, title, MB_ICONSTOP);
}

}  // namespace gui
