#include "automation/com_object.h"

#include <oleauto.h>

#include <cmath>
#include <limits>

namespace automation {

namespace {

// Days from 1899-12-30 (the VT_DATE origin) to the Julian day number of that date.
constexpr int32_t kVariantDateOrigin = 2415019;

void ToVariant(const xb::Value& v, VARIANT* out) {
  VariantInit(out);
  switch (v.type()) {
    case xb::Value::Type::kText:
    case xb::Value::Type::kMemo:
      out->vt = VT_BSTR;
      out->bstrVal = AnsiToBstr(v.text());
      break;
    case xb::Value::Type::kNumber: {
      const double n = v.number();
      if (v.decimals() == 0 && std::floor(n) == n && n >= std::numeric_limits<int32_t>::min() &&
          n <= std::numeric_limits<int32_t>::max()) {
        out->vt = VT_I4;
        out->lVal = static_cast<LONG>(n);
      } else {
        out->vt = VT_R8;
        out->dblVal = n;
      }
      break;
    }
    case xb::Value::Type::kLogical:
      out->vt = VT_BOOL;
      out->boolVal = v.logical() ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case xb::Value::Type::kDate:
      if (!v.date().empty()) {
        out->vt = VT_DATE;
        out->date = static_cast<double>(v.date().julian - kVariantDateOrigin);
      }
      break;
    case xb::Value::Type::kObject:
      if (auto* com = dynamic_cast<ComObject*>(v.object().get())) {
        out->vt = VT_DISPATCH;
        out->pdispVal = com->dispatch();
        out->pdispVal->AddRef();
      }
      break;
    default:
      break;
  }
}

xb::Value FromVariant(VARIANT* v) {
  VARIANT plain;
  VariantInit(&plain);
  VARIANT* src = v;
  if (v->vt & VT_BYREF) {
    if (FAILED(VariantCopyInd(&plain, v))) return xb::Value();
    src = &plain;
  }
  xb::Value out;
  switch (src->vt) {
    case VT_BSTR:
      out = xb::Value::Text(BstrToAnsi(src->bstrVal));
      break;
    case VT_I1:
      out = xb::Value::Number(src->cVal, 0);
      break;
    case VT_UI1:
      out = xb::Value::Number(src->bVal, 0);
      break;
    case VT_I2:
      out = xb::Value::Number(src->iVal, 0);
      break;
    case VT_UI2:
      out = xb::Value::Number(src->uiVal, 0);
      break;
    case VT_I4:
      out = xb::Value::Number(src->lVal, 0);
      break;
    case VT_UI4:
      out = xb::Value::Number(src->ulVal, 0);
      break;
    case VT_INT:
      out = xb::Value::Number(src->intVal, 0);
      break;
    case VT_UINT:
      out = xb::Value::Number(src->uintVal, 0);
      break;
    case VT_R4:
      out = xb::Value::Number(src->fltVal);
      break;
    case VT_R8:
      out = xb::Value::Number(src->dblVal);
      break;
    case VT_CY:
      out = xb::Value::Number(static_cast<double>(src->cyVal.int64) / 10000.0, 4);
      break;
    case VT_BOOL:
      out = xb::Value::Logical(src->boolVal != VARIANT_FALSE);
      break;
    case VT_DATE: {
      // The whole part is the day, counted from the origin in either direction; the
      // fraction is the time of day, positive also before the origin (-1.25 is the day
      // before it, at 6:00), so the day is the truncated value, not the floor.
      xb::Date d;
      d.julian = static_cast<int32_t>(std::trunc(src->date)) + kVariantDateOrigin;
      out = xb::Value::FromDate(d);
      break;
    }
    case VT_DISPATCH:
      if (src->pdispVal) {
        src->pdispVal->AddRef();
        out = xb::Value::FromObject(std::make_shared<ComObject>(src->pdispVal));
      }
      break;
    default:
      break;
  }
  VariantClear(&plain);
  return out;
}

WORD Flags(wb::CallKind kind) {
  switch (kind) {
    case wb::CallKind::kMethod:
      return DISPATCH_METHOD;
    case wb::CallKind::kGet:
      return DISPATCH_PROPERTYGET;
    case wb::CallKind::kPut:
      return DISPATCH_PROPERTYPUT;
  }
  return DISPATCH_METHOD;
}

}  // namespace

BSTR AnsiToBstr(const std::string& text) {
  const int n =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(n));
  if (out && n > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out, n);
  }
  return out;
}

std::string BstrToAnsi(BSTR text) {
  if (!text) return "";
  const int len = static_cast<int>(SysStringLen(text));
  const int n = WideCharToMultiByte(CP_ACP, 0, text, len, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text, len, out.data(), n, nullptr, nullptr);
  return out;
}

ComObject::ComObject(IDispatch* dispatch) : dispatch_(dispatch) {}

ComObject::~ComObject() {
  if (dispatch_) dispatch_->Release();
}

wb::CallResult ComObject::Invoke(std::string_view member, wb::CallKind kind,
                                 const std::vector<xb::Value>& args) {
  BSTR name = AnsiToBstr(std::string(member));
  LPOLESTR names[] = {name};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  SysFreeString(name);
  if (FAILED(hr)) {
    wb::CallResult r;
    r.status = static_cast<uint32_t>(hr);
    return r;
  }
  return InvokeId(id, kind, args);
}

wb::CallResult ComObject::InvokeId(DISPID id, wb::CallKind kind,
                                   const std::vector<xb::Value>& args) {
  // IDispatch takes the arguments last first.
  std::vector<VARIANT> vargs(args.size());
  for (size_t i = 0; i < args.size(); ++i) ToVariant(args[i], &vargs[args.size() - 1 - i]);
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS params = {vargs.empty() ? nullptr : vargs.data(), nullptr,
                       static_cast<UINT>(vargs.size()), 0};
  if (kind == wb::CallKind::kPut) {
    params.rgdispidNamedArgs = &put_id;
    params.cNamedArgs = 1;
  }
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info = {};
  UINT arg_error = 0;
  const HRESULT hr =
      dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, Flags(kind), &params,
                        kind == wb::CallKind::kPut ? nullptr : &result, &info, &arg_error);
  for (VARIANT& v : vargs) VariantClear(&v);
  wb::CallResult r;
  r.status = static_cast<uint32_t>(hr);
  if (SUCCEEDED(hr)) {
    r.status = wb::kOk;
    r.value = FromVariant(&result);
  } else if (hr == DISP_E_EXCEPTION) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    r.source = BstrToAnsi(info.bstrSource);
    r.description = BstrToAnsi(info.bstrDescription);
    r.scode = info.scode != 0 ? static_cast<uint32_t>(info.scode) : info.wCode;
  }
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  VariantClear(&result);
  return r;
}

xb::Value ComObject::DefaultValue() {
  wb::CallResult r = InvokeId(DISPID_VALUE, wb::CallKind::kGet, {});
  return r.ok() ? r.value : xb::Value();
}

}  // namespace automation
