// The end of the program. Quit() runs the exit procedures (last registered first),
// then ends the process with the exit code. It never returns and never unwinds: on
// Windows it calls ExitProcess, so no Win32 frame sees an exception. Tests replace the
// last step with an end hook (which must not return: it may throw to the test).
#pragma once

#include <functional>

namespace xb {

void SetExitCode(int code);
int ExitCode();

// Exit procedures run once, at the first Quit, in reverse order of registration.
void AddExitProcedure(std::function<void()> procedure);

[[noreturn]] void Quit();

using EndHook = std::function<void(int exit_code)>;
EndHook SetEndHook(EndHook hook);  // hands back the previous hook

}  // namespace xb
