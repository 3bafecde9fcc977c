#include "gui/msg_meter.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "gui/module.h"

namespace gui {

namespace {

constexpr COLORREF kBarBlue = 16711680;  // 0x00BBGGRR
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr UINT kRunAction = WM_APP + 17;

LRESULT CALLBACK BarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rect;
    GetClientRect(hwnd, &rect);
    const auto* meter = reinterpret_cast<const TMeter*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (meter) TMeter::Paint(dc, rect, meter->position(), meter->total());
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (msg == WM_ERASEBKGND) return 1;
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void RegisterBarClass() {
  WNDCLASSA wc = {};
  if (GetClassInfoA(GetInstance(), kMeterBarClass, &wc)) return;
  wc.lpfnWndProc = BarProc;
  wc.hInstance = GetInstance();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kMeterBarClass;
  if (RegisterClassA(&wc)) NoteRegisteredClass(kMeterBarClass);
}

long Clamp(long position, long total) {
  return std::clamp(position, 0L, std::max(total, 0L));
}

// In 64 bits: long has 32 on Windows, and a table of more than 21 million records would
// overflow position * 100.
int PercentOf(long position, long total) {
  if (total <= 0) return 0;
  return static_cast<int>(static_cast<long long>(Clamp(position, total)) * 100 / total);
}

}  // namespace

int TMeter::Percent() const {
  return PercentOf(position_, total_);
}

void TMeter::SetTotal(long total) {
  total_ = total;
  if (hwnd_) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }
}

void TMeter::Set(long position) {
  position_ = position;
  const long moved = Clamp(position, total_) - Clamp(drawn_, total_);
  if (total_ <= 0 || static_cast<long long>(std::abs(moved)) * 100 < total_) return;
  drawn_ = position;
  ++repaints_;
  if (hwnd_) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }
  ProcessPendingMessages();
}

void TMeter::Paint(HDC dc, const RECT& rect, long position, long total) {
  const long shown = total > 0 ? Clamp(position, total) : 0;
  const int width = rect.right - rect.left;
  const int filled =
      total > 0 ? static_cast<int>(static_cast<long long>(width) * shown / total) : 0;
  const int percent = PercentOf(position, total);
  RECT done = rect;
  done.right = rect.left + filled;
  RECT rest = rect;
  rest.left = done.right;
  const std::string text = std::to_string(percent) + "%";
  HFONT font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  // The same text twice, each clipped to its part: white on blue, blue on white.
  const struct {
    RECT part;
    COLORREF back, fore;
  } parts[] = {{done, kBarBlue, kWhite}, {rest, kWhite, kBarBlue}};
  for (const auto& p : parts) {
    if (p.part.right <= p.part.left) continue;
    HBRUSH brush = CreateSolidBrush(p.back);
    FillRect(dc, &p.part, brush);
    DeleteObject(brush);
    SetTextColor(dc, p.fore);
    RECT all = rect;
    HRGN clip = CreateRectRgnIndirect(&p.part);
    SelectClipRgn(dc, clip);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &all,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
  }
  SelectObject(dc, old_font);
}

void TMeterText::SetText(const std::string& text) {
  if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

std::string TMeterText::GetText() const {
  if (!hwnd_) return "";
  std::string out(static_cast<size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
  out.resize(static_cast<size_t>(GetWindowTextA(hwnd_, out.data(), static_cast<int>(out.size()))));
  return out;
}

void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (top && IsDialogMessageA(top, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

class MeterDialog {
 public:
  MeterDialog(const MeterAction& action, const std::string& message, const std::string& title)
      : action_(action),
        dialog_({.title = title,
                 .client_width = 160,
                 .client_height = 56,
                 .unit_pixels = 1,
                 .center = true,
                 .font_name = "Ms Sans Serif",
                 .font_points = 8}) {
    RegisterBarClass();
    dialog_.Add({.class_name = "STATIC",
                 .text = message,
                 .id = kMeterTextId,
                 .style = SS_LEFT | SS_NOPREFIX,
                 .left = 15,
                 .top = 4,
                 .width = 130,
                 .height = 10});
    dialog_.Add({.class_name = kMeterBarClass,
                 .text = "",
                 .id = kMeterBarId,
                 .left = 5,
                 .top = 20,
                 .width = 150,
                 .height = 10});
    dialog_.Add({.class_name = "BUTTON",
                 .text = "&Cancel",
                 .id = kMeterCancelId,
                 .style = BS_PUSHBUTTON | WS_TABSTOP,
                 .left = 64,
                 .top = 38,
                 .width = 32,
                 .height = 11});
    dialog_.on_init = [this](HWND hwnd) {
      meter_.hwnd_ = GetDlgItem(hwnd, kMeterBarId);
      text_.hwnd_ = GetDlgItem(hwnd, kMeterTextId);
      SetWindowLongPtrA(meter_.hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&meter_));
      return true;
    };
    dialog_.on_paint = [this](HWND hwnd, HDC) {
      if (started_) return;
      started_ = true;
      PostMessageA(hwnd, kRunAction, 0, 0);
    };
    dialog_.on_message = [this](HWND, UINT msg, WPARAM, LPARAM, INT_PTR* result) {
      if (msg != kRunAction) return false;
      RunAction();
      *result = TRUE;
      return true;
    };
    dialog_.on_command = [this](HWND, int id, int) {
      if (id != kMeterCancelId) return false;
      cancel_ = true;
      cancelled_ = true;
      return true;
    };
    dialog_.on_cancel = [this](HWND) {
      if (cancel_ && !running_) dialog_.End(IDCANCEL);
    };
  }

  bool Run() {
    dialog_.Run(GetActiveWindow());
    meter_.hwnd_ = nullptr;
    text_.hwnd_ = nullptr;
    return cancelled_;
  }

 private:
  void RunAction() {
    running_ = true;
    if (action_) action_(meter_, text_, dialog_, cancel_);
    running_ = false;
    cancel_ = true;
    dialog_.End(cancelled_ ? IDCANCEL : IDOK);
  }

  const MeterAction& action_;
  MemoryDialog dialog_;
  TMeter meter_;
  TMeterText text_;
  bool cancel_ = false;
  bool cancelled_ = false;
  bool started_ = false;
  bool running_ = false;
};

bool MsgMeter(const MeterAction& action, const std::string& message, const std::string& title) {
  MeterDialog dialog(action, message, title);
  return dialog.Run();
}

}  // namespace gui
