#include "runtime/date_text.h"

#include <gtest/gtest.h>

#include "runtime/settings.h"

namespace {

TEST(DateText, PrologueGivesDayMonthFourDigitYear) {
  xb::ResetSettings();
  xb::Date d = xb::Date::FromYmd(2008, 12, 9);
  EXPECT_EQ(xb::Dtoc(d), "12/09/08");  // the start-up default
  xb::Set(xb::kSetDateFormat, xb::Value::Text(xb::Century() ? "dd.mm.yyyy" : "dd.mm.yy"));
  EXPECT_FALSE(xb::Century());
  EXPECT_EQ(xb::Dtoc(d), "09.12.08");
  xb::SetCentury(true);
  EXPECT_EQ(xb::GetDateFormat(), "DD.MM.YYYY");
  EXPECT_EQ(xb::Dtoc(d), "09.12.2008");
  EXPECT_EQ(xb::Dtoc(xb::Date{}), "  .  .    ");
  xb::ResetSettings();
}

TEST(DateText, SettingAFormatSetsTheCenturySwitch) {
  xb::ResetSettings();
  xb::Set(xb::kSetDateFormat, xb::Value::Text("yyyy-mm-dd"));
  EXPECT_TRUE(xb::Century());
  xb::Set(xb::kSetDateFormat, xb::Value::Text("yy-mm-dd"));
  EXPECT_FALSE(xb::Century());
  xb::ResetSettings();
}

TEST(DateText, DtosIsIndependentOfTheFormat) {
  xb::ResetSettings();
  xb::Date d = xb::Date::FromYmd(2008, 12, 9);
  EXPECT_EQ(xb::Dtos(d), "20081209");
  xb::SetCentury(true);
  EXPECT_EQ(xb::Dtos(d), "20081209");
  EXPECT_EQ(xb::Dtos(xb::Date{}), "        ");
  EXPECT_EQ(xb::Stod("20081209"), d);
  EXPECT_TRUE(xb::Stod("2008120").empty());
  EXPECT_TRUE(xb::Stod("20080230").empty());
  xb::ResetSettings();
}

TEST(DateText, JulianDaysRoundTrip) {
  for (int y : {1, 1899, 1900, 2000, 2008, 2024, 9999}) {
    for (int m = 1; m <= 12; ++m) {
      xb::Date d = xb::Date::FromYmd(y, m, 28);
      ASSERT_FALSE(d.empty());
      EXPECT_EQ(d.year(), y);
      EXPECT_EQ(d.month(), m);
      EXPECT_EQ(d.day(), 28);
    }
  }
  EXPECT_EQ(xb::Date::FromYmd(2008, 12, 10).julian - xb::Date::FromYmd(2008, 12, 9).julian, 1);
  EXPECT_FALSE(xb::Date::FromYmd(2000, 2, 29).empty());
  EXPECT_TRUE(xb::Date::FromYmd(1900, 2, 29).empty());
}

}  // namespace
