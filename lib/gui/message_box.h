// The framework's message boxes: modal Windows message boxes owned by the active window,
// with an OK button. The texts are Windows (ANSI) text; callers convert table text first.
//   MsgAlert: the warning (exclamation) icon.   MsgStop: the stop icon.
#pragma once

#include <string>

namespace gui {

void MsgAlert(const std::string& text, const std::string& title = "Alert");
void MsgStop(const std::string& text, const std::string& title = "Stop");

}  // namespace gui
