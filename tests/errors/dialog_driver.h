// Drives the error dialog in-process: the dialog hook starts a thread timer, which
// records the dialog's state once it runs modally and then performs the test's action.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "errors/win/error_dialog.h"

namespace errors_test {

struct ControlState {
  int id = 0;
  std::string class_name;
  std::string text;
  RECT rect{};  // in client pixels of the dialog
  LONG style = 0;
  LONG ex_style = 0;
  bool enabled = true;
};

struct DialogState {
  std::string title;
  RECT client{};
  std::vector<ControlState> controls;  // in z-order, which is the tab order
  int focus_id = 0;
  int default_id = 0;
  std::vector<std::string> list_items;
  int list_selection = -1;
  bool centred = false;
};

DialogState ReadDialog(HWND dialog);
const ControlState* FindControl(const DialogState& s, int id);

// Shows the dialog; `act` runs once the modal loop runs, again and again (every 20 ms)
// while it returns false. Returns the dialog's answer.
std::optional<bool> RunDialog(const errors::DialogRequest& request,
                              std::function<bool(HWND dialog, int round)> act,
                              DialogState* state = nullptr);

// Presses a key as the user would: posted to the focused control, through the dialog's loop.
void PostKey(HWND target, UINT vk);

}  // namespace errors_test
