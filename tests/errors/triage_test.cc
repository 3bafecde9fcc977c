// The handler's silent answers, its guard name and the fallback's message.
#include <gtest/gtest.h>

#include "errors/handler.h"

namespace {

xb::Error Make(int gen, int os, bool retry, bool def, bool subst) {
  xb::Error e;
  e.gen_code = gen;
  e.os_code = os;
  e.can_retry = retry;
  e.can_default = def;
  e.can_substitute = subst;
  return e;
}

TEST(Triage, AnswersTheExpectedConditionsSilently) {
  enum Outcome { kFull, kZero, kFalseNet };
  const struct {
    const char* name;
    xb::Error e;
    Outcome outcome;
  } cases[] = {
      {"zero divisor", Make(5, 0, false, false, true), kZero},
      {"zero divisor whatever the flags", Make(5, 32, true, true, false), kZero},
      {"open, sharing violation, default allowed", Make(21, 32, true, true, false), kFalseNet},
      {"open, access denied, default allowed", Make(21, 5, true, true, false), kFalseNet},
      {"open, sharing violation, no default", Make(21, 32, true, false, false), kFull},
      {"open, access denied, no default", Make(21, 5, true, false, false), kFull},
      {"open, file not found", Make(21, 2, true, true, false), kFull},
      {"open, no OS code", Make(21, 0, true, true, false), kFull},
      {"append lock, default allowed", Make(40, 0, false, true, false), kFalseNet},
      {"append lock, no default", Make(40, 0, true, false, false), kFull},
      {"lock failure is not an append lock", Make(41, 0, false, true, false), kFull},
      {"create error with OS code 32", Make(20, 32, true, true, false), kFull},
      {"empty work area", Make(35, 0, false, true, false), kFull},
      {"automation", Make(1001, 0, false, false, true), kFull},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool net = true;
    std::optional<xb::Value> answer = errors::Triage(c.e, &net);
    switch (c.outcome) {
      case kFull:
        EXPECT_FALSE(answer.has_value());
        EXPECT_FALSE(net);
        break;
      case kZero:
        ASSERT_TRUE(answer.has_value());
        EXPECT_TRUE(answer->IsNumber());
        EXPECT_EQ(answer->number(), 0);
        EXPECT_FALSE(net);
        break;
      case kFalseNet:
        ASSERT_TRUE(answer.has_value());
        ASSERT_TRUE(answer->IsLogical());
        EXPECT_FALSE(answer->logical());
        EXPECT_TRUE(net);
        break;
    }
  }
}

TEST(Triage, GuardComparesTenCharactersWithCase) {
  EXPECT_TRUE(errors::IsHandlerName("ERRORDIALOG"));
  EXPECT_TRUE(errors::IsHandlerName("ERRORDIALOXYZ"));
  EXPECT_FALSE(errors::IsHandlerName("ERRORDIAL"));
  EXPECT_FALSE(errors::IsHandlerName("errordialog"));
  EXPECT_FALSE(errors::IsHandlerName("(b)ERRORSYS"));
  EXPECT_FALSE(errors::IsHandlerName(""));
}

TEST(Triage, ButtonsCountRetryAndDefault) {
  EXPECT_EQ(errors::ButtonCount(Make(1001, 0, false, false, true)), 1);
  EXPECT_EQ(errors::ButtonCount(Make(21, 2, true, false, false)), 2);
  EXPECT_EQ(errors::ButtonCount(Make(35, 0, false, true, false)), 2);
  EXPECT_EQ(errors::ButtonCount(Make(21, 2, true, true, false)), 3);
}

TEST(Triage, FallbackTextRightAlignsTheLine) {
  xb::Error e = xb::Error::Generic(xb::kErrNoTable, "DBCMD", 2001);
  e.operation = "DBGOTOP";
  EXPECT_EQ(errors::FallbackText(e, 7),
            "Error DBCMD/2001  Workarea not in use: DBGOTOP from Errorsys, Line :  7");
  EXPECT_EQ(errors::FallbackText(e, 1234),
            "Error DBCMD/2001  Workarea not in use: DBGOTOP from Errorsys, Line :***");
}

}  // namespace
