#include "gui/memory_dialog.h"

#include <algorithm>
#include <utility>

#include "gui/module.h"

namespace gui {

namespace {

void PutWord(std::vector<std::uint8_t>& out, std::uint16_t w) {
  out.push_back(static_cast<std::uint8_t>(w & 0xFF));
  out.push_back(static_cast<std::uint8_t>(w >> 8));
}

void PutDword(std::vector<std::uint8_t>& out, std::uint32_t d) {
  PutWord(out, static_cast<std::uint16_t>(d & 0xFFFF));
  PutWord(out, static_cast<std::uint16_t>(d >> 16));
}

void PutShort(std::vector<std::uint8_t>& out, int v) {
  PutWord(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
}

// ANSI text as the zero-terminated UTF-16 string a template holds.
void PutText(std::vector<std::uint8_t>& out, const std::string& text) {
  if (!text.empty()) {
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    for (wchar_t c : wide) PutWord(out, static_cast<std::uint16_t>(c));
  }
  PutWord(out, 0);
}

void AlignDword(std::vector<std::uint8_t>& out) {
  while (out.size() % 4 != 0) out.push_back(0);
}

}  // namespace

MemoryDialog::MemoryDialog(MemoryDialogSpec spec) : spec_(std::move(spec)) {}

void MemoryDialog::Add(MemoryControl control) {
  controls_.push_back(std::move(control));
}

std::vector<std::uint8_t> MemoryDialog::BuildTemplate() const {
  std::vector<std::uint8_t> out;
  DWORD style = spec_.style;
  if (!spec_.font_name.empty()) style |= DS_SETFONT;
  PutDword(out, style);
  PutDword(out, spec_.ex_style);
  PutWord(out, static_cast<std::uint16_t>(controls_.size()));
  PutShort(out, 0);
  PutShort(out, 0);
  // A pixel size is applied once the window exists.
  PutShort(out, spec_.size_in_dialog_units ? spec_.client_width : 0);
  PutShort(out, spec_.size_in_dialog_units ? spec_.client_height : 0);
  PutWord(out, 0);  // no menu
  PutWord(out, 0);  // the standard dialog class
  PutText(out, spec_.title);
  if (!spec_.font_name.empty()) {
    PutWord(out, static_cast<std::uint16_t>(spec_.font_points));
    PutText(out, spec_.font_name);
  }
  const bool in_template = spec_.unit_pixels == 0;
  for (const MemoryControl& c : controls_) {
    AlignDword(out);
    PutDword(out, c.style | WS_CHILD | WS_VISIBLE);
    PutDword(out, c.ex_style);
    PutShort(out, in_template ? c.left : 0);
    PutShort(out, in_template ? c.top : 0);
    PutShort(out, in_template ? c.width : 0);
    PutShort(out, in_template ? c.height : 0);
    PutWord(out, static_cast<std::uint16_t>(c.id));
    PutText(out, c.class_name);
    PutText(out, c.text);
    PutWord(out, 0);  // no creation data
  }
  return out;
}

int MemoryDialog::Run(HWND owner) {
  std::vector<std::uint8_t> bytes = BuildTemplate();
  // The template must be DWORD aligned: copy it into DWORD storage.
  std::vector<DWORD> aligned((bytes.size() + 3) / 4);
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<std::uint8_t*>(aligned.data()));
  ended_ = false;
  result_ = 0;
  WindowLoopScope loop;
  HWND created =
      CreateDialogIndirectParamA(GetInstance(), reinterpret_cast<LPCDLGTEMPLATEA>(aligned.data()),
                                 owner, &MemoryDialog::Proc, reinterpret_cast<LPARAM>(this));
  if (!created) return -1;
  hwnd_ = created;
  const bool owner_was_enabled = owner && IsWindowEnabled(owner);
  if (owner_was_enabled) EnableWindow(owner, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  MSG msg;
  while (!ended_) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside ours
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageA(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (owner_was_enabled) EnableWindow(owner, TRUE);
  DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  return result_;
}

void MemoryDialog::End(int result) {
  if (ended_) return;
  ended_ = true;
  result_ = result;
  if (hwnd_) PostMessageA(hwnd_, WM_NULL, 0, 0);  // wakes the loop
}

INT_PTR CALLBACK MemoryDialog::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    auto* self = reinterpret_cast<MemoryDialog*>(lp);
    SetWindowLongPtrA(hwnd, DWLP_USER, lp);
    self->hwnd_ = hwnd;
    return self->Init();
  }
  auto* self = reinterpret_cast<MemoryDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (!self) return FALSE;
  return self->Handle(msg, wp, lp);
}

BOOL MemoryDialog::Init() {
  SizeAndCenter();
  PlaceControls();
  bool focus_default = true;
  if (on_init) focus_default = on_init(hwnd_);
  return focus_default ? TRUE : FALSE;
}

void MemoryDialog::SizeAndCenter() {
  RECT r{0, 0, spec_.client_width, spec_.client_height};
  if (spec_.size_in_dialog_units) {
    GetClientRect(hwnd_, &r);
  }
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE));
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE));
  AdjustWindowRectEx(&r, style, FALSE, ex_style);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  int x = 0;
  int y = 0;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (spec_.center) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    x = work.left + (work.right - work.left - width) / 2;
    y = work.top + (work.bottom - work.top - height) / 2;
  } else {
    flags |= SWP_NOMOVE;
  }
  SetWindowPos(hwnd_, nullptr, x, y, width, height, flags);
}

void MemoryDialog::PlaceControls() {
  if (spec_.unit_pixels == 0) return;
  const int u = spec_.unit_pixels;
  HWND child = GetWindow(hwnd_, GW_CHILD);
  for (const MemoryControl& c : controls_) {
    if (!child) break;
    MoveWindow(child, c.left * u, c.top * u, c.width * u, c.height * u, FALSE);
    child = GetWindow(child, GW_HWNDNEXT);
  }
}

void MemoryDialog::Cancel() {
  if (on_cancel) {
    on_cancel(hwnd_);
  } else {
    End(IDCANCEL);
  }
}

INT_PTR MemoryDialog::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (on_message) {
    INT_PTR result = 0;
    if (on_message(hwnd_, msg, wp, lp, &result)) return result;
  }
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      const int code = HIWORD(wp);
      if (on_command && on_command(hwnd_, id, code)) return TRUE;
      if (id == IDCANCEL && !GetDlgItem(hwnd_, IDCANCEL)) {
        Cancel();
        return TRUE;
      }
      if (id == IDOK && !GetDlgItem(hwnd_, IDOK)) {
        // Enter without a default button: on to the next control.
        SendMessageA(hwnd_, WM_NEXTDLGCTL, 0, FALSE);
        return TRUE;
      }
      return FALSE;
    }
    case WM_CLOSE:
      Cancel();
      return TRUE;
    case WM_PAINT: {
      if (!on_paint) return FALSE;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      on_paint(hwnd_, dc);
      EndPaint(hwnd_, &ps);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace gui
