#include "dialog_driver.h"

namespace errors_test {

namespace {
std::function<bool(HWND, int)> g_act;
HWND g_dialog = nullptr;
int g_round = 0;
UINT_PTR g_timer = 0;
DialogState* g_state = nullptr;

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_dialog || !IsWindow(g_dialog)) return;
  if (g_round == 0 && g_state) *g_state = ReadDialog(g_dialog);
  if (g_act(g_dialog, g_round++)) {
    KillTimer(nullptr, g_timer);
    g_timer = 0;
  }
}
}  // namespace

DialogState ReadDialog(HWND dialog) {
  DialogState s;
  char text[1024];
  GetWindowTextA(dialog, text, sizeof text);
  s.title = text;
  GetClientRect(dialog, &s.client);
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    ControlState cs;
    cs.id = GetDlgCtrlID(c);
    GetClassNameA(c, text, sizeof text);
    cs.class_name = text;
    GetWindowTextA(c, text, sizeof text);
    cs.text = text;
    GetWindowRect(c, &cs.rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&cs.rect), 2);
    cs.style = GetWindowLongA(c, GWL_STYLE);
    cs.ex_style = GetWindowLongA(c, GWL_EXSTYLE);
    cs.enabled = IsWindowEnabled(c) != FALSE;
    s.controls.push_back(cs);
  }
  s.focus_id = GetFocus() ? GetDlgCtrlID(GetFocus()) : 0;
  const LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  s.default_id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : 0;
  HWND list = GetDlgItem(dialog, errors::kIdStackList);
  const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    s.list_items.push_back(text);
  }
  s.list_selection = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
  RECT w, work;
  GetWindowRect(dialog, &w);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int dx = (w.left - work.left) - (work.right - w.right);
  const int dy = (w.top - work.top) - (work.bottom - w.bottom);
  s.centred = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
  return s;
}

const ControlState* FindControl(const DialogState& s, int id) {
  for (const ControlState& c : s.controls)
    if (c.id == id) return &c;
  return nullptr;
}

std::optional<bool> RunDialog(const errors::DialogRequest& request,
                              std::function<bool(HWND, int)> act, DialogState* state) {
  g_act = std::move(act);
  g_round = 0;
  g_state = state;
  auto old = errors::SetErrorDialogHook([](HWND dialog) {
    g_dialog = dialog;
    g_timer = SetTimer(nullptr, 0, 20, OnTimer);
  });
  std::optional<bool> answer = errors::ShowErrorDialog(request);
  if (g_timer) KillTimer(nullptr, g_timer);
  g_timer = 0;
  g_dialog = nullptr;
  errors::SetErrorDialogHook(old);
  return answer;
}

void PostKey(HWND target, UINT vk) {
  PostMessageA(target, WM_KEYDOWN, vk, 1);
  PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
}

}  // namespace errors_test
