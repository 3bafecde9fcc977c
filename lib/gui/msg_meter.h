// MsgMeter: the progress-meter dialog. A small modal dialog, centred, titled, in
// "Ms Sans Serif" 8, with a text line (130 x 10 pixels), a bar (150 x 10) and a
// "&Cancel" button (32 x 11).
//   - On its first paint it runs the action once with the meter, the text line, the
//     dialog and the cancel flag by reference; when the action returns it sets the flag
//     and closes itself.
//   - Cancel sets the flag and marks the result as cancelled; it neither closes the
//     dialog nor stops the action. Esc and the close box do nothing while the flag is
//     false.
//   - The bar is filled from the left in blue in proportion to position / total (a
//     position above the total counts as the total, a negative one as 0), with the
//     whole percentage in its middle, white over the filled part. Set() repaints it and
//     lets pending messages through when the position moved by at least one per cent
//     of the total since the last repaint. The total starts at 10, the position at 0.
// Returns whether Cancel was pressed. GUI thread only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "gui/memory_dialog.h"

namespace gui {

class TMeter {
 public:
  void SetTotal(long total);
  void Set(long position);
  long total() const { return total_; }
  long position() const { return position_; }
  int Percent() const;  // of the clamped position, 0 to 100
  HWND hWnd() const { return hwnd_; }
  int repaints() const { return repaints_; }

  // Draws a bar of this state into rect (also used by tests on a memory DC).
  static void Paint(HDC dc, const RECT& rect, long position, long total);

 private:
  friend class MeterDialog;
  HWND hwnd_ = nullptr;
  long total_ = 10;
  long position_ = 0;
  long drawn_ = 0;
  int repaints_ = 0;
};

class TMeterText {
 public:
  void SetText(const std::string& text);
  std::string GetText() const;
  HWND hWnd() const { return hwnd_; }

 private:
  friend class MeterDialog;
  HWND hwnd_ = nullptr;
};

using MeterAction =
    std::function<void(TMeter& meter, TMeterText& text, MemoryDialog& dialog, bool& cancel)>;

bool MsgMeter(const MeterAction& action, const std::string& message, const std::string& title);

// Dispatches the pending messages of this thread, through the dialog manager for
// dialogs (a quit message is put back for the outer loop).
void ProcessPendingMessages();

inline constexpr int kMeterTextId = 101;
inline constexpr int kMeterBarId = 102;
inline constexpr int kMeterCancelId = 103;
inline constexpr char kMeterBarClass[] = "XbMeterBar";

}  // namespace gui
