// Screenshots of the main dialog, saved as PNG files in the build tree for people to look
// at, and checked: the "ID-No." header text is red at the start and black after a click
// on "Customer", whose text is then red.
#include <windows.h>

#include <gtest/gtest.h>

#include "main_dialog_harness.h"
#include "png_file.h"

namespace {

TEST(Screenshot, HeaderTextTurnsFromRedToBlackAfterAClickOnCustomer) {
  CreateDirectoryA(SCREENSHOT_DIR, nullptr);
  MainDialogHarness h;
  Capture opened, clicked;
  RECT id_header{}, customer_header{};
  h.script().Settle(5);
  h.script().Do([&] {
    UpdateWindow(h.dialog());
    opened = CaptureWindow(h.dialog());
    id_header = ClientRectInWindow(h.upper().hWnd(), h.upper().HeaderRect(1));
    customer_header = ClientRectInWindow(h.upper().hWnd(), h.upper().HeaderRect(2));
  });
  h.ClickHeader(h.upper(), 2);
  h.script().Settle(5);
  h.script().Do([&] {
    UpdateWindow(h.dialog());
    clicked = CaptureWindow(h.dialog());
  });
  h.ClickButton(10);
  h.Run();
  ASSERT_EQ(h.script().timed_out_at(), "");
  ASSERT_GT(opened.width, 0);
  EXPECT_TRUE(WritePng(SCREENSHOT_DIR "/main_dialog_opened.png", opened));
  EXPECT_TRUE(WritePng(SCREENSHOT_DIR "/main_dialog_customer_clicked.png", clicked));
  ASSERT_GT(id_header.right, id_header.left);
  const int red_before = opened.Count(id_header, &IsRed);
  const int red_after = clicked.Count(id_header, &IsRed);
  const int black_after = clicked.Count(id_header, &IsBlack);
  const int customer_red_before = opened.Count(customer_header, &IsRed);
  const int customer_red_after = clicked.Count(customer_header, &IsRed);
  std::printf("ID-No. header: %d red pixels opened, %d red and %d black after the click\n",
              red_before, red_after, black_after);
  EXPECT_GT(red_before, 10);
  EXPECT_EQ(red_after, 0);
  EXPECT_GT(black_after, 10);
  EXPECT_EQ(customer_red_before, 0);
  EXPECT_GT(customer_red_after, 10);
}

}  // namespace
