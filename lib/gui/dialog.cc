#include "gui/dialog.h"

#include <windowsx.h>

#include <set>

#include "gui/framework_error.h"
#include "gui/module.h"
#include "gui/xbrowse.h"

namespace gui {

namespace {

// A grid attached to a dialog: bound through its resource identifier.
class GridItem : public DialogItem {
 public:
  explicit GridItem(std::unique_ptr<TXBrowse> grid) : grid_(std::move(grid)) {}
  int Id() const override { return grid_->ResourceId(); }
  bool Bind(HWND dialog) override { return grid_->BindDialogItem(dialog); }
  HWND Handle() const override { return grid_->hWnd(); }
  TXBrowse* grid() const { return grid_.get(); }

 private:
  std::unique_ptr<TXBrowse> grid_;
};

}  // namespace

std::unique_ptr<TDialog> TDialog::New(const std::string& title, const std::string& resource,
                                      HWND owner) {
  return std::make_unique<TDialog>(title, resource, owner);
}

TDialog::TDialog(std::string title, std::string resource, HWND owner)
    : title_(std::move(title)), resource_(std::move(resource)), owner_(owner) {
  RegisterGridClass();  // templates may hold "TXBrowse" controls
}

TDialog::~TDialog() {
  if (hwnd_) DestroyWindow(hwnd_);
}

DialogItem* TDialog::Attach(std::unique_ptr<DialogItem> item) {
  items_.push_back(std::move(item));
  return items_.back().get();
}

TXBrowse* TDialog::AddGrid(std::unique_ptr<TXBrowse> grid) {
  auto item = std::make_unique<GridItem>(std::move(grid));
  TXBrowse* raw = item->grid();
  Attach(std::move(item));
  return raw;
}

int TDialog::Activate(ClickHandler lclicked, MoveHandler moved, PaintHandler painted, bool center,
                      Condition valid, bool modal, StartHandler init, ClickHandler rclicked,
                      Condition when, bool /*resize*/) {
  bLClicked = std::move(lclicked);
  bMoved = std::move(moved);
  bPainted = std::move(painted);
  bRClicked = std::move(rclicked);
  center_ = center;
  valid_ = std::move(valid);
  modal_ = modal;
  init_ = std::move(init);
  when_ = std::move(when);
  ended_ = false;
  result_ = 0;
  failure_ = 0;

  HWND hwnd = CreateDialogParamA(GetInstance(), resource_.c_str(), owner_, &TDialog::Proc,
                                 reinterpret_cast<LPARAM>(this));
  if (failure_) {
    // Raised only now, outside the window procedure, with the half-made dialog gone.
    if (hwnd) DestroyWindow(hwnd);
    hwnd_ = nullptr;
    RaiseFrameworkError(static_cast<FrameworkFailure>(failure_), IdOperation(failure_id_));
    return 0;
  }
  if (!hwnd) {
    hwnd_ = nullptr;
    RaiseFrameworkError(kCannotCreateDialog, ResourceOperation(resource_));
    return 0;
  }
  // A modal dialog is the window the user works in: bring it to the front, which also
  // gives the focus back to the control the set-up chose.
  if (IsWindowVisible(hwnd_)) {
    SetForegroundWindow(hwnd_);
    HWND focus = GetFocus();
    if (focus != hwnd_ && !IsChild(hwnd_, focus)) {
      if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
    }
  }
  if (!modal_) return 0;

  WindowLoopScope loop;
  const bool owner_was_enabled = owner_ && IsWindowEnabled(owner_);
  if (owner_) EnableWindow(owner_, FALSE);
  RunModalLoop();
  if (owner_was_enabled) EnableWindow(owner_, TRUE);
  if (hwnd_) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  return result_;
}

bool TDialog::End(int result) {
  if (!hwnd_ || ended_) return false;
  if (valid_ && !valid_()) return false;
  ended_ = true;
  result_ = result;
  if (modal_) {
    PostMessageA(hwnd_, WM_NULL, 0, 0);  // wakes the loop, which then returns
  } else {
    DestroyWindow(hwnd_);
  }
  return true;
}

void TDialog::RunModalLoop() {
  MSG msg;
  while (!ended_ && hwnd_) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside ours
      break;
    }
    if (got < 0) break;
    if (IsCancelKey(msg)) {
      End();
      continue;
    }
    if (HWND button = FocusedPushButton(msg)) {
      // Enter presses the focused button, however the focus got there.
      SendMessageA(button, BM_CLICK, 0, 0);
      continue;
    }
    if (!IsDialogMessageA(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

bool TDialog::IsCancelKey(const MSG& msg) const {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE) return false;
  if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
  // A control that takes Esc itself (the grid) gets it.
  LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam,
                              reinterpret_cast<LPARAM>(const_cast<MSG*>(&msg)));
  return (code & (DLGC_WANTMESSAGE | DLGC_WANTALLKEYS)) == 0;
}

HWND TDialog::FocusedPushButton(const MSG& msg) const {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return nullptr;
  if (!IsChild(hwnd_, msg.hwnd) || GetFocus() != msg.hwnd) return nullptr;
  char cls[16] = {};
  GetClassNameA(msg.hwnd, cls, sizeof cls);
  const LONG type = GetWindowLongA(msg.hwnd, GWL_STYLE) & BS_TYPEMASK;
  if (lstrcmpiA(cls, "Button") != 0 || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON))
    return nullptr;
  return IsWindowEnabled(msg.hwnd) ? msg.hwnd : nullptr;
}

BOOL TDialog::SetUp() {
  std::set<int> seen;
  for (auto& item : items_) {
    const int id = item->Id();
    if (!seen.insert(id).second) {
      failure_ = kDuplicatedId;
      failure_id_ = id;
      return FALSE;
    }
    if (!item->Bind(hwnd_)) {
      failure_ = kNonDefinedId;
      failure_id_ = id;
      return FALSE;
    }
  }
  if (center_) Center();
  if (!title_.empty()) SetWindowTextA(hwnd_, title_.c_str());
  if (init_) init_(*this);
  if (when_ && !when_()) EnableWindow(hwnd_, FALSE);
  return TRUE;  // the focus goes to the first control with a tab stop
}

void TDialog::Center() {
  RECT r;
  GetWindowRect(hwnd_, &r);
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  const int x = area.left + (area.right - area.left - w) / 2;
  const int y = area.top + (area.bottom - area.top - h) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TDialog::OnCommand(int id, int code, HWND control) {
  if (!control) {
    // The cancel command without a control: Esc passed on by a grid, or the dialog
    // manager's own. It ends the dialog, as "close" does.
    if (id == IDCANCEL) End();
    return;
  }
  for (auto& item : items_) {
    if (item->Handle() == control) {
      item->Command(code);
      return;
    }
  }
}

bool TDialog::OnMouse(UINT msg, WPARAM wp, LPARAM lp) {
  const int x = GET_X_LPARAM(lp);
  const int y = GET_Y_LPARAM(lp);
  const int flags = static_cast<int>(wp);
  if (msg == WM_LBUTTONDOWN && bLClicked) {
    bLClicked(y, x, flags);
    return true;
  }
  if (msg == WM_RBUTTONDOWN && bRClicked) {
    bRClicked(y, x, flags);
    return true;
  }
  return false;
}

INT_PTR CALLBACK TDialog::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<TDialog*>(lp);
    SetWindowLongPtrA(hwnd, DWLP_USER, lp);
    self->hwnd_ = hwnd;
    return self->SetUp();
  }
  if (!self) return FALSE;
  switch (msg) {
    case WM_COMMAND:
      self->OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return TRUE;
    case WM_CLOSE:
      // Close box, Alt+F4 and the system menu's Close end the dialog; the dialog
      // manager would otherwise turn them into a click on control 2.
      self->End();
      return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      return self->OnMouse(msg, wp, lp);
    case WM_MOVE:
      if (self->bMoved) self->bMoved(GET_Y_LPARAM(lp), GET_X_LPARAM(lp));
      return FALSE;
    case WM_PAINT:
      if (self->bPainted) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        self->bPainted(dc);
        EndPaint(hwnd, &ps);
        return TRUE;
      }
      return FALSE;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, DWLP_USER, 0);
      if (self->hwnd_ == hwnd) self->hwnd_ = nullptr;
      return FALSE;
  }
  return FALSE;
}

}  // namespace gui
