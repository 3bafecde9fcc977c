#include "runtime/settings.h"

#include <gtest/gtest.h>

namespace {

TEST(Settings, StartUpDefaults) {
  xb::ResetSettings();
  EXPECT_EQ(xb::GetDateFormat(), "mm/dd/yy");
  EXPECT_FALSE(xb::Century());
  EXPECT_EQ(xb::Get(xb::kSetEpoch).number(), 1900);
  EXPECT_FALSE(xb::GetLogical(xb::kSetExact));
  EXPECT_FALSE(xb::GetLogical(xb::kSetFixed));
  EXPECT_EQ(xb::Get(xb::kSetDecimals).number(), 2);
  EXPECT_TRUE(xb::GetLogical(xb::kSetExclusive));
  EXPECT_FALSE(xb::GetLogical(xb::kSetSoftSeek));
  EXPECT_TRUE(xb::GetLogical(xb::kSetScoreboard));
  EXPECT_EQ(xb::DefaultDriver(), "DBFCDX");
}

TEST(Settings, OnOffTextsAndPreviousValue) {
  xb::ResetSettings();
  xb::Value old = xb::Set(xb::kSetExclusive, xb::Value::Text("OFF"));
  EXPECT_TRUE(old.logical());
  EXPECT_FALSE(xb::GetLogical(xb::kSetExclusive));
  xb::Set(xb::kSetExact, xb::Value::Text("on"));
  EXPECT_TRUE(xb::GetLogical(xb::kSetExact));
  xb::ResetSettings();
}

}  // namespace
