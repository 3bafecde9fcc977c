// The classes created in the run, each once, numbered from 1 in order of creation.
#pragma once

#include <string>

namespace xb {

int RegisterClassName(const std::string& name);  // its number; the same number on a repeat
int ClassCount();
std::string ClassName(int number);  // empty outside 1..ClassCount()

}  // namespace xb
