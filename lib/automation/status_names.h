// Symbolic names of the COM status codes the automation layer reports.
#pragma once

#include <cstdint>
#include <string>

namespace automation {

// "DISP_E_UNKNOWNNAME", "CO_E_CLASSSTRING", ...; empty when the code has no name here.
std::string StatusName(uint32_t status);

constexpr uint32_t kClassString = 0x800401F3;     // CO_E_CLASSSTRING
constexpr uint32_t kClassNotReg = 0x80040154;     // REGDB_E_CLASSNOTREG
constexpr uint32_t kNoInterface = 0x80004002;     // E_NOINTERFACE
constexpr uint32_t kFail = 0x80004005;            // E_FAIL
constexpr uint32_t kNotInitialized = 0x800401F0;  // CO_E_NOTINITIALIZED

}  // namespace automation
