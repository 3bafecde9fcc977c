// MemoryDialog: a modal dialog built in memory (no resource template).
//
//   gui::MemoryDialogSpec spec;
//   spec.title = "Title"; spec.client_width = 400; spec.client_height = 300;
//   spec.unit_pixels = 2;
//   gui::MemoryDialog dlg(spec);
//   dlg.Add({"BUTTON", "&Quit", 101, BS_PUSHBUTTON | WS_TABSTOP, 0, 75, 140, 51, 12});
//   dlg.on_command = [&](HWND, int id, int) { if (id == 101) dlg.End(1); return true; };
//   int result = dlg.Run(owner);
//
// Contract:
// - The client area is client_width × client_height pixels (dialog units when
//   size_in_dialog_units); the dialog is centred on the screen when center is set.
// - Control coordinates are in layout units of unit_pixels pixels each: a control's
//   pixel rectangle is (left, top, width, height) × unit_pixels, set once the dialog
//   exists and before on_init. With unit_pixels 0 they are dialog units of the template.
// - Controls are created in the order added, which is also the tab order; WS_CHILD and
//   WS_VISIBLE are always added. Texts are Windows (ANSI) text.
// - The dialog has no font of its own unless font_name is given.
// - Run() shows the dialog modally with its own message loop (the dialog manager's keys,
//   the window-loop indicator set for its lifetime), the owner disabled meanwhile, and
//   returns the value given to End(). on_init runs before the first paint; after it the
//   focus goes to the first control with a tab stop unless on_init returns false.
// - Escape and the close box call on_cancel (none set: End(IDCANCEL)). Enter with no
//   default button and no control of identifier IDOK moves the focus to the next control.
// - on_paint draws into the client area inside WM_PAINT. on_message sees every message
//   first and may claim it. GUI thread only; one Run() at a time per object.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gui {

struct MemoryControl {
  std::string class_name;  // "BUTTON", "STATIC", "LISTBOX", a registered class ...
  std::string text;
  int id = 0;
  DWORD style = 0;
  DWORD ex_style = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct MemoryDialogSpec {
  std::string title;
  int client_width = 0;
  int client_height = 0;
  bool size_in_dialog_units = false;
  int unit_pixels = 1;
  DWORD style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  DWORD ex_style = 0;
  bool center = true;
  std::string font_name;  // empty: the dialog's default font
  int font_points = 8;
};

class MemoryDialog {
 public:
  explicit MemoryDialog(MemoryDialogSpec spec);
  MemoryDialog(const MemoryDialog&) = delete;
  MemoryDialog& operator=(const MemoryDialog&) = delete;

  void Add(MemoryControl control);
  const std::vector<MemoryControl>& controls() const { return controls_; }
  const MemoryDialogSpec& spec() const { return spec_; }

  // The DLGTEMPLATE with its items, as handed to Windows.
  std::vector<std::uint8_t> BuildTemplate() const;

  int Run(HWND owner);
  void End(int result);  // ends Run() once the current message is handled
  HWND hWnd() const { return hwnd_; }
  bool running() const { return hwnd_ != nullptr && !ended_; }

  std::function<bool(HWND dialog)> on_init;
  std::function<bool(HWND dialog, int id, int code)> on_command;  // true: handled
  std::function<void(HWND dialog, HDC dc)> on_paint;
  std::function<void(HWND dialog)> on_cancel;
  std::function<bool(HWND dialog, UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result)> on_message;

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR Handle(UINT msg, WPARAM wp, LPARAM lp);
  BOOL Init();
  void PlaceControls();
  void SizeAndCenter();
  void Cancel();

  MemoryDialogSpec spec_;
  std::vector<MemoryControl> controls_;
  HWND hwnd_ = nullptr;
  bool ended_ = false;
  int result_ = 0;
};

}  // namespace gui
