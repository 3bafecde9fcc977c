// MAIN: the frame of a whole run. Fixes the settings, works out the program directory,
// creates the module-wide variables and the two Arial fonts, opens the tables, runs the
// main dialog, then closes the tables and releases the fonts.
#pragma once

namespace shell {

void MAIN();

// The start-up before MAIN (settings at their defaults, the framework's module values,
// the error handler, OLE, the start time), MAIN, and the orderly end with exit code 0.
[[noreturn]] void RunProgram();

}  // namespace shell
