#include "runtime/call_chain.h"

#include <gtest/gtest.h>

#include "runtime/class_registry.h"
#include "runtime/start_time.h"

namespace {

std::vector<std::string> seen;

void Level(int n) {
  XB_PROC(n == 0 ? std::string("ASKER") : "P" + std::to_string(n));
  if (n > 0) {
    Level(n - 1);
    return;
  }
  for (int level = 0; level <= 4; ++level) seen.push_back(xb::CallChain::ProcName(level));
}

TEST(CallChain, LevelsCountFromTheAskingProcedure) {
  seen.clear();
  XB_PROC("MAIN");
  Level(2);
  EXPECT_EQ(seen, (std::vector<std::string>{"ASKER", "P1", "P2", "MAIN", ""}));
  EXPECT_EQ(xb::CallChain::ProcName(0), "MAIN");
}

TEST(CallChain, FramesKnowFileLineAndVariables) {
  int count = 7;
  std::string name = "abc";
  XB_PROC("TSHEET:ADDROW");
  xb_frame_.Param(xb::View("NCOUNT", &count)).Local(xb::View("CNAME", &name));
  XB_LINE();
  int line = __LINE__ - 1;
  const xb::Frame* f = xb::CallChain::At(0);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->name(), "TSHEET:ADDROW");
  EXPECT_EQ(f->file(), "call_chain_test.cc");
  EXPECT_EQ(f->line(), line);
  count = 8;  // views read the variable when asked
  EXPECT_EQ(f->params()[0].get().number(), 8);
  EXPECT_EQ(f->locals()[0].get().text(), "abc");
  EXPECT_EQ(xb::CallChain::At(1), nullptr);
}

TEST(ClassRegistry, EachClassOnceInOrderOfCreation) {
  int before = xb::ClassCount();
  int a = xb::RegisterClassName("TTESTCLASSA");
  int b = xb::RegisterClassName("TTESTCLASSB");
  EXPECT_EQ(xb::RegisterClassName("TTESTCLASSA"), a);
  EXPECT_EQ(b, a + 1);
  EXPECT_EQ(xb::ClassCount(), before + 2);
  EXPECT_EQ(xb::ClassName(b), "TTESTCLASSB");
  EXPECT_EQ(xb::ClassName(0), "");
}

TEST(TimeFromStart, ElapsedAcrossDaysAndText) {
  xb::Date d = xb::Date::FromYmd(2008, 12, 9);
  xb::Date next{d.julian + 1};
  xb::Date after{d.julian + 2};
  EXPECT_EQ(xb::TimeFromStartText(xb::ElapsedSeconds(d, 3600, next, 3600)), "24 hours 0 mins 0 secs ");
  EXPECT_EQ(xb::TimeFromStartText(xb::ElapsedSeconds(d, 3600, after, 3600)), "48 hours 0 mins 0 secs ");
  EXPECT_EQ(xb::TimeFromStartText(xb::ElapsedSeconds(d, 10, d, 3733.9)), "1 hours 2 mins 3 secs ");
  EXPECT_EQ(xb::ElapsedSeconds(next, 10, d, 3733.9), 0);
}

}  // namespace
