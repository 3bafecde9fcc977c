// OleAuto over a stub server: the order in which a member use tries the call kinds,
// the arguments the server receives, the error object of every failure, substitution,
// the retry on the default value, and handle lifetimes.
#include "automation/ole_auto.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automation/server.h"
#include "automation/status_names.h"
#include "runtime/error.h"

namespace automation {
namespace {

const char* KindName(wb::CallKind k) {
  switch (k) {
    case wb::CallKind::kMethod:
      return "method";
    case wb::CallKind::kGet:
      return "get";
    case wb::CallKind::kPut:
      return "put";
  }
  return "?";
}

// A server whose members answer by (lower-case name, kind); others give kMemberNotFound
// for a known name and kUnknownName for an unknown one. Every call is logged.
class StubServer : public wb::Dispatchable {
 public:
  struct Key {
    std::string member;
    wb::CallKind kind;
    bool operator<(const Key& o) const {
      return member != o.member ? member < o.member : kind < o.kind;
    }
  };
  std::map<Key, wb::CallResult> answers;
  std::vector<std::string> log;
  std::vector<std::vector<xb::Value>> args_seen;
  xb::Value default_value;

  void Answer(const std::string& member, wb::CallKind kind, wb::CallResult r) {
    answers[{member, kind}] = std::move(r);
  }
  wb::CallResult Invoke(std::string_view member, wb::CallKind kind,
                        const std::vector<xb::Value>& args) override {
    std::string lower(member);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    log.push_back(std::string(member) + ":" + KindName(kind));
    args_seen.push_back(args);
    auto it = answers.find({lower, kind});
    if (it != answers.end()) return it->second;
    bool known = false;
    for (const auto& [key, r] : answers) known = known || key.member == lower;
    wb::CallResult r;
    r.status = known ? wb::kMemberNotFound : wb::kUnknownName;
    return r;
  }
  xb::Value DefaultValue() override { return default_value; }
  std::string ClassName() const override { return "STUB"; }
};

wb::CallResult Ok(xb::Value v = {}) {
  wb::CallResult r;
  r.value = std::move(v);
  return r;
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
};

struct FactoryScope {
  ServerFactory previous;
  explicit FactoryScope(ServerFactory f) : previous(SetServerFactory(std::move(f))) {}
  ~FactoryScope() { SetServerFactory(previous); }
};

TEST(OleAutoMemberUse, KindsAreTriedInOrderUntilOneIsSupported) {
  struct Case {
    const char* name;
    std::vector<wb::CallKind> supported;
    int arg_count;
    std::vector<std::string> expected_log;
    bool fails;
  };
  const Case cases[] = {
      {"method answers", {wb::CallKind::kMethod}, 0, {"Add:method"}, false},
      {"get after method", {wb::CallKind::kGet}, 0, {"Add:method", "Add:get"}, false},
      {"put only with arguments",
       {wb::CallKind::kPut},
       1,
       {"Add:method", "Add:get", "Add:put"},
       false},
      {"no put without arguments", {wb::CallKind::kPut}, 0, {"Add:method", "Add:get"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ErrorTrap trap;
    auto stub = std::make_shared<StubServer>();
    for (wb::CallKind k : c.supported) stub->Answer("add", k, Ok(xb::Value::Number(7, 0)));
    OleAuto o(stub, "Excel.Application");
    xb::Value v = c.arg_count ? o.Invoke("Add", 1) : o.Invoke("Add");
    EXPECT_EQ(stub->log, c.expected_log);
    EXPECT_EQ(trap.errors.size(), c.fails ? 1u : 0u);
    if (!c.fails) {
      EXPECT_EQ(v.number(), 7);
    }
  }
}

TEST(OleAutoMemberUse, AFailureInsideAMemberIsNotRepeatedAsAnotherKind) {
  ErrorTrap trap;
  auto stub = std::make_shared<StubServer>();
  wb::CallResult failed;
  failed.status = wb::kException;
  failed.description = "Cannot access the file.";
  failed.scode = 0x800A03EC;
  stub->Answer("saveas", wb::CallKind::kMethod, failed);
  stub->Answer("saveas", wb::CallKind::kGet, Ok());
  OleAuto book(stub, "Excel.Application:Add");
  book.Invoke("SaveAs", "C:\\x\\Matrix.xls");
  EXPECT_EQ(stub->log, (std::vector<std::string>{"SaveAs:method"}));
  ASSERT_EQ(trap.errors.size(), 1u);
  const xb::Error& e = trap.errors[0];
  EXPECT_EQ(e.gen_code, 1001);
  EXPECT_EQ(e.sub_code.number(), 0x03EC);  // the server's own code, low 16 bits
  EXPECT_EQ(e.sub_system.text(), "Excel.Application:Add");
  EXPECT_EQ(e.description.text(), "Cannot access the file.");
  EXPECT_EQ(e.operation, "SAVEAS");
  ASSERT_EQ(e.args.array().size(), 1u);
  EXPECT_EQ(e.args.array()[0].text(), "C:\\x\\Matrix.xls");
  EXPECT_FALSE(e.can_retry);
  EXPECT_FALSE(e.can_default);
  EXPECT_TRUE(e.can_substitute);
}

TEST(OleAutoMemberUse, ArgumentsReachTheServerNormalised) {
  struct Case {
    const char* name;
    xb::Value in;
    xb::Value::Type type;
    int decimals;
  };
  const Case cases[] = {
      {"text", xb::Value::Text("Excel-Test"), xb::Value::Type::kText, 0},
      {"whole number with decimals", xb::Value::Number(3, 2), xb::Value::Type::kNumber, 0},
      {"negative whole number", xb::Value::Number(-4105, 0), xb::Value::Type::kNumber, 0},
      {"fraction", xb::Value::Number(2.5, 1), xb::Value::Type::kNumber, 1},
      {"beyond 32 bits", xb::Value::Number(4294967296.0, 0), xb::Value::Type::kNumber, 1},
      {"logical", xb::Value::Logical(true), xb::Value::Type::kLogical, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ErrorTrap trap;
    auto stub = std::make_shared<StubServer>();
    stub->Answer("value", wb::CallKind::kPut, Ok());
    OleAuto o(stub, "x");
    o.Set("Value", c.in);
    ASSERT_EQ(stub->args_seen.size(), 1u);
    ASSERT_EQ(stub->args_seen[0].size(), 1u);
    const xb::Value& got = stub->args_seen[0][0];
    EXPECT_EQ(got.type(), c.type);
    EXPECT_EQ(got.decimals(), c.decimals);
    if (c.in.IsNumber()) {
      EXPECT_EQ(got.number(), c.in.number());
    }
    EXPECT_TRUE(trap.errors.empty());
  }
}

TEST(OleAutoFailures, EveryFailureFillsTheErrorAsDescribed) {
  struct Case {
    const char* name;
    bool write;
    uint32_t status;
    std::string description;
    uint32_t scode;
    double sub_code;
    std::string expected_description;
    std::string operation;
  };
  const Case cases[] = {
      {"unknown name", false, wb::kUnknownName, "", 0, 6, "DISP_E_UNKNOWNNAME", "FOOBAR"},
      {"unknown name written", true, wb::kUnknownName, "", 0, 6, "DISP_E_UNKNOWNNAME", "_FOOBAR"},
      {"type mismatch", false, wb::kTypeMismatch, "", 0, 5, "DISP_E_TYPEMISMATCH", "FOOBAR"},
      {"exception text", false, wb::kException, "Too many rows", 0, 9, "Too many rows", "FOOBAR"},
      {"exception without text", false, wb::kException, "", 0, 9, "DISP_E_EXCEPTION", "FOOBAR"},
      {"exception with own code", true, wb::kException, "Bad", 0x800A03EC, 1004, "Bad", "_FOOBAR"},
      {"status without a name", false, 0x80991234, "", 0, 0x1234, "Unknown error", "FOOBAR"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ErrorTrap trap;
    trap.substitute = xb::Value::Text("instead");
    auto stub = std::make_shared<StubServer>();
    wb::CallResult r;
    r.status = c.status;
    r.description = c.description;
    r.scode = c.scode;
    for (auto k : {wb::CallKind::kMethod, wb::CallKind::kGet, wb::CallKind::kPut}) {
      stub->Answer("foobar", k, r);
    }
    OleAuto o(stub, "Excel.Application:ActiveSheet");
    xb::Value result;
    if (c.write) {
      o.Set("FooBar", 1);
    } else {
      result = o.Invoke("FooBar", 1);
      EXPECT_EQ(result.text(), "instead");  // the substitute is the result
    }
    ASSERT_EQ(trap.errors.size(), 1u);
    const xb::Error& e = trap.errors[0];
    EXPECT_EQ(e.gen_code, 1001);
    EXPECT_EQ(e.sub_code.number(), c.sub_code);
    EXPECT_EQ(e.sub_system.text(), "Excel.Application:ActiveSheet");
    EXPECT_EQ(e.description.text(), c.expected_description);
    EXPECT_EQ(e.operation, c.operation);
    EXPECT_TRUE(e.can_substitute);
    EXPECT_FALSE(e.can_retry || e.can_default);
  }
}

TEST(OleAutoFailures, DefaultValueObjectIsTriedOnceBeforeRaising) {
  ErrorTrap trap;
  auto inner = std::make_shared<StubServer>();
  inner->Answer("count", wb::CallKind::kGet, Ok(xb::Value::Number(3, 0)));
  auto outer = std::make_shared<StubServer>();
  outer->default_value = xb::Value::FromObject(inner);
  OleAuto o(outer, "Excel.Application:Sheets");
  EXPECT_EQ(o.Invoke("Count").number(), 3);
  EXPECT_TRUE(trap.errors.empty());
  EXPECT_EQ(inner->log, (std::vector<std::string>{"Count:method", "Count:get"}));

  // Neither answers: one error, about the outer object.
  o.Invoke("Nothing");
  ASSERT_EQ(trap.errors.size(), 1u);
  EXPECT_EQ(trap.errors[0].sub_system.text(), "Excel.Application:Sheets");
  EXPECT_EQ(trap.errors[0].operation, "NOTHING");
  EXPECT_EQ(inner->log.back(), "Nothing:method");

  // A default value that is no object is not tried.
  auto plain = std::make_shared<StubServer>();
  plain->default_value = xb::Value::Number(1, 0);
  OleAuto p(plain, "p");
  p.Invoke("Nothing");
  EXPECT_EQ(trap.errors.size(), 2u);
}

TEST(OleAutoObjects, ChildNamesAndHandleLifetimes) {
  ErrorTrap trap;
  auto root = std::make_shared<StubServer>();
  auto books = std::make_shared<StubServer>();
  root->Answer("workbooks", wb::CallKind::kGet, Ok(xb::Value::FromObject(books)));
  std::weak_ptr<StubServer> watch = books;
  {
    OleAuto app(root, "Excel.Application");
    OleAuto child = app.Obj("Workbooks");
    EXPECT_EQ(child.name(), "Excel.Application:Workbooks");
    EXPECT_TRUE(child.valid());
    root->answers.clear();  // the server lets go of its own reference
    books.reset();
    EXPECT_FALSE(watch.expired());  // the handle keeps it
  }
  EXPECT_TRUE(watch.expired());  // released when dropped

  // A result that is not an object gives an empty handle whose use raises.
  auto stub = std::make_shared<StubServer>();
  stub->Answer("name", wb::CallKind::kGet, Ok(xb::Value::Text("Sheet1")));
  OleAuto s(stub, "S");
  OleAuto none = s.Obj("Name");
  EXPECT_FALSE(none.valid());
  none.Set("Bold", true);
  ASSERT_EQ(trap.errors.size(), 1u);
  EXPECT_EQ(trap.errors[0].sub_system.text(), "S:Name");
  EXPECT_EQ(trap.errors[0].operation, "_BOLD");
}

TEST(OleAutoCreation, FailedCreationRaisesWithTheSymbolicName) {
  struct Case {
    const char* name;
    uint32_t status;
    std::string description;
  };
  const Case cases[] = {
      {"class string", kClassString, "CO_E_CLASSSTRING"},
      {"not registered", kClassNotReg, "REGDB_E_CLASSNOTREG"},
      {"no name", 0x80001234, "Unknown error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ErrorTrap trap;
    FactoryScope factory([&](const std::string&) { return Created{nullptr, c.status}; });
    OleAuto o = OleAuto::New("Excel.Application");
    EXPECT_FALSE(o.valid());
    ASSERT_EQ(trap.errors.size(), 1u);
    const xb::Error& e = trap.errors[0];
    EXPECT_EQ(e.gen_code, 1001);
    EXPECT_EQ(e.sub_code.number(), -1);
    EXPECT_EQ(e.sub_system.text(), "TOleAuto");
    EXPECT_EQ(e.description.text(), c.description);
    EXPECT_TRUE(e.can_substitute);
    EXPECT_FALSE(e.can_retry || e.can_default);
  }
}

TEST(OleAutoCreation, AnObjectSubstituteServesAsTheApplication) {
  ErrorTrap trap;
  auto stub = std::make_shared<StubServer>();
  stub->Answer("visible", wb::CallKind::kPut, Ok());
  trap.substitute = xb::Value::FromObject(stub);
  FactoryScope factory([](const std::string&) { return Created{nullptr, kClassString}; });
  OleAuto o = OleAuto::New("Excel.Application");
  ASSERT_TRUE(o.valid());
  o.Set("Visible", true);
  EXPECT_EQ(trap.errors.size(), 1u);
  EXPECT_EQ(stub->log, (std::vector<std::string>{"Visible:put"}));
}

TEST(OleAutoCreation, UnknownClassesAreRefusedByTheDefaultFactory) {
  ErrorTrap trap;
  OleAuto o = OleAuto::New("No.Such.Class");
  EXPECT_FALSE(o.valid());
  ASSERT_EQ(trap.errors.size(), 1u);
  EXPECT_EQ(trap.errors[0].description.text(), "CO_E_CLASSSTRING");
  EXPECT_EQ(BackendFor("No.Such.Class"), "");
}

// Every way of using a member hands the server the arguments of that use alone,
// normalised, also when the server uses other objects while it answers (the argument
// lists of nested uses are separate, and none keeps values of an earlier use).
TEST(OleAutoMemberUse, EachUseGetsItsOwnArgumentsAlsoWhenUsesNest) {
  ErrorTrap trap;
  auto inner = std::make_shared<StubServer>();
  auto cell = std::make_shared<StubServer>();
  inner->Answer("cells", wb::CallKind::kMethod, Ok(xb::Value::FromObject(cell)));
  cell->Answer("value", wb::CallKind::kPut, Ok());

  // A server that, while it answers, makes uses of its own through OleAuto and then
  // records the arguments it was given.
  class NestingServer : public wb::Dispatchable {
   public:
    explicit NestingServer(std::shared_ptr<StubServer> s) : inner_(std::move(s)) {}
    std::vector<std::vector<xb::Value>> seen;
    wb::CallResult Invoke(std::string_view, wb::CallKind kind,
                          const std::vector<xb::Value>& args) override {
      const std::vector<xb::Value> before = args;
      OleAuto other(inner_, "inner");
      other.Obj("Cells", 7, 8, 9).Set("Value", xb::Value::Number(5, 3));
      other.Invoke("Cells", xb::Value::Text("nested"));
      EXPECT_EQ(args.size(), before.size());
      for (size_t i = 0; i < args.size() && i < before.size(); ++i)
        EXPECT_EQ(xb::ValueAsText(args[i]), xb::ValueAsText(before[i]));
      seen.push_back(args);
      wb::CallResult r;
      if (kind != wb::CallKind::kPut) r.value = xb::Value::FromObject(inner_);
      return r;
    }
    std::string ClassName() const override { return "NESTING"; }

   private:
    std::shared_ptr<StubServer> inner_;
  };
  auto outer = std::make_shared<NestingServer>(inner);
  OleAuto o(outer, "outer");

  struct Case {
    const char* name;
    std::function<void()> use;
    std::vector<std::string> expected;  // the arguments as text, numbers with decimals
  };
  const Case cases[] = {
      {"Obj with three arguments",
       [&] { o.Obj("A", 1, xb::Value::Number(2, 2), "x"); },
       {"1/0", "2/0", "x/0"}},
      {"Invoke with one argument", [&] { o.Invoke("B", 2.5); }, {"2.5/1"}},
      {"Invoke without arguments", [&] { o.Invoke("C"); }, {}},
      {"Set", [&] { o.Set("D", xb::Value::Number(4294967296.0, 0)); }, {"4294967296.0/1"}},
      {"InvokeArgs",
       [&] {
         o.InvokeArgs("E", {xb::Value::Number(6, 4), xb::Value::Logical(true)});
       },
       {"6/0", ".T./0"}},
      {"ObjArgs", [&] { o.ObjArgs("F", {xb::Value::Text("y")}); }, {"y/0"}},
      {"SetValue", [&] { o.SetValue("G", xb::Value::Number(-3, 1)); }, {"-3/0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    outer->seen.clear();
    inner->args_seen.clear();
    cell->args_seen.clear();
    c.use();
    ASSERT_EQ(outer->seen.size(), 1u);
    std::vector<std::string> got;
    for (const xb::Value& a : outer->seen[0])
      got.push_back(xb::ValueAsText(a) + "/" + std::to_string(a.decimals()));
    EXPECT_EQ(got, c.expected);
    // The nested uses got theirs: Cells(7, 8, 9) and Cells("nested"), Value 5 as a
    // whole number.
    ASSERT_EQ(inner->args_seen.size(), 2u);
    EXPECT_EQ(inner->args_seen[0].size(), 3u);
    ASSERT_EQ(inner->args_seen[1].size(), 1u);
    EXPECT_EQ(inner->args_seen[1][0].text(), "nested");
    ASSERT_EQ(cell->args_seen.size(), 1u);
    ASSERT_EQ(cell->args_seen[0].size(), 1u);
    EXPECT_EQ(cell->args_seen[0][0].decimals(), 0);
  }
  EXPECT_TRUE(trap.errors.empty());
}

// An object result that does not answer member calls gives an empty handle, like any
// other result that is not an object.
TEST(OleAutoObjects, AnObjectThatIsNoServerGivesAnEmptyHandle) {
  struct Plain : xb::Object {
    std::string ClassName() const override { return "PLAIN"; }
  };
  ErrorTrap trap;
  auto stub = std::make_shared<StubServer>();
  stub->Answer("plain", wb::CallKind::kGet, Ok(xb::Value::FromObject(std::make_shared<Plain>())));
  auto other = std::make_shared<StubServer>();
  stub->Answer("server", wb::CallKind::kGet, Ok(xb::Value::FromObject(other)));
  OleAuto o(stub, "S");
  EXPECT_FALSE(o.Obj("Plain").valid());
  const OleAuto server = o.Obj("Server");
  ASSERT_TRUE(server.valid());
  EXPECT_EQ(server.server().get(), other.get());
  EXPECT_TRUE(trap.errors.empty());
}

}  // namespace
}  // namespace automation
