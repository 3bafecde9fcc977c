// The run time's own stop box: a Windows message box with the stop icon, owned by the
// active window; natively the text goes to stderr. Tests can catch it with a hook.
#pragma once

#include <functional>
#include <string>

namespace xb {

void ShowStopBox(const std::string& title, const std::string& text);

using AlertHook = std::function<void(const std::string& title, const std::string& text)>;
AlertHook SetAlertHook(AlertHook hook);  // hands back the previous hook

}  // namespace xb
