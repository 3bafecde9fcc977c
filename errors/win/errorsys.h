// The program's error handler on Windows.
//   ERRORSYS(): installs the handler (the run time's start-up calls it before MAIN).
//   ERRORLINK(): does nothing; kept as the module's public link point.
//   GETCPU(): the processor name from the registry ("ProcessorNameString" under
//     HKLM\HARDWARE\DESCRIPTION\System\CentralProcessor\0), zero bytes removed; empty
//     when it cannot be read.
#pragma once

#include <string>

namespace errors {

void ERRORSYS();
void ERRORLINK();
std::string GETCPU();

}  // namespace errors
