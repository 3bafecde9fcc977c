#include "shell/program_directory.h"

namespace shell {

std::string ProgramDirectory(const std::string& program_file) {
  size_t slash = program_file.rfind('\\');
  return slash == std::string::npos ? std::string() : program_file.substr(0, slash);
}

}  // namespace shell
