#include "automation/status_names.h"

namespace automation {

namespace {

struct Named {
  uint32_t status;
  const char* name;
};

constexpr Named kNames[] = {
    {0x80020001, "DISP_E_UNKNOWNINTERFACE"},
    {0x80020003, "DISP_E_MEMBERNOTFOUND"},
    {0x80020004, "DISP_E_PARAMNOTFOUND"},
    {0x80020005, "DISP_E_TYPEMISMATCH"},
    {0x80020006, "DISP_E_UNKNOWNNAME"},
    {0x80020007, "DISP_E_NONAMEDARGS"},
    {0x80020008, "DISP_E_BADVARTYPE"},
    {0x80020009, "DISP_E_EXCEPTION"},
    {0x8002000A, "DISP_E_OVERFLOW"},
    {0x8002000B, "DISP_E_BADINDEX"},
    {0x8002000C, "DISP_E_UNKNOWNLCID"},
    {0x8002000D, "DISP_E_ARRAYISLOCKED"},
    {0x8002000E, "DISP_E_BADPARAMCOUNT"},
    {0x8002000F, "DISP_E_PARAMNOTOPTIONAL"},
    {0x80004001, "E_NOTIMPL"},
    {0x80004002, "E_NOINTERFACE"},
    {0x80004003, "E_POINTER"},
    {0x80004004, "E_ABORT"},
    {0x80004005, "E_FAIL"},
    {0x8000FFFF, "E_UNEXPECTED"},
    {0x80070005, "E_ACCESSDENIED"},
    {0x80070006, "E_HANDLE"},
    {0x8007000E, "E_OUTOFMEMORY"},
    {0x80070057, "E_INVALIDARG"},
    {0x80040110, "CLASS_E_NOAGGREGATION"},
    {0x80040111, "CLASS_E_CLASSNOTAVAILABLE"},
    {0x80040154, "REGDB_E_CLASSNOTREG"},
    {0x800401F0, "CO_E_NOTINITIALIZED"},
    {0x800401F3, "CO_E_CLASSSTRING"},
    {0x800401F5, "CO_E_APPNOTFOUND"},
    {0x80080005, "CO_E_SERVER_EXEC_FAILURE"},
    {0x80010108, "RPC_E_DISCONNECTED"},
    {0x8001010A, "RPC_E_SERVERCALL_RETRYLATER"},
    {0x800706BA, "RPC_S_SERVER_UNAVAILABLE"},
};

}  // namespace

std::string StatusName(uint32_t status) {
  for (const Named& n : kNames) {
    if (n.status == status) return n.name;
  }
  return "";
}

}  // namespace automation
