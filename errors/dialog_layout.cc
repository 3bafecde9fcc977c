#include "errors/dialog_layout.h"

namespace errors {

const char* const kSupportFax = "+49 89 0000000";
const char* const kSupportMail = "support@xlsamples.example";

namespace {

constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 11;

LayoutControl Button(ControlKind kind, const char* text, int top, int left, bool def) {
  return {kind, text, top, left, top + kButtonHeight, left + kButtonWidth, def};
}

LayoutControl Notice(std::string text, int top, int left) {
  // 6 units per character minus 4: wider than the dialog, which cuts it off.
  const int width = 6 * static_cast<int>(text.size()) - 4;
  return {ControlKind::kNotice, std::move(text), top, left, top + 15, left + width};
}

}  // namespace

std::string OpenFileCaption(const std::string& log_name, bool written) {
  if (!written) return (log_name.empty() ? std::string("Log file") : log_name) + " - not written";
  return log_name + " - Open file";
}

int ErrorDialogClientHeight(bool nt_family) {
  return nt_family ? kDialogHeightNt : kDialogHeight;
}

std::vector<LayoutControl> ErrorDialogLayout(const LayoutInput& in) {
  const int count = 1 + (in.can_retry ? 1 : 0) + (in.can_default ? 1 : 0);
  const int list_bottom = in.nt_family ? 160 : 142;
  const int button_top = in.nt_family ? 164 : 140;
  std::vector<LayoutControl> c;
  c.push_back({ControlKind::kDescription, in.description_line, 3, 22, 25, 148});
  c.push_back({ControlKind::kStackLabel, "&Stack List :", 25, 6, 39, 79});
  c.push_back({ControlKind::kStackList, "", 38, 4, list_bottom, 193});
  c.push_back(Button(ControlKind::kQuit, "&Quit", button_top, 75, count != 2));
  if (in.can_retry) {
    c.push_back(Button(ControlKind::kRetry, "&Retry", button_top, count == 2 ? 135 : 13, false));
  }
  if (in.can_default) {
    c.push_back(Button(ControlKind::kDefault, "&Default", button_top, 135, false));
  }
  c.push_back(
      {ControlKind::kOpenFile, OpenFileCaption(in.log_name, in.log_written), 24, 70, 34, 150});
  c.push_back(Notice("Schicken Sie uns bitte die : < FEHLER_1.log bis 10  >  DATEIEN ", 180, 20));
  c.push_back(
      Notice(std::string("an Fax : ") + kSupportFax + " oder E-Mail : " + kSupportMail, 187, 25));
  c.push_back(Notice("um den / die aufgetretenen Fehler  zu beheben !!!", 194, 35));
  return c;
}

}  // namespace errors
