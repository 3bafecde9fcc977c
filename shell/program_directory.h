// The program directory: the program file's full path up to, and not including, its
// last backslash; an empty text when the path has no backslash.
#pragma once

#include <string>

namespace shell {

std::string ProgramDirectory(const std::string& program_file);

}  // namespace shell
