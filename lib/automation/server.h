// Where automation servers come from. CreateServer("Excel.Application") gives the COM
// server when that class is registered (Windows, CLSIDFromProgID succeeds), else the
// built-in workbook engine; both answer through wb::Dispatchable, so callers cannot
// tell them apart. Tests replace the factory (for instance to ask for new workbooks of
// one or five sheets, or to hand out a recording stub).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "workbook/dispatch.h"

namespace automation {

struct Created {
  std::shared_ptr<wb::Dispatchable> server;  // null on failure
  uint32_t status = 0;                       // the COM status of a failed creation
};

using ServerFactory = std::function<Created(const std::string& prog_id)>;

Created CreateServer(const std::string& prog_id);

// Makes factory the one CreateServer uses and hands back the previous one; an empty
// factory restores the default.
ServerFactory SetServerFactory(ServerFactory factory);

// The default choice, for callers that wrap it.
Created DefaultCreateServer(const std::string& prog_id);

// Which backend the default factory would use for prog_id: "COM" or "built-in", or
// empty when neither serves it.
std::string BackendFor(const std::string& prog_id);

}  // namespace automation
