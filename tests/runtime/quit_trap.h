// Catches the end of the program in a test: Quit() throws QuitTrap instead of ending.
#pragma once

#include "runtime/alert.h"
#include "runtime/quit.h"

#include <string>
#include <vector>

struct QuitTrap {
  int exit_code;
};

class QuitAndAlertCatcher {
 public:
  QuitAndAlertCatcher() {
    old_end_ = xb::SetEndHook([](int code) { throw QuitTrap{code}; });
    old_alert_ = xb::SetAlertHook(
        [this](const std::string& title, const std::string& text) { alerts.push_back(title + "|" + text); });
  }
  ~QuitAndAlertCatcher() {
    xb::SetEndHook(old_end_);
    xb::SetAlertHook(old_alert_);
    xb::SetExitCode(0);
  }
  std::vector<std::string> alerts;

 private:
  xb::EndHook old_end_;
  xb::AlertHook old_alert_;
};
