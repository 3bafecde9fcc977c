// Creation of COM servers from their ProgID.
#include <objbase.h>
#include <windows.h>

#include <memory>

#include "automation/com_object.h"
#include "automation/server.h"

namespace automation {

namespace {

bool ClassOf(const std::string& prog_id, CLSID* clsid) {
  BSTR wide = AnsiToBstr(prog_id);
  const HRESULT hr = CLSIDFromProgID(wide, clsid);
  SysFreeString(wide);
  return SUCCEEDED(hr);
}

}  // namespace

bool ComClassRegistered(const std::string& prog_id) {
  CLSID clsid;
  return ClassOf(prog_id, &clsid);
}

Created CreateComServer(const std::string& prog_id) {
  CLSID clsid;
  BSTR wide = AnsiToBstr(prog_id);
  HRESULT hr = CLSIDFromProgID(wide, &clsid);
  SysFreeString(wide);
  if (FAILED(hr)) return Created{nullptr, static_cast<uint32_t>(hr)};
  IDispatch* dispatch = nullptr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch,
                        reinterpret_cast<void**>(&dispatch));
  if (FAILED(hr) || !dispatch) {
    return Created{nullptr, static_cast<uint32_t>(FAILED(hr) ? hr : E_NOINTERFACE)};
  }
  return Created{std::make_shared<ComObject>(dispatch), 0};
}

}  // namespace automation
