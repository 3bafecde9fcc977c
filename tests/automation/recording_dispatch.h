// A hand-written in-process automation object for tests of the COM backend. It knows a
// small table of members (names found regardless of case), answers each (DISPID, kind)
// as the test told it, and records every GetIDsOfNames and Invoke it receives. Its
// reference count is kept but never frees the object, so a test can check that every
// AddRef was matched by a Release; the creator holds the first reference.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace automation::testing {

// One argument as it arrived (the VARIANT's type and the field that type uses).
struct ReceivedArg {
  VARTYPE vt = VT_EMPTY;
  LONG i4 = 0;
  double r8 = 0;  // also a VT_DATE's days
  VARIANT_BOOL boolean = VARIANT_FALSE;
  std::wstring text;
  IDispatch* object = nullptr;  // compared only, not owned
};

struct ReceivedCall {
  DISPID id = DISPID_UNKNOWN;
  WORD flags = 0;
  std::vector<ReceivedArg> args;  // in rgvarg order: the last argument first
  std::vector<DISPID> named;
  bool wants_result = false;
};

// How a member answers one kind of use: a status, a result for a success, the
// EXCEPINFO for DISP_E_EXCEPTION.
struct Reply {
  HRESULT hr = S_OK;
  VARTYPE vt = VT_EMPTY;  // the result's type: VT_EMPTY, VT_I2, VT_I4, VT_R8, VT_DATE,
                          // VT_BSTR, VT_BOOL or VT_DISPATCH
  LONG i4 = 0;
  double r8 = 0;  // also a VT_DATE's days
  bool boolean = false;
  std::wstring text;
  IDispatch* object = nullptr;  // handed out with a reference of its own
  // For DISP_E_EXCEPTION.
  std::wstring source;
  std::wstring description;
  WORD wcode = 0;
  SCODE scode = 0;
  bool deferred = false;  // description filled in by pfnDeferredFillIn
};

// The description a deferred EXCEPINFO receives when it is filled in.
inline constexpr wchar_t kDeferredDescription[] = L"Filled in on request";

class RecordingDispatch final : public IDispatch {
 public:
  RecordingDispatch() = default;
  RecordingDispatch(const RecordingDispatch&) = delete;
  RecordingDispatch& operator=(const RecordingDispatch&) = delete;
  ~RecordingDispatch() = default;

  void AddMember(std::wstring name, DISPID id) { members_.emplace_back(std::move(name), id); }
  void Answer(DISPID id, WORD flags, Reply reply) { replies_[{id, flags}] = std::move(reply); }

  LONG refs() const { return refs_; }
  LONG lowest_refs() const { return lowest_refs_; }
  const std::vector<ReceivedCall>& calls() const { return calls_; }
  const std::vector<std::wstring>& names_asked() const { return names_asked_; }
  std::vector<WORD> flags_seen() const;
  void ClearLog();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                                   UINT* arg_error) override;

 private:
  LONG refs_ = 1;
  LONG lowest_refs_ = 1;
  std::vector<std::pair<std::wstring, DISPID>> members_;
  std::map<std::pair<DISPID, WORD>, Reply> replies_;
  std::vector<ReceivedCall> calls_;
  std::vector<std::wstring> names_asked_;
};

}  // namespace automation::testing
