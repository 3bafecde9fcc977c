#include "automation/server.h"

#include <utility>

#include "automation/status_names.h"

#ifdef XB_HAVE_WORKBOOK
#include "workbook/application.h"
#endif

namespace automation {

#ifdef _WIN32
// com_server.cc
bool ComClassRegistered(const std::string& prog_id);
Created CreateComServer(const std::string& prog_id);
#endif

namespace {

ServerFactory& Factory() {
  static ServerFactory factory;
  return factory;
}

bool IsExcelClass(const std::string& prog_id) {
  static constexpr char kClass[] = "excel.application";
  if (prog_id.size() != sizeof(kClass) - 1) return false;
  for (size_t i = 0; i < prog_id.size(); ++i) {
    char c = prog_id[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kClass[i]) return false;
  }
  return true;
}

}  // namespace

std::string BackendFor([[maybe_unused]] const std::string& prog_id) {
#ifdef _WIN32
  if (ComClassRegistered(prog_id)) return "COM";
#endif
#ifdef XB_HAVE_WORKBOOK
  if (IsExcelClass(prog_id)) return "built-in";
#endif
  return "";
}

Created DefaultCreateServer(const std::string& prog_id) {
  const std::string backend = BackendFor(prog_id);
#ifdef _WIN32
  if (backend == "COM") return CreateComServer(prog_id);
#endif
#ifdef XB_HAVE_WORKBOOK
  if (backend == "built-in") return Created{wb::NewApplication(), 0};
#endif
  (void)IsExcelClass;
  return Created{nullptr, kClassString};
}

Created CreateServer(const std::string& prog_id) {
  if (Factory()) return Factory()(prog_id);
  return DefaultCreateServer(prog_id);
}

ServerFactory SetServerFactory(ServerFactory factory) {
  return std::exchange(Factory(), std::move(factory));
}

}  // namespace automation
