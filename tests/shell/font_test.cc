#include "gui/font.h"
#include "gui/module.h"
#include "gui/xbrowse.h"

#include <gtest/gtest.h>

namespace {

TEST(TFont, EqualFontsAreSharedAndCounted) {
  int live = gui::TFont::LiveFonts();
  gui::TFont* bold = gui::TFont::New("Arial", 0, -14, false, true);
  gui::TFont* normal = gui::TFont::New("Arial", 0, -14, false, false);
  ASSERT_NE(bold, normal);  // they differ in weight
  EXPECT_EQ(bold->spec().weight, 700);
  EXPECT_EQ(normal->spec().weight, 0);
  EXPECT_NE(bold->handle(), nullptr);
  EXPECT_NE(normal->handle(), nullptr);
  EXPECT_EQ(gui::TFont::LiveFonts(), live + 2);

  gui::TFont* again = gui::TFont::New("Arial", 0, -14, false, false);
  EXPECT_EQ(again, normal);
  EXPECT_EQ(normal->uses(), 2);

  LOGFONTA lf{};
  ASSERT_NE(GetObjectA(normal->handle(), sizeof lf, &lf), 0);
  EXPECT_EQ(lf.lfHeight, -14);
  EXPECT_STREQ(lf.lfFaceName, "Arial");

  again->End();  // the count drops to 1: the Windows font stays
  EXPECT_EQ(gui::TFont::LiveFonts(), live + 2);
  EXPECT_EQ(normal->uses(), 1);
  bold->End();  // released first, as MAIN does
  EXPECT_EQ(gui::TFont::LiveFonts(), live + 1);
  normal->End();
  EXPECT_EQ(gui::TFont::LiveFonts(), live);
}

TEST(ReleaseResources, UnregistersTheFrameworksWindowClasses) {
  ASSERT_TRUE(gui::RegisterGridClass());
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExA(gui::GetInstance(), "TXBrowse", &wc));
  gui::ReleaseResources();
  EXPECT_FALSE(GetClassInfoExA(gui::GetInstance(), "TXBrowse", &wc));
  EXPECT_TRUE(gui::RegisterGridClass());  // a later grid registers it again
  EXPECT_TRUE(GetClassInfoExA(gui::GetInstance(), "TXBrowse", &wc));
}

}  // namespace
