// The COM backend: a wb::Dispatchable over an IDispatch pointer (Windows only).
// It owns one reference, released when the object goes. Values cross as VARIANTs:
// texts as BSTRs converted from and to the ANSI code page, numbers with 0 decimals
// within 32 bits as VT_I4, other numbers as VT_R8, logicals as VT_BOOL, dates as
// VT_DATE, objects of this backend as VT_DISPATCH, nil as VT_EMPTY. A result that is
// an IDispatch comes back as a new ComObject. Failures carry the HRESULT, and for
// DISP_E_EXCEPTION the EXCEPINFO's source, description and code.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>

#include "workbook/dispatch.h"

namespace automation {

class ComObject : public wb::Dispatchable {
 public:
  explicit ComObject(IDispatch* dispatch);  // takes over one reference
  ~ComObject() override;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  wb::CallResult Invoke(std::string_view member, wb::CallKind kind,
                        const std::vector<xb::Value>& args) override;
  xb::Value DefaultValue() override;
  std::string ClassName() const override { return "TOLEAUTO"; }

  IDispatch* dispatch() const { return dispatch_; }

 private:
  wb::CallResult InvokeId(DISPID id, wb::CallKind kind, const std::vector<xb::Value>& args);
  IDispatch* dispatch_;
};

// ANSI text to a new BSTR and back.
BSTR AnsiToBstr(const std::string& text);
std::string BstrToAnsi(BSTR text);

}  // namespace automation
