#include "runtime/class_registry.h"

#include <vector>

namespace xb {

namespace {
std::vector<std::string>& classes() {
  static std::vector<std::string> c;
  return c;
}
}  // namespace

int RegisterClassName(const std::string& name) {
  auto& c = classes();
  for (size_t i = 0; i < c.size(); ++i)
    if (c[i] == name) return static_cast<int>(i) + 1;
  c.push_back(name);
  return static_cast<int>(c.size());
}

int ClassCount() { return static_cast<int>(classes().size()); }

std::string ClassName(int number) {
  if (number < 1 || number > ClassCount()) return "";
  return classes()[number - 1];
}

}  // namespace xb
