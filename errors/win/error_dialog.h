// The error dialog "Error-Message": the description, the stack lines, the open-file
// button for the log just written, the German notices, and Quit / Retry / Default by
// the error's permissions. Returns true for Retry, false for Default, nothing for Quit,
// Escape and the close box.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "errors/handler.h"

namespace errors {

enum ErrorDialogId : int {
  kIdDescription = 101,
  kIdStackLabel = 102,
  kIdStackList = 103,
  kIdQuit = 110,
  kIdRetry = 111,
  kIdDefault = 112,
  kIdOpenFile = 113,
  kIdNotice = 120,  // 120, 121, 122
};

std::optional<bool> ShowErrorDialog(const DialogRequest& request);

// Tests: called once the dialog is set up, and in place of starting Notepad.
using ErrorDialogHook = std::function<void(HWND dialog)>;
ErrorDialogHook SetErrorDialogHook(ErrorDialogHook hook);
using CommandLineHook = std::function<void(const std::string& command_line)>;
CommandLineHook SetNotepadHook(CommandLineHook hook);

}  // namespace errors
