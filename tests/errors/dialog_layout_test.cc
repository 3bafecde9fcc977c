// The error dialog's controls and rectangles, in layout units.
#include <gtest/gtest.h>

#include "errors/dialog_layout.h"

namespace {

using errors::ControlKind;

struct Rect {
  int top, left, bottom, right;
  friend bool operator==(const Rect&, const Rect&) = default;
};

Rect Of(const errors::LayoutControl& c) {
  return {c.top, c.left, c.bottom, c.right};
}

TEST(DialogLayout, ButtonsByCount) {
  const struct {
    bool retry, def, nt;
    std::vector<ControlKind> order;  // the buttons in tab order
    std::vector<int> lefts;
    bool quit_default;
  } cases[] = {
      {false, false, true, {ControlKind::kQuit}, {75}, true},
      {true, false, true, {ControlKind::kQuit, ControlKind::kRetry}, {75, 135}, false},
      {false, true, true, {ControlKind::kQuit, ControlKind::kDefault}, {75, 135}, false},
      {true,
       true,
       true,
       {ControlKind::kQuit, ControlKind::kRetry, ControlKind::kDefault},
       {75, 13, 135},
       true},
      {true,
       true,
       false,
       {ControlKind::kQuit, ControlKind::kRetry, ControlKind::kDefault},
       {75, 13, 135},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.retry << c.def << c.nt);
    const auto controls = errors::ErrorDialogLayout({c.nt, c.retry, c.def, "d", "ERROR_1.log"});
    std::vector<ControlKind> buttons;
    std::vector<int> lefts;
    const int top = c.nt ? 164 : 140;
    for (const auto& x : controls) {
      if (x.kind != ControlKind::kQuit && x.kind != ControlKind::kRetry &&
          x.kind != ControlKind::kDefault)
        continue;
      buttons.push_back(x.kind);
      lefts.push_back(x.left);
      EXPECT_EQ(Of(x), (Rect{top, x.left, top + 11, x.left + 50}));
      EXPECT_EQ(x.default_button, x.kind == ControlKind::kQuit && c.quit_default);
    }
    EXPECT_EQ(buttons, c.order);
    EXPECT_EQ(lefts, c.lefts);
  }
}

TEST(DialogLayout, ControlsInTabOrderWithTheirRectangles) {
  for (bool nt : {true, false}) {
    SCOPED_TRACE(nt);
    const auto c =
        errors::ErrorDialogLayout({nt, true, true, "   Error description : x\r\n", "ERROR_4.log"});
    ASSERT_EQ(c.size(), 10u);
    EXPECT_EQ(c[0].kind, ControlKind::kDescription);
    EXPECT_EQ(c[0].text, "   Error description : x\r\n");
    EXPECT_EQ(Of(c[0]), (Rect{3, 22, 25, 148}));
    EXPECT_EQ(c[1].text, "&Stack List :");
    EXPECT_EQ(Of(c[1]), (Rect{25, 6, 39, 79}));
    EXPECT_EQ(c[2].kind, ControlKind::kStackList);
    EXPECT_EQ(Of(c[2]), (Rect{38, 4, nt ? 160 : 142, 193}));
    EXPECT_EQ(c[6].kind, ControlKind::kOpenFile);
    EXPECT_EQ(c[6].text, "ERROR_4.log - Open file");
    EXPECT_EQ(Of(c[6]), (Rect{24, 70, 34, 150}));
    const std::string first = "Schicken Sie uns bitte die : < FEHLER_1.log bis 10  >  DATEIEN ";
    EXPECT_EQ(c[7].text, first);
    EXPECT_EQ(Of(c[7]), (Rect{180, 20, 195, 20 + 6 * static_cast<int>(first.size()) - 4}));
    EXPECT_EQ(c[8].text.rfind("an Fax : ", 0), 0u);
    EXPECT_NE(c[8].text.find(" oder E-Mail : "), std::string::npos);
    EXPECT_EQ(c[8].top, 187);
    EXPECT_EQ(c[8].left, 25);
    EXPECT_EQ(c[9].text, "um den / die aufgetretenen Fehler  zu beheben !!!");
    EXPECT_EQ(c[9].top, 194);
    EXPECT_EQ(c[9].left, 35);
    EXPECT_EQ(errors::ErrorDialogClientHeight(nt), nt ? 410 : 360);
  }
}

TEST(DialogLayout, AnUnwrittenLogIsShownAsNotWritten) {
  EXPECT_EQ(errors::OpenFileCaption("ERROR_1.log", true), "ERROR_1.log - Open file");
  EXPECT_EQ(errors::OpenFileCaption("ERROR_3.log", false), "ERROR_3.log - not written");
  EXPECT_EQ(errors::OpenFileCaption("", false), "Log file - not written");
}

}  // namespace
