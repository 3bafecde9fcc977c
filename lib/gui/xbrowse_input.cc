// Keys, mouse and scroll bars, each turned into one navigation command.
#include <algorithm>
#include <cstdlib>

#include "gui/xbrowse_impl.h"

namespace gui {

namespace {

bool CtrlDown() {
  return GetKeyState(VK_CONTROL) < 0;
}

}  // namespace

bool GridWindow::KeyDown(TXBrowse& g, WPARAM key) {
  switch (key) {
    case VK_UP:
      MoveLines(g, -1);
      return true;
    case VK_DOWN:
      MoveLines(g, 1);
      return true;
    case VK_PRIOR:
      CtrlDown() ? MoveTop(g) : MovePage(g, -1);
      return true;
    case VK_NEXT:
      CtrlDown() ? MoveBottom(g) : MovePage(g, 1);
      return true;
    case VK_HOME:
      MoveTop(g);
      return true;
    case VK_END:
      MoveBottom(g);
      return true;
    case VK_LEFT:
      ColumnStep(g, -1, CtrlDown());
      return true;
    case VK_RIGHT:
      ColumnStep(g, 1, CtrlDown());
      return true;
    case VK_ESCAPE:
      if (g.onEscape) {
        g.onEscape();
      } else if (HWND parent = GetParent(g.hwnd_)) {
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
      }
      return true;
    case VK_RETURN:
      return true;
  }
  return false;
}

void GridWindow::ButtonDown(TXBrowse& g, int x, int y, bool right) {
  if (GetFocus() != g.hwnd_) SetFocus(g.hwnd_);
  if (!g.hwnd_) return;
  if (y < g.header_height_) {
    if (right) return;
    const int column = ColumnAt(g, x);
    if (column == 0) return;
    g.pressed_ = column;
    g.dragging_ = false;
    g.press_point_ = POINT{x, y};
    SetCapture(g.hwnd_);
    InvalidateHeader(g, column);
    UpdateWindow(g.hwnd_);
    return;
  }
  const int row = RowAt(g, y);
  if (row == 0) return;
  if (x < g.SelectorWidth()) {
    if (!right) MoveToRow(g, row, 0);
    return;
  }
  const int column = ColumnAt(g, x);
  if (column == 0) return;
  MoveToRow(g, row, right ? 0 : column);
}

void GridWindow::MouseMove(TXBrowse& g, int x, int y) {
  if (!g.pressed_ || g.dragging_) return;
  if (std::abs(x - g.press_point_.x) > GetSystemMetrics(SM_CXDRAG) ||
      std::abs(y - g.press_point_.y) > GetSystemMetrics(SM_CYDRAG))
    g.dragging_ = true;
}

void GridWindow::ButtonUp(TXBrowse& g, int x, int y, WPARAM flags) {
  const int pressed = g.pressed_;
  if (!pressed) return;
  const bool dragged = g.dragging_;
  g.pressed_ = 0;
  g.dragging_ = false;
  if (GetCapture() == g.hwnd_) ReleaseCapture();
  const int target = ColumnAt(g, x);
  if (dragged) {
    if (target && target != pressed) {
      // The two columns change places; the current column stays with its column.
      std::swap(g.aCols[pressed - 1], g.aCols[target - 1]);
      if (g.col_sel_ == pressed) {
        g.col_sel_ = target;
      } else if (g.col_sel_ == target) {
        g.col_sel_ = pressed;
      }
    }
    InvalidateAll(g);
    UpdateWindow(g.hwnd_);
    return;
  }
  // The header shows its current colours again before its handler runs.
  InvalidateHeader(g, pressed);
  UpdateWindow(g.hwnd_);
  if (target != pressed || y < 0 || y >= g.header_height_) return;
  TXBrwColumn* column = g.aCols[pressed - 1].get();
  if (column->bLClickHeader) column->bLClickHeader(y, x, static_cast<int>(flags), column);
}

void GridWindow::CancelPress(TXBrowse& g) {
  if (!g.pressed_) return;
  const int pressed = g.pressed_;
  g.pressed_ = 0;
  g.dragging_ = false;
  InvalidateHeader(g, pressed);
}

void GridWindow::Wheel(TXBrowse& g, int delta) {
  // Each notch is one command: one record up (away from the user) or down.
  g.wheel_rest_ += delta;
  while (g.wheel_rest_ >= WHEEL_DELTA) {
    g.wheel_rest_ -= WHEEL_DELTA;
    MoveLines(g, -1);
  }
  while (g.wheel_rest_ <= -WHEEL_DELTA) {
    g.wheel_rest_ += WHEEL_DELTA;
    MoveLines(g, 1);
  }
}

void GridWindow::VScroll(TXBrowse& g, int code, int pos) {
  switch (code) {
    case SB_LINEUP:
      MoveLines(g, -1);
      break;
    case SB_LINEDOWN:
      MoveLines(g, 1);
      break;
    case SB_PAGEUP:
      MovePage(g, -1);
      break;
    case SB_PAGEDOWN:
      MovePage(g, 1);
      break;
    case SB_TOP:
      MoveTop(g);
      break;
    case SB_BOTTOM:
      MoveBottom(g);
      break;
    case SB_THUMBPOSITION:  // the box was released; while it is dragged nothing moves
      MoveToScrollPos(g, pos);
      break;
  }
}

void GridWindow::HScroll(TXBrowse& g, int code, int pos) {
  switch (code) {
    case SB_LINELEFT:
      ColumnStep(g, -1, false);
      break;
    case SB_LINERIGHT:
      ColumnStep(g, 1, false);
      break;
    case SB_PAGELEFT:
      ScrollColumns(g, g.offset_ - 1);
      break;
    case SB_PAGERIGHT:
      ScrollColumns(g, g.offset_ + 1);
      break;
    case SB_LEFT:
      ColumnStep(g, -1, true);
      break;
    case SB_RIGHT:
      ColumnStep(g, 1, true);
      break;
    case SB_THUMBPOSITION:
      ScrollColumns(g, pos);
      break;
  }
}

}  // namespace gui
