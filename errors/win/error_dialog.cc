#include "errors/win/error_dialog.h"

#include <utility>

#include "errors/dialog_layout.h"
#include "gui/memory_dialog.h"
#include "gui/module.h"

namespace errors {

namespace {

ErrorDialogHook& dialog_hook() {
  static ErrorDialogHook hook;
  return hook;
}

CommandLineHook& notepad_hook() {
  static CommandLineHook hook;
  return hook;
}

std::string OemToAnsi(const std::string& text) {
  std::string out(text);
  if (!out.empty()) OemToCharBuffA(text.data(), out.data(), static_cast<DWORD>(text.size()));
  return out;
}

int IdOf(ControlKind kind, int* notice) {
  switch (kind) {
    case ControlKind::kDescription:
      return kIdDescription;
    case ControlKind::kStackLabel:
      return kIdStackLabel;
    case ControlKind::kStackList:
      return kIdStackList;
    case ControlKind::kQuit:
      return kIdQuit;
    case ControlKind::kRetry:
      return kIdRetry;
    case ControlKind::kDefault:
      return kIdDefault;
    case ControlKind::kOpenFile:
      return kIdOpenFile;
    case ControlKind::kNotice:
      return kIdNotice + (*notice)++;
  }
  return 0;
}

gui::MemoryControl ToControl(const LayoutControl& c, bool log_written, int* notice) {
  gui::MemoryControl m;
  m.id = IdOf(c.kind, notice);
  m.text = c.text;
  m.left = c.left;
  m.top = c.top;
  m.width = c.right - c.left + 1;  // rectangles are inclusive
  m.height = c.bottom - c.top + 1;
  switch (c.kind) {
    case ControlKind::kDescription:
      m.class_name = "STATIC";
      m.style = SS_CENTER | SS_NOPREFIX;
      break;
    case ControlKind::kStackLabel:
    case ControlKind::kNotice:
      m.class_name = "STATIC";
      m.style = SS_LEFT;
      break;
    case ControlKind::kStackList:
      m.class_name = "LISTBOX";
      // The rectangle as laid out, not shrunk to whole lines.
      m.style =
          WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_USETABSTOPS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
      break;
    case ControlKind::kOpenFile:
      m.class_name = "BUTTON";
      m.style = BS_PUSHBUTTON | WS_TABSTOP | (log_written ? 0 : WS_DISABLED);
      break;
    default:
      m.class_name = "BUTTON";
      m.style = (c.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
      break;
  }
  return m;
}

void StartNotepad(const std::string& path) {
  const std::string command = "Notepad.exe " + path;
  if (notepad_hook()) {
    notepad_hook()(command);
  } else {
    WinExec(command.c_str(), SW_SHOWNORMAL);  // its result is of no concern here
  }
}

}  // namespace

ErrorDialogHook SetErrorDialogHook(ErrorDialogHook hook) {
  return std::exchange(dialog_hook(), std::move(hook));
}

CommandLineHook SetNotepadHook(CommandLineHook hook) {
  return std::exchange(notepad_hook(), std::move(hook));
}

std::optional<bool> ShowErrorDialog(const DialogRequest& request) {
  LayoutInput in;
  in.nt_family = request.nt_family;
  in.can_retry = request.can_retry;
  in.can_default = request.can_default;
  in.description_line = OemToAnsi(request.description_line);
  in.log_name = request.log.name;
  in.log_written = request.log.written;
  const std::vector<LayoutControl> layout = ErrorDialogLayout(in);

  gui::MemoryDialogSpec spec;
  spec.title = "Error-Message";
  spec.client_width = kDialogWidth;
  spec.client_height = ErrorDialogClientHeight(request.nt_family);
  spec.unit_pixels = kLayoutUnitPixels;
  gui::MemoryDialog dlg(spec);
  int notice = 0;
  int default_id = 0;
  for (const LayoutControl& c : layout) {
    gui::MemoryControl m = ToControl(c, request.log.written, &notice);
    if (c.default_button) default_id = m.id;
    dlg.Add(std::move(m));
  }

  std::optional<bool> answer;
  HBITMAP bitmap = LoadBitmapA(gui::GetInstance(), "Ende_5");

  dlg.on_init = [&](HWND hwnd) {
    HWND list = GetDlgItem(hwnd, kIdStackList);
    for (const std::string& line : request.stack_lines) {
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    if (default_id) SendMessageA(hwnd, DM_SETDEFID, default_id, 0);
    if (dialog_hook()) dialog_hook()(hwnd);
    return true;
  };
  dlg.on_command = [&](HWND, int id, int code) {
    if (code != BN_CLICKED) return false;
    switch (id) {
      case kIdQuit:
        dlg.End(0);
        return true;
      case kIdRetry:
        answer = true;
        dlg.End(0);
        return true;
      case kIdDefault:
        answer = false;
        dlg.End(0);
        return true;
      case kIdOpenFile:
        if (request.log.written) StartNotepad(request.log.path);
        return true;
      default:
        return false;
    }
  };
  dlg.on_cancel = [&](HWND) { dlg.End(0); };
  dlg.on_paint = [&](HWND, HDC dc) {
    if (!bitmap) return;
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, 6, 6, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  };

  HWND owner = gui::WindowLoopRunning() ? GetActiveWindow() : nullptr;
  dlg.Run(owner);
  if (bitmap) DeleteObject(bitmap);
  return answer;
}

}  // namespace errors
