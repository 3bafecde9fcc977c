// The COM backend against a hand-written in-process IDispatch object: the call kinds a
// member use tries and in which order, the VARIANTs the object receives, the values
// that come back, the error object of every failure, the retry on the default value,
// creation from a ProgID, and that every reference taken is given back.
#include <windows.h>
// after windows.h, which it needs
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/com_object.h"
#include "automation/ole_auto.h"
#include "automation/server.h"
#include "recording_dispatch.h"
#include "runtime/error.h"

namespace automation {
namespace {

using testing::ReceivedArg;
using testing::ReceivedCall;
using testing::RecordingDispatch;
using testing::Reply;

constexpr DISPID kAdd = 1;
constexpr DISPID kValue = 2;
constexpr DISPID kCells = 3;
constexpr DISPID kWorkbooks = 4;
constexpr DISPID kCount = 5;

constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;

Reply Returns() {
  return Reply{};
}
Reply Returns(VARTYPE vt, LONG i4, double r8 = 0, bool b = false, std::wstring text = {}) {
  Reply r;
  r.vt = vt;
  r.i4 = i4;
  r.r8 = r8;
  r.boolean = b;
  r.text = std::move(text);
  return r;
}
Reply ReturnsText(std::wstring text) {
  return Returns(VT_BSTR, 0, 0, false, std::move(text));
}
Reply ReturnsObject(IDispatch* object) {
  Reply r;
  r.vt = VT_DISPATCH;
  r.object = object;
  return r;
}
Reply Fails(HRESULT hr) {
  Reply r;
  r.hr = hr;
  return r;
}
Reply Throws(std::wstring description, SCODE scode, WORD wcode = 0) {
  Reply r = Fails(DISP_E_EXCEPTION);
  r.source = L"Recorder";
  r.description = std::move(description);
  r.scode = scode;
  r.wcode = wcode;
  return r;
}

// The backend's handle on d; ComObject takes over the reference added here.
std::shared_ptr<ComObject> Wrap(RecordingDispatch& d) {
  d.AddRef();
  return std::make_shared<ComObject>(&d);
}

// w in the ANSI code page, or nothing when the code page cannot hold all of it.
std::optional<std::string> Ansi(const std::wstring& w) {
  const int len = static_cast<int>(w.size());
  BOOL lost = FALSE;
  BOOL* lost_arg = GetACP() == CP_UTF8 ? nullptr : &lost;
  const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), len, nullptr, 0, nullptr, lost_arg);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, w.data(), len, out.data(), n, nullptr, lost_arg);
  if (lost) return std::nullopt;
  return out;
}

// Captures every error raised and answers with a substitute.
struct ErrorTrap {
  std::vector<xb::Error> errors;
  xb::Value substitute;
  xb::ErrorHandler previous;
  ErrorTrap() {
    previous = xb::SetErrorHandler([this](xb::Error& e) {
      errors.push_back(e);
      return substitute;
    });
  }
  ~ErrorTrap() { xb::SetErrorHandler(previous); }
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
};

class ComBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override { CoUninitialize(); }
  ErrorTrap trap_;
};

// Every reference the backend took on d has been given back, and it never gave back
// more than it took on the way.
void ExpectAllReleased(const RecordingDispatch& d, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(d.refs(), 1);
  EXPECT_GE(d.lowest_refs(), 1);
}

using ComMemberUse = ComBackend;

TEST_F(ComMemberUse, KindsAreTriedInOrderUntilOneIsSupported) {
  struct Case {
    const char* name;
    WORD supported;
    bool with_argument;
    std::vector<WORD> expected_flags;
    bool fails;
  };
  const Case cases[] = {
      {"method answers", kMethod, false, {kMethod}, false},
      {"property read after method", kGet, false, {kMethod, kGet}, false},
      {"put after both, given an argument", kPut, true, {kMethod, kGet, kPut}, false},
      {"no put without an argument", kPut, false, {kMethod, kGet}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ErrorTrap trap;
    RecordingDispatch app;
    app.AddMember(L"Add", kAdd);
    app.Answer(kAdd, c.supported, Returns(VT_I4, 7));
    {
      OleAuto o(Wrap(app), "Excel.Application");
      xb::Value v = c.with_argument ? o.Invoke("Add", 1) : o.Invoke("Add");
      // A put hands back nothing; the other kinds give the member's result.
      if (c.fails || c.supported == kPut) {
        EXPECT_TRUE(v.IsNil());
      } else {
        EXPECT_EQ(v.number(), 7);
      }
    }
    std::vector<WORD> flags;
    for (const ReceivedCall& call : app.calls()) {
      if (call.id != kAdd) continue;
      flags.push_back(call.flags);
      // Only a put names its value; the other kinds pass arguments by position.
      if (call.flags == kPut) {
        EXPECT_EQ(call.named, std::vector<DISPID>{DISPID_PROPERTYPUT});
      } else {
        EXPECT_TRUE(call.named.empty());
        EXPECT_TRUE(call.wants_result);
      }
      EXPECT_EQ(call.args.size(), c.with_argument ? 1u : 0u);
    }
    EXPECT_EQ(flags, c.expected_flags);
    ASSERT_EQ(trap.errors.size(), c.fails ? 1u : 0u);
    if (c.fails) {
      EXPECT_EQ(trap.errors[0].description.text(), "DISP_E_MEMBERNOTFOUND");
      EXPECT_EQ(trap.errors[0].sub_code.number(), 3);
    }
    ExpectAllReleased(app, c.name);
  }
}

TEST_F(ComMemberUse, OnlyMemberNotFoundMovesOnToTheNextKind) {
  struct Case {
    const char* name;
    Reply method_reply;
    std::string description;
  };
  const Case cases[] = {
      {"exception inside the method", Throws(L"Method failed", 0), "Method failed"},
      {"type mismatch", Fails(DISP_E_TYPEMISMATCH), "DISP_E_TYPEMISMATCH"},
      {"bad parameter count", Fails(DISP_E_BADPARAMCOUNT), "DISP_E_BADPARAMCOUNT"},
      {"plain failure", Fails(E_FAIL), "E_FAIL"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ErrorTrap trap;
    RecordingDispatch app;
    app.AddMember(L"Add", kAdd);
    app.Answer(kAdd, kMethod, c.method_reply);
    app.Answer(kAdd, kGet, Returns(VT_I4, 1));
    app.Answer(kAdd, kPut, Returns());
    {
      OleAuto o(Wrap(app), "Excel.Application");
      o.Invoke("Add", 5);
    }
    std::vector<WORD> flags;
    for (const ReceivedCall& call : app.calls()) {
      if (call.id == kAdd) flags.push_back(call.flags);
    }
    EXPECT_EQ(flags, std::vector<WORD>{kMethod});
    ASSERT_EQ(trap.errors.size(), 1u);
    EXPECT_EQ(trap.errors[0].description.text(), c.description);
    ExpectAllReleased(app, c.name);
  }
}

TEST_F(ComMemberUse, SetIsOnePutOfTheMemberAsSpelled) {
  RecordingDispatch app;
  app.AddMember(L"DisplayAlerts", kValue);
  app.Answer(kValue, kPut, Returns());
  app.Answer(kValue, kMethod, Returns());
  app.Answer(kValue, kGet, Returns());
  {
    OleAuto o(Wrap(app), "Excel.Application");
    o.Set("displayALERTS", false);
  }
  EXPECT_TRUE(trap_.errors.empty());
  // The name goes as the caller spelled it; the server decides about case.
  EXPECT_EQ(app.names_asked(), std::vector<std::wstring>{L"displayALERTS"});
  ASSERT_EQ(app.calls().size(), 1u);
  const ReceivedCall& call = app.calls()[0];
  EXPECT_EQ(call.id, kValue);
  EXPECT_EQ(call.flags, kPut);
  EXPECT_EQ(call.named, std::vector<DISPID>{DISPID_PROPERTYPUT});
  ASSERT_EQ(call.args.size(), 1u);
  EXPECT_EQ(call.args[0].vt, VT_BOOL);
  EXPECT_EQ(call.args[0].boolean, VARIANT_FALSE);
  ExpectAllReleased(app, "after the put");
}

TEST_F(ComMemberUse, AFailedSetTriesNoOtherKind) {
  RecordingDispatch app;
  app.AddMember(L"Visible", kValue);
  app.Answer(kValue, kMethod, Returns());
  app.Answer(kValue, kGet, Returns());
  {
    OleAuto o(Wrap(app), "Excel.Application");
    o.Set("Visible", true);
  }
  for (const ReceivedCall& call : app.calls()) {
    if (call.id == kValue) {
      EXPECT_EQ(call.flags, kPut);
    }
  }
  ASSERT_EQ(trap_.errors.size(), 1u);
  EXPECT_EQ(trap_.errors[0].operation, "_VISIBLE");
  EXPECT_EQ(trap_.errors[0].description.text(), "DISP_E_MEMBERNOTFOUND");
}

using ComArguments = ComBackend;

TEST_F(ComArguments, EachValueArrivesAsTheVariantCOMExpects) {
  struct Case {
    const char* name;
    xb::Value in;
    VARTYPE vt;
    LONG i4;
    double r8;
    VARIANT_BOOL boolean;
    std::wstring text;
  };
  const double int_max = std::numeric_limits<int32_t>::max();
  const double int_min = std::numeric_limits<int32_t>::min();
  const Case cases[] = {
      {"text", xb::Value::Text("Excel-Test"), VT_BSTR, 0, 0, 0, L"Excel-Test"},
      {"empty text", xb::Value::Text(""), VT_BSTR, 0, 0, 0, L""},
      {"memo", xb::Value::Memo("line 1\r\nline 2"), VT_BSTR, 0, 0, 0, L"line 1\r\nline 2"},
      {"whole number", xb::Value::Number(42, 0), VT_I4, 42, 0, 0, L""},
      {"whole number with decimals", xb::Value::Number(3, 2), VT_I4, 3, 0, 0, L""},
      {"negative constant", xb::Value::Number(-4105, 0), VT_I4, -4105, 0, 0, L""},
      {"largest 32-bit", xb::Value::Number(int_max, 0), VT_I4, 2147483647, 0, 0, L""},
      {"smallest 32-bit", xb::Value::Number(int_min, 0), VT_I4, -2147483647 - 1, 0, 0, L""},
      {"just past 32 bits", xb::Value::Number(int_max + 1, 0), VT_R8, 0, 2147483648.0, 0, L""},
      {"just below 32 bits", xb::Value::Number(int_min - 1, 0), VT_R8, 0, -2147483649.0, 0, L""},
      {"big number", xb::Value::Number(4294967296.0, 0), VT_R8, 0, 4294967296.0, 0, L""},
      {"fraction", xb::Value::Number(2.5, 1), VT_R8, 0, 2.5, 0, L""},
      {"negative fraction", xb::Value::Number(-0.125, 3), VT_R8, 0, -0.125, 0, L""},
      {"true", xb::Value::Logical(true), VT_BOOL, 0, 0, VARIANT_TRUE, L""},
      {"false", xb::Value::Logical(false), VT_BOOL, 0, 0, VARIANT_FALSE, L""},
      {"date", xb::Value::FromDate(xb::Date::FromYmd(2000, 1, 1)), VT_DATE, 0, 36526, 0, L""},
      {"empty date", xb::Value::FromDate(xb::Date{}), VT_EMPTY, 0, 0, 0, L""},
      {"nil", xb::Value(), VT_EMPTY, 0, 0, 0, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDispatch range;
    range.AddMember(L"Value", kValue);
    range.Answer(kValue, kPut, Returns());
    {
      OleAuto o(Wrap(range), "Excel.Application:Range");
      o.Set("Value", c.in);
    }
    ASSERT_EQ(range.calls().size(), 1u);
    ASSERT_EQ(range.calls()[0].args.size(), 1u);
    const ReceivedArg& got = range.calls()[0].args[0];
    EXPECT_EQ(got.vt, c.vt);
    EXPECT_EQ(got.i4, c.i4);
    EXPECT_EQ(got.r8, c.r8);
    EXPECT_EQ(got.boolean, c.boolean);
    EXPECT_EQ(got.text, c.text);
  }
  EXPECT_TRUE(trap_.errors.empty());
}

TEST_F(ComArguments, TextIsConvertedFromTheAnsiCodePage) {
  const std::wstring wide = L"\u00C4rger f\u00FCr Caf\u00E9";
  const std::optional<std::string> ansi = Ansi(wide);
  if (!ansi) GTEST_SKIP() << "code page " << GetACP() << " cannot hold the sample text";
  ASSERT_EQ(ansi->size(), wide.size()) << "a single-byte code page is expected";
  RecordingDispatch range;
  range.AddMember(L"Value", kValue);
  range.Answer(kValue, kPut, Returns());
  {
    OleAuto o(Wrap(range), "Excel.Application:Range");
    o.Set("Value", *ansi);
  }
  ASSERT_EQ(range.calls().size(), 1u);
  ASSERT_EQ(range.calls()[0].args.size(), 1u);
  EXPECT_EQ(range.calls()[0].args[0].vt, VT_BSTR);
  EXPECT_EQ(range.calls()[0].args[0].text, wide);
}

TEST_F(ComArguments, ArgumentsGoLastFirst) {
  RecordingDispatch sheet;
  sheet.AddMember(L"Cells", kCells);
  sheet.Answer(kCells, kMethod, Returns());
  {
    OleAuto o(Wrap(sheet), "Excel.Application:ActiveSheet");
    o.Invoke("Cells", 4, 1);
    o.Invoke("Cells", "A1", 2.5, true);
  }
  ASSERT_EQ(sheet.calls().size(), 2u);
  const std::vector<ReceivedArg>& two = sheet.calls()[0].args;
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].vt, VT_I4);
  EXPECT_EQ(two[0].i4, 1);  // the column, given last
  EXPECT_EQ(two[1].i4, 4);  // the row
  const std::vector<ReceivedArg>& three = sheet.calls()[1].args;
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[0].vt, VT_BOOL);
  EXPECT_EQ(three[0].boolean, VARIANT_TRUE);
  EXPECT_EQ(three[1].vt, VT_R8);
  EXPECT_EQ(three[1].r8, 2.5);
  EXPECT_EQ(three[2].vt, VT_BSTR);
  EXPECT_EQ(three[2].text, L"A1");
  EXPECT_TRUE(trap_.errors.empty());
}

TEST_F(ComArguments, AnObjectOfTheBackendGoesAsItsOwnPointer) {
  RecordingDispatch app;
  RecordingDispatch sheet;
  app.AddMember(L"ActiveSheet", kValue);
  app.AddMember(L"Add", kAdd);
  app.Answer(kValue, kGet, ReturnsObject(&sheet));
  app.Answer(kAdd, kMethod, Returns());
  RecordingDispatch other;
  {
    OleAuto o(Wrap(app), "Excel.Application");
    OleAuto given(Wrap(other), "Other");
    o.Invoke("Add", given);
    OleAuto active = o.Obj("ActiveSheet");  // an object that came back as a result
    o.Invoke("Add", active, 2);
  }
  std::vector<const ReceivedCall*> adds;
  for (const ReceivedCall& call : app.calls()) {
    if (call.id == kAdd) adds.push_back(&call);
  }
  ASSERT_EQ(adds.size(), 2u);
  ASSERT_EQ(adds[0]->args.size(), 1u);
  EXPECT_EQ(adds[0]->args[0].vt, VT_DISPATCH);
  EXPECT_EQ(adds[0]->args[0].object, static_cast<IDispatch*>(&other));
  ASSERT_EQ(adds[1]->args.size(), 2u);
  EXPECT_EQ(adds[1]->args[1].vt, VT_DISPATCH);
  EXPECT_EQ(adds[1]->args[1].object, static_cast<IDispatch*>(&sheet));
  EXPECT_TRUE(trap_.errors.empty());
  ExpectAllReleased(app, "application");
  ExpectAllReleased(sheet, "sheet passed back");
  ExpectAllReleased(other, "object passed");
}

using ComResults = ComBackend;

TEST_F(ComResults, VariantsComeBackAsValues) {
  struct Case {
    const char* name;
    Reply reply;
    xb::Value::Type type;
    std::string text;
    double number;
    int decimals;
    bool logical;
  };
  const Case cases[] = {
      {"text", ReturnsText(L"Sheet1"), xb::Value::Type::kText, "Sheet1", 0, 0, false},
      {"empty text", ReturnsText(L""), xb::Value::Type::kText, "", 0, 0, false},
      {"32-bit integer", Returns(VT_I4, -4105), xb::Value::Type::kNumber, "", -4105, 0, false},
      {"16-bit integer", Returns(VT_I2, 3), xb::Value::Type::kNumber, "", 3, 0, false},
      {"double", Returns(VT_R8, 0, 12.75), xb::Value::Type::kNumber, "", 12.75, 2, false},
      {"true", Returns(VT_BOOL, 0, 0, true), xb::Value::Type::kLogical, "", 0, 0, true},
      {"false", Returns(VT_BOOL, 0, 0, false), xb::Value::Type::kLogical, "", 0, 0, false},
      {"nothing", Returns(), xb::Value::Type::kNil, "", 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDispatch sheet;
    sheet.AddMember(L"Name", kValue);
    sheet.Answer(kValue, kGet, c.reply);
    xb::Value v;
    {
      OleAuto o(Wrap(sheet), "Excel.Application:ActiveSheet");
      v = o.Invoke("Name");
    }
    ASSERT_EQ(v.type(), c.type);
    if (c.type == xb::Value::Type::kText) {
      EXPECT_EQ(v.text(), c.text);
    }
    if (c.type == xb::Value::Type::kNumber) {
      EXPECT_EQ(v.number(), c.number);
      EXPECT_EQ(v.decimals(), c.decimals);
    }
    if (c.type == xb::Value::Type::kLogical) {
      EXPECT_EQ(v.logical(), c.logical);
    }
  }
  EXPECT_TRUE(trap_.errors.empty());
}

TEST_F(ComResults, DatesComeBackAsTheirDay) {
  struct Case {
    const char* name;
    double days;
    int year, month, day;
  };
  // The whole part counts days from 1899-12-30 either way; the fraction is the time of
  // day, also before that day (-1.25 is 1899-12-29 06:00).
  const Case cases[] = {
      {"origin", 0, 1899, 12, 30},
      {"noon", 36526.5, 2000, 1, 1},
      {"late evening", 45000.99, 2023, 3, 15},
      {"before the origin, with a time", -1.25, 1899, 12, 29},
      {"before the origin, whole day", -2, 1899, 12, 28},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDispatch cell;
    cell.AddMember(L"Value", kValue);
    cell.Answer(kValue, kGet, Returns(VT_DATE, 0, c.days));
    OleAuto o(Wrap(cell), "Excel.Application:Cells");
    const xb::Value v = o.Invoke("Value");
    ASSERT_EQ(v.type(), xb::Value::Type::kDate);
    EXPECT_EQ(v.date(), xb::Date::FromYmd(c.year, c.month, c.day));
  }
  EXPECT_TRUE(trap_.errors.empty());
}

TEST_F(ComResults, TextComesBackInTheAnsiCodePage) {
  const std::wstring wide = L"Gr\u00F6\u00DFe \u00E9t\u00E9";
  const std::optional<std::string> ansi = Ansi(wide);
  if (!ansi) GTEST_SKIP() << "code page " << GetACP() << " cannot hold the sample text";
  ASSERT_EQ(ansi->size(), wide.size()) << "a single-byte code page is expected";
  RecordingDispatch sheet;
  sheet.AddMember(L"Name", kValue);
  sheet.Answer(kValue, kGet, ReturnsText(wide));
  OleAuto o(Wrap(sheet), "Excel.Application:ActiveSheet");
  EXPECT_EQ(o.Invoke("Name").text(), *ansi);
  EXPECT_EQ(*ansi,
            "Gr\xF6\xDF"
            "e \xE9t\xE9")
      << "code page " << GetACP();
}

TEST_F(ComResults, AnObjectResultIsANewHandleNamedAfterTheMember) {
  RecordingDispatch app;
  RecordingDispatch books;
  RecordingDispatch book;
  app.AddMember(L"Workbooks", kWorkbooks);
  app.Answer(kWorkbooks, kGet, ReturnsObject(&books));
  books.AddMember(L"Add", kAdd);
  books.Answer(kAdd, kMethod, ReturnsObject(&book));
  book.AddMember(L"Count", kCount);
  book.Answer(kCount, kGet, Returns(VT_I4, 3));
  {
    OleAuto o(Wrap(app), "Excel.Application");
    OleAuto workbooks = o.Obj("Workbooks");
    ASSERT_TRUE(workbooks.valid());
    EXPECT_EQ(workbooks.name(), "Excel.Application:Workbooks");
    auto* com = dynamic_cast<ComObject*>(workbooks.server().get());
    ASSERT_NE(com, nullptr);
    EXPECT_EQ(com->dispatch(), static_cast<IDispatch*>(&books));
    EXPECT_EQ(books.refs(), 2);  // the handle holds one reference of its own

    OleAuto added = workbooks.Obj("Add");
    EXPECT_EQ(added.name(), "Excel.Application:Workbooks:Add");
    EXPECT_EQ(added.Invoke("Count").number(), 3);
    ASSERT_EQ(book.calls().size(), 2u);  // method, then the property read
    EXPECT_EQ(book.calls()[1].flags, kGet);
  }
  EXPECT_TRUE(trap_.errors.empty());
  ExpectAllReleased(app, "application");
  ExpectAllReleased(books, "workbooks");
  ExpectAllReleased(book, "workbook");
}

using ComFailures = ComBackend;

TEST_F(ComFailures, EveryFailureFillsTheErrorAsDescribed) {
  struct Case {
    const char* name;
    bool member_known;
    Reply reply;
    bool write;
    double sub_code;
    std::string description;
    std::string operation;
  };
  Reply deferred = Throws(L"", static_cast<SCODE>(0x800A0400));
  deferred.deferred = true;
  const Case cases[] = {
      {"exception with the server's code", true,
       Throws(L"Cannot access the file.", static_cast<SCODE>(0x800A03EC)), false, 0x03EC,
       "Cannot access the file.", "SAVEAS"},
      {"exception with a word code", true, Throws(L"Too many rows", 0, 1004), false, 1004,
       "Too many rows", "SAVEAS"},
      {"exception without text or code", true, Throws(L"", 0), false, 9, "DISP_E_EXCEPTION",
       "SAVEAS"},
      {"exception filled in on request", true, deferred, false, 0x0400, "Filled in on request",
       "SAVEAS"},
      {"exception in a put", true, Throws(L"Read-only", static_cast<SCODE>(0x800A03EC)), true,
       0x03EC, "Read-only", "_SAVEAS"},
      {"type mismatch", true, Fails(DISP_E_TYPEMISMATCH), false, 5, "DISP_E_TYPEMISMATCH",
       "SAVEAS"},
      {"plain failure", true, Fails(E_FAIL), false, 0x4005, "E_FAIL", "SAVEAS"},
      {"status without a name", true, Fails(static_cast<HRESULT>(0x80991234)), false, 0x1234,
       "Unknown error", "SAVEAS"},
      {"unknown name", false, Returns(), false, 6, "DISP_E_UNKNOWNNAME", "SAVEAS"},
      {"unknown name in a put", false, Returns(), true, 6, "DISP_E_UNKNOWNNAME", "_SAVEAS"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ErrorTrap trap;
    trap.substitute = xb::Value::Text("instead");
    RecordingDispatch book;
    if (c.member_known) book.AddMember(L"SaveAs", kAdd);
    for (WORD kind : {kMethod, kGet, kPut}) book.Answer(kAdd, kind, c.reply);
    {
      OleAuto o(Wrap(book), "Excel.Application:Workbooks:Add");
      if (c.write) {
        o.Set("SaveAs", "C:\\out\\Matrix.xls");
      } else {
        EXPECT_EQ(o.Invoke("SaveAs", "C:\\out\\Matrix.xls", 2).text(), "instead");
      }
    }
    ASSERT_EQ(trap.errors.size(), 1u);
    const xb::Error& e = trap.errors[0];
    EXPECT_EQ(e.gen_code, 1001);
    EXPECT_EQ(e.sub_code.number(), c.sub_code);
    EXPECT_EQ(e.sub_system.text(), "Excel.Application:Workbooks:Add");
    EXPECT_EQ(e.description.text(), c.description);
    EXPECT_EQ(e.operation, c.operation);
    ASSERT_EQ(e.args.type(), xb::Value::Type::kArray);
    ASSERT_EQ(e.args.array().size(), c.write ? 1u : 2u);
    EXPECT_EQ(e.args.array()[0].text(), "C:\\out\\Matrix.xls");
    if (!c.write) {
      EXPECT_EQ(e.args.array()[1].number(), 2);
    }
    EXPECT_TRUE(e.can_substitute);
    EXPECT_FALSE(e.can_retry);
    EXPECT_FALSE(e.can_default);
    if (!c.member_known) {
      // Without a DISPID the member itself is never invoked.
      for (const ReceivedCall& call : book.calls()) EXPECT_EQ(call.id, DISPID_VALUE);
      EXPECT_EQ(book.names_asked().at(0), L"SaveAs");
    }
    ExpectAllReleased(book, c.name);
  }
}

TEST_F(ComFailures, TheServersTextComesBackInTheAnsiCodePage) {
  const std::wstring wide = L"Datei \u00FCberschrieben";
  const std::optional<std::string> ansi = Ansi(wide);
  if (!ansi) GTEST_SKIP() << "code page " << GetACP() << " cannot hold the sample text";
  RecordingDispatch book;
  book.AddMember(L"SaveAs", kAdd);
  book.Answer(kAdd, kMethod, Throws(wide, static_cast<SCODE>(0x800A03EC)));
  OleAuto o(Wrap(book), "Excel.Application:Workbooks:Add");
  o.Invoke("SaveAs", "x.xls");
  ASSERT_EQ(trap_.errors.size(), 1u);
  EXPECT_EQ(trap_.errors[0].description.text(), *ansi);
}

TEST_F(ComFailures, TheDefaultValueIsTriedOnceWhenItIsAnObject) {
  RecordingDispatch sheets;
  RecordingDispatch inner;
  sheets.Answer(DISPID_VALUE, kGet, ReturnsObject(&inner));
  inner.AddMember(L"Count", kCount);
  inner.Answer(kCount, kGet, Returns(VT_I4, 3));
  inner.Answer(kCount, kPut, Returns());
  {
    OleAuto o(Wrap(sheets), "Excel.Application:Sheets");
    EXPECT_EQ(o.Invoke("Count").number(), 3);
    EXPECT_TRUE(trap_.errors.empty());
    ASSERT_EQ(sheets.calls().size(), 1u);  // only the default value was asked for
    EXPECT_EQ(sheets.calls()[0].id, DISPID_VALUE);
    EXPECT_EQ(sheets.calls()[0].flags, kGet);
    EXPECT_EQ(inner.flags_seen(), (std::vector<WORD>{kMethod, kGet}));

    inner.ClearLog();
    o.Set("Count", 4);
    EXPECT_TRUE(trap_.errors.empty());
    ASSERT_EQ(inner.calls().size(), 1u);
    EXPECT_EQ(inner.calls()[0].flags, kPut);
    EXPECT_EQ(inner.calls()[0].named, std::vector<DISPID>{DISPID_PROPERTYPUT});

    // Neither knows the member: one error, about the outer object, after one retry.
    inner.ClearLog();
    sheets.ClearLog();
    o.Invoke("Nothing");
    ASSERT_EQ(trap_.errors.size(), 1u);
    EXPECT_EQ(trap_.errors[0].sub_system.text(), "Excel.Application:Sheets");
    EXPECT_EQ(trap_.errors[0].operation, "NOTHING");
    EXPECT_EQ(trap_.errors[0].description.text(), "DISP_E_UNKNOWNNAME");
    EXPECT_EQ(sheets.calls().size(), 1u);
    EXPECT_EQ(inner.names_asked(), std::vector<std::wstring>{L"Nothing"});
  }
  ExpectAllReleased(sheets, "outer object");
  ExpectAllReleased(inner, "default value");
}

TEST_F(ComFailures, ADefaultValueThatIsNoObjectIsNotTried) {
  RecordingDispatch range;
  range.Answer(DISPID_VALUE, kGet, Returns(VT_I4, 17));
  {
    OleAuto o(Wrap(range), "Excel.Application:Range");
    o.Invoke("Nothing");
  }
  ASSERT_EQ(trap_.errors.size(), 1u);
  EXPECT_EQ(trap_.errors[0].description.text(), "DISP_E_UNKNOWNNAME");
  ASSERT_EQ(range.calls().size(), 1u);
  EXPECT_EQ(range.calls()[0].id, DISPID_VALUE);
  ExpectAllReleased(range, "range");
}

// A class object that hands out the recording object, for creation through COM.
class RecorderFactory final : public IClassFactory {
 public:
  explicit RecorderFactory(RecordingDispatch& product) : product_(product) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    return product_.QueryInterface(riid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
  LONG refs() const { return refs_; }

 private:
  RecordingDispatch& product_;
  LONG refs_ = 1;
};

using ComCreation = ComBackend;

TEST_F(ComCreation, AnUnknownProgIdRaisesWithTheSymbolicName) {
  OleAuto o = OleAuto::New("XbTests.NoSuchClass");
  EXPECT_FALSE(o.valid());
  EXPECT_EQ(BackendFor("XbTests.NoSuchClass"), "");
  ASSERT_EQ(trap_.errors.size(), 1u);
  const xb::Error& e = trap_.errors[0];
  EXPECT_EQ(e.gen_code, 1001);
  EXPECT_EQ(e.sub_code.number(), -1);
  EXPECT_EQ(e.sub_system.text(), "TOleAuto");
  EXPECT_EQ(e.description.text(), "CO_E_CLASSSTRING");
  ASSERT_EQ(e.args.array().size(), 1u);
  EXPECT_EQ(e.args.array()[0].text(), "XbTests.NoSuchClass");
  EXPECT_TRUE(e.can_substitute);
  EXPECT_FALSE(e.can_retry || e.can_default);
}

TEST_F(ComCreation, ARegisteredClassIsCreatedThroughCom) {
  // {5B0C8E1A-6F4D-4C2B-9E3A-7D1F2A4B6C81}, a class of these tests only.
  const CLSID clsid = {
      0x5b0c8e1a, 0x6f4d, 0x4c2b, {0x9e, 0x3a, 0x7d, 0x1f, 0x2a, 0x4b, 0x6c, 0x81}};
  const wchar_t kKey[] = L"XbTests.Recorder";
  RecordingDispatch app;
  app.AddMember(L"Visible", kValue);
  app.Answer(kValue, kPut, Returns());
  RecorderFactory factory(app);
  DWORD cookie = 0;
  ASSERT_EQ(
      CoRegisterClassObject(clsid, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
      S_OK);
  wchar_t clsid_text[64] = {};
  ASSERT_GT(StringFromGUID2(clsid, clsid_text, 64), 0);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (std::wstring(kKey) + L"\\CLSID").c_str(), 0,
                            nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid_text),
                 static_cast<DWORD>((lstrlenW(clsid_text) + 1) * sizeof(wchar_t)));
  RegCloseKey(key);

  EXPECT_EQ(BackendFor("XbTests.Recorder"), "COM");
  {
    OleAuto o = OleAuto::New("XbTests.Recorder");
    ASSERT_TRUE(o.valid());
    EXPECT_EQ(o.name(), "XbTests.Recorder");
    o.Set("Visible", true);
    ASSERT_EQ(app.calls().size(), 1u);
    EXPECT_EQ(app.calls()[0].flags, kPut);
  }
  EXPECT_TRUE(trap_.errors.empty());
  CoRevokeClassObject(cookie);
  RegDeleteTreeW(HKEY_CLASSES_ROOT, kKey);
  ExpectAllReleased(app, "created object");
  EXPECT_EQ(factory.refs(), 1);
}

using ComHandles = ComBackend;

TEST_F(ComHandles, CopiesAndResultsGiveBackEveryReference) {
  RecordingDispatch app;
  RecordingDispatch sheet;
  app.AddMember(L"ActiveSheet", kValue);
  app.AddMember(L"Add", kAdd);
  app.Answer(kValue, kGet, ReturnsObject(&sheet));
  app.Answer(kAdd, kMethod, Throws(L"refused", 0));
  {
    std::shared_ptr<ComObject> com = Wrap(app);
    std::shared_ptr<ComObject> com_copy = com;
    OleAuto o(com, "Excel.Application");
    OleAuto o_copy = o;
    OleAuto o_moved = std::move(o_copy);
    EXPECT_EQ(app.refs(), 2);  // one handle, however often it is copied

    xb::Value as_value = o.Invoke("ActiveSheet");  // an object result held as a value
    OleAuto as_handle = o.Obj("ActiveSheet");
    ASSERT_TRUE(as_value.IsObject());
    EXPECT_EQ(sheet.refs(), 3);
    xb::Value copy_of_value = as_value;
    as_value = xb::Value();
    o.Invoke("Add", as_handle, copy_of_value);  // fails, with objects among its arguments
    o.Obj("ActiveSheet");                       // a result dropped at once
  }
  // The error keeps its arguments, the two sheet handles, until it goes.
  ASSERT_EQ(trap_.errors.size(), 1u);
  EXPECT_EQ(sheet.refs(), 3);
  trap_.errors.clear();
  ExpectAllReleased(app, "application");
  ExpectAllReleased(sheet, "sheet");
}

}  // namespace
}  // namespace automation
