// The error dialog's controls, in tab order, with their rectangles in layout units
// (two pixels each; top, left, bottom and right all inclusive). Independent of the
// window system so the layout can be checked everywhere.
#pragma once

#include <string>
#include <vector>

namespace errors {

constexpr int kLayoutUnitPixels = 2;
constexpr int kDialogWidth = 400;
constexpr int kDialogHeight = 360;
constexpr int kDialogHeightNt = 410;

enum class ControlKind {
  kDescription,
  kStackLabel,
  kStackList,
  kQuit,
  kRetry,
  kDefault,
  kOpenFile,
  kNotice
};

struct LayoutControl {
  ControlKind kind;
  std::string text;
  int top, left, bottom, right;
  bool default_button = false;
};

struct LayoutInput {
  bool nt_family = true;
  bool can_retry = false;
  bool can_default = false;
  std::string description_line;  // already in the ANSI code page
  std::string log_name;          // the kept name; empty when none was chosen
  bool log_written = true;
};

// The support contact shown in the second notice.
extern const char* const kSupportFax;
extern const char* const kSupportMail;

std::string OpenFileCaption(const std::string& log_name, bool written);
std::vector<LayoutControl> ErrorDialogLayout(const LayoutInput& in);
int ErrorDialogClientHeight(bool nt_family);

}  // namespace errors
