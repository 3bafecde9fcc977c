#include "gui/control.h"

#include "gui/font.h"

namespace gui {

bool TControl::Bind(HWND dialog) {
  hwnd_ = GetDlgItem(dialog, nId);
  if (!hwnd_) return false;
  if (oFont) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(oFont->handle()), FALSE);
  OnBound();
  return true;
}

}  // namespace gui
