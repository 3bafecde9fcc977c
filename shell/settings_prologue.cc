#include "shell/settings_prologue.h"

#include "runtime/settings.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace shell {

void ApplySettingsPrologue() {
  using xb::Value;
  xb::Set(xb::kSetDateFormat, Value::Text(xb::Century() ? "dd.mm.yyyy" : "dd.mm.yy"));
  xb::Set(xb::kSetEpoch, Value::Number(2000));
  xb::Set(xb::kSetScoreboard, Value::Text("OFF"));
  xb::Set(xb::kSetSoftSeek, Value::Text("ON"));
  xb::SetCentury(true);
  xb::Set(xb::kSetExact, Value::Text("ON"));
  xb::Set(xb::kSetFixed, Value::Text("ON"));
  xb::Set(xb::kSetDecimals, Value::Number(2));
  // Step 9 asked for 95 file handles; that request has no effect on Win32 and is left out.
  xb::Set(xb::kSetExclusive, Value::Text("OFF"));
}

void SetDefaultTableDriver() { xb::SetDefaultDriver("DBFCDX"); }

}  // namespace shell
