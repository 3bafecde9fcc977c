#include "recording_dispatch.h"

#include <oleauto.h>

#include <algorithm>

namespace automation::testing {

namespace {

ReceivedArg Receive(const VARIANT& v) {
  ReceivedArg a;
  a.vt = v.vt;
  switch (v.vt) {
    case VT_I4:
      a.i4 = v.lVal;
      break;
    case VT_R8:
      a.r8 = v.dblVal;
      break;
    case VT_DATE:
      a.r8 = v.date;
      break;
    case VT_BOOL:
      a.boolean = v.boolVal;
      break;
    case VT_BSTR:
      if (v.bstrVal) a.text.assign(v.bstrVal, SysStringLen(v.bstrVal));
      break;
    case VT_DISPATCH:
      a.object = v.pdispVal;
      break;
    default:
      break;
  }
  return a;
}

HRESULT STDAPICALLTYPE FillInLater(EXCEPINFO* info) {
  info->bstrDescription = SysAllocString(kDeferredDescription);
  info->pfnDeferredFillIn = nullptr;
  return S_OK;
}

void FillException(const Reply& reply, EXCEPINFO* info) {
  *info = {};
  info->wCode = reply.wcode;
  info->scode = reply.scode;
  if (!reply.source.empty()) info->bstrSource = SysAllocString(reply.source.c_str());
  if (reply.deferred) {
    info->pfnDeferredFillIn = FillInLater;
  } else if (!reply.description.empty()) {
    info->bstrDescription = SysAllocString(reply.description.c_str());
  }
}

void FillResult(const Reply& reply, VARIANT* result) {
  VariantInit(result);
  result->vt = reply.vt;
  switch (reply.vt) {
    case VT_I2:
      result->iVal = static_cast<SHORT>(reply.i4);
      break;
    case VT_I4:
      result->lVal = reply.i4;
      break;
    case VT_R8:
      result->dblVal = reply.r8;
      break;
    case VT_DATE:
      result->date = reply.r8;
      break;
    case VT_BOOL:
      result->boolVal = reply.boolean ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case VT_BSTR:
      result->bstrVal = SysAllocStringLen(reply.text.data(), static_cast<UINT>(reply.text.size()));
      break;
    case VT_DISPATCH:
      result->pdispVal = reply.object;
      if (reply.object) reply.object->AddRef();
      break;
    default:
      result->vt = VT_EMPTY;
      break;
  }
}

}  // namespace

std::vector<WORD> RecordingDispatch::flags_seen() const {
  std::vector<WORD> out;
  for (const ReceivedCall& c : calls_) out.push_back(c.flags);
  return out;
}

void RecordingDispatch::ClearLog() {
  calls_.clear();
  names_asked_.clear();
}

HRESULT RecordingDispatch::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG RecordingDispatch::AddRef() {
  return static_cast<ULONG>(++refs_);
}

ULONG RecordingDispatch::Release() {
  --refs_;
  lowest_refs_ = std::min(lowest_refs_, refs_);
  return static_cast<ULONG>(refs_ < 0 ? 0 : refs_);
}

HRESULT RecordingDispatch::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT RecordingDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT RecordingDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                         DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids || count == 0) return E_INVALIDARG;
  HRESULT hr = S_OK;
  for (UINT i = 0; i < count; ++i) {
    names_asked_.emplace_back(names[i]);
    ids[i] = DISPID_UNKNOWN;
    // Only the first name is a member; the others would be parameter names.
    if (i == 0) {
      for (const auto& [name, id] : members_) {
        if (lstrcmpiW(name.c_str(), names[i]) == 0) ids[i] = id;
      }
    }
    if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

HRESULT RecordingDispatch::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO* info, UINT*) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!params) return E_INVALIDARG;
  ReceivedCall call;
  call.id = id;
  call.flags = flags;
  call.wants_result = result != nullptr;
  for (UINT i = 0; i < params->cArgs; ++i) call.args.push_back(Receive(params->rgvarg[i]));
  for (UINT i = 0; i < params->cNamedArgs; ++i) call.named.push_back(params->rgdispidNamedArgs[i]);
  calls_.push_back(std::move(call));

  auto it = replies_.find({id, flags});
  if (it == replies_.end()) return DISP_E_MEMBERNOTFOUND;
  const Reply& reply = it->second;
  if (reply.hr == DISP_E_EXCEPTION && info) FillException(reply, info);
  if (SUCCEEDED(reply.hr) && result) FillResult(reply, result);
  return reply.hr;
}

}  // namespace automation::testing
