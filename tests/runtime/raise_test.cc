#include "runtime/error.h"

#include <gtest/gtest.h>

#include "quit_trap.h"
#include "runtime/call_chain.h"
#include "runtime/sequence.h"

namespace {

// Installs a handler for one test and puts the old one back.
class HandlerScope {
 public:
  explicit HandlerScope(xb::ErrorHandler h) : old_(xb::SetErrorHandler(std::move(h))) {}
  ~HandlerScope() { xb::SetErrorHandler(old_); }

 private:
  xb::ErrorHandler old_;
};

TEST(GenericCodes, Descriptions) {
  EXPECT_EQ(xb::GenericDescription(0), "Unknown error");
  EXPECT_EQ(xb::GenericDescription(5), "Zero divisor");
  EXPECT_EQ(xb::GenericDescription(21), "Open error");
  EXPECT_EQ(xb::GenericDescription(35), "Workarea not in use");
  EXPECT_EQ(xb::GenericDescription(41), "Lock Failure");
  EXPECT_EQ(xb::GenericDescription(19), "");
  EXPECT_EQ(xb::GenericDescription(1001), "");
}

TEST(Error, NewObjectDefaults) {
  xb::Error e;
  EXPECT_EQ(e.gen_code, 0);
  EXPECT_EQ(e.severity, 2);
  EXPECT_TRUE(e.args.IsNil());
  EXPECT_FALSE(e.can_retry || e.can_default || e.can_substitute);
  EXPECT_EQ(e.tries, 0);
}

TEST(SetErrorHandler, HandsBackTheOneItReplaces) {
  int which = 0;
  xb::ErrorHandler first = [&](xb::Error&) {
    which = 1;
    return xb::Value::Number(0);
  };
  HandlerScope scope(first);
  xb::ErrorHandler previous = xb::SetErrorHandler([&](xb::Error&) {
    which = 2;
    return xb::Value::Number(0);
  });
  xb::Error e;
  previous(e);
  EXPECT_EQ(which, 1);
  xb::CallErrorHandler(e);
  EXPECT_EQ(which, 2);
}

struct AnswerCase {
  const char* name;
  bool can_retry, can_default, can_substitute;
  xb::Value answer;
  bool accepted;
  xb::Resolution resolution;
};

TEST(Raise, ActsOnTheAnswerByTheFlags) {
  const AnswerCase cases[] = {
      {"retry allowed", true, false, false, xb::Value::Logical(true), true, xb::Resolution::kRetry},
      {"retry refused", false, true, false, xb::Value::Logical(true), false, {}},
      {"default allowed", false, true, false, xb::Value::Logical(false), true, xb::Resolution::kDefault},
      {"default refused", true, false, false, xb::Value::Logical(false), false, {}},
      {"number without substitution", true, true, false, xb::Value::Number(0), false, {}},
      {"substitute anything", false, false, true, xb::Value::Text("x"), true, xb::Resolution::kSubstitute},
      {"substitute over retry", true, false, true, xb::Value::Logical(true), true, xb::Resolution::kSubstitute},
      {"nil answer", true, true, false, xb::Value(), false, {}},
  };
  for (const auto& c : cases) {
    QuitAndAlertCatcher catcher;
    HandlerScope scope([&](xb::Error&) { return c.answer; });
    xb::Error e = xb::Error::Generic(21, "DBFCDX", 1001);
    e.can_retry = c.can_retry;
    e.can_default = c.can_default;
    e.can_substitute = c.can_substitute;
    if (c.accepted) {
      xb::Answer a = xb::Raise(e);
      EXPECT_EQ(a.resolution, c.resolution) << c.name;
      EXPECT_EQ(e.tries, c.resolution == xb::Resolution::kRetry ? 1 : 0) << c.name;
    } else {
      try {
        xb::Raise(e);
        ADD_FAILURE() << c.name << ": an unacceptable answer was accepted";
      } catch (const QuitTrap& q) {
        EXPECT_EQ(q.exit_code, 1) << c.name;
        ASSERT_EQ(catcher.alerts.size(), 1u) << c.name;
        EXPECT_NE(catcher.alerts[0].find("9001"), std::string::npos);
        EXPECT_NE(catcher.alerts[0].find("Error recovery failure"), std::string::npos);
      }
    }
  }
}

TEST(Raise, RetriesAreCountedWhileTheAnswerIsTrue) {
  int calls = 0;
  HandlerScope scope([&](xb::Error& e) {
    ++calls;
    EXPECT_EQ(e.tries, calls - 1);
    return xb::Value::Logical(e.tries < 3);
  });
  xb::Error e = xb::Error::Generic(21, "DBFCDX", 1001);
  e.can_retry = e.can_default = true;
  int attempts = 0;
  for (;;) {
    ++attempts;  // the operation, failing every time
    if (xb::Raise(e).resolution != xb::Resolution::kRetry) break;
  }
  EXPECT_EQ(attempts, 4);
  EXPECT_EQ(e.tries, 3);
}

TEST(Divide, ZeroDivisorGoesThroughTheHandlerAndTakesItsAnswer) {
  xb::Error seen;
  HandlerScope scope([&](xb::Error& e) {
    seen = e;
    return xb::Value::Number(0);
  });
  EXPECT_EQ(xb::Divide(xb::Value::Number(7), xb::Value::Number(0)).number(), 0);
  EXPECT_EQ(seen.gen_code, 5);
  EXPECT_EQ(seen.sub_code.number(), 1340);
  EXPECT_EQ(seen.sub_system.text(), "BASE");
  EXPECT_EQ(seen.operation, "/");
  EXPECT_EQ(seen.description.text(), "Zero divisor");
  EXPECT_TRUE(seen.can_substitute);
  EXPECT_FALSE(seen.can_retry || seen.can_default);
  ASSERT_EQ(seen.args.array().size(), 2u);
  EXPECT_EQ(seen.args.array()[0].number(), 7);
  EXPECT_EQ(xb::Modulus(xb::Value::Number(7), xb::Value::Number(0)).number(), 0);
  EXPECT_EQ(seen.sub_code.number(), 1341);
  EXPECT_EQ(seen.operation, "%");
  EXPECT_EQ(xb::Divide(xb::Value::Number(7), xb::Value::Number(2)).number(), 3.5);
}

TEST(MinimalHandler, ShowsTheErrorAndEndsWithExitCodeOne) {
  QuitAndAlertCatcher catcher;
  xb::Error e = xb::Error::Generic(21, "DBFCDX", 1001);
  e.file_name = "PRODUCT.DBF";
  try {
    xb::MinimalErrorHandler(e);
    ADD_FAILURE() << "returned";
  } catch (const QuitTrap& q) {
    EXPECT_EQ(q.exit_code, 1);
  }
  ASSERT_EQ(catcher.alerts.size(), 1u);
  EXPECT_EQ(catcher.alerts[0], "Error|DBFCDX/1001  Open error: PRODUCT.DBF");
}

TEST(Quit, RunsExitProceduresLastFirstOnce) {
  QuitAndAlertCatcher catcher;
  std::string order;
  xb::AddExitProcedure([&] { order += "a"; });
  xb::AddExitProcedure([&] { order += "b"; });
  xb::SetExitCode(3);
  try {
    xb::Quit();
  } catch (const QuitTrap& q) {
    EXPECT_EQ(q.exit_code, 3);
  }
  EXPECT_EQ(order, "ba");
  try {
    xb::Quit();
  } catch (const QuitTrap&) {
  }
  EXPECT_EQ(order, "ba");
}

void Deep(int n, std::string& trail) {
  XB_PROC("DEEP");
  trail += std::to_string(n);
  if (n == 3) xb::DoBreak();
  if (n < 10) Deep(n + 1, trail);
  trail += "never";
}

TEST(Sequence, DoBreakLeavesANestedCallAndItsFrames) {
  std::string trail;
  int depth = xb::CallChain::Depth();
  bool completed = xb::BeginSequence([&] { Deep(1, trail); });
  EXPECT_FALSE(completed);
  EXPECT_EQ(trail, "123");
  EXPECT_EQ(xb::CallChain::Depth(), depth);
  EXPECT_TRUE(xb::BeginSequence([&] { trail += "!"; }));
  EXPECT_EQ(trail, "123!");
  EXPECT_FALSE(xb::InSequence());
}

TEST(Sequence, BreakEndsTheInnermostSequenceOnly) {
  std::string trail;
  bool outer = xb::BeginSequence([&] {
    bool inner = xb::BeginSequence([&] { xb::DoBreak(); });
    trail += inner ? "inner completed" : "inner broken";
  });
  EXPECT_TRUE(outer);
  EXPECT_EQ(trail, "inner broken");
}

TEST(Sequence, ErrorHandlerThatBreaksAbandonsTheFailedOperation) {
  HandlerScope scope([](xb::Error&) -> xb::Value { xb::DoBreak(); });
  bool reached = false;
  bool completed = xb::BeginSequence([&] {
    xb::Divide(xb::Value::Number(1), xb::Value::Number(0));
    reached = true;
  });
  EXPECT_FALSE(completed);
  EXPECT_FALSE(reached);
}

}  // namespace
