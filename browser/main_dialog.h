// The main dialog, built from the template "SAMPLES": the column browser (control 110,
// work area 1), the normal browser (120, work area 2), three sample buttons that choose
// the order and the workbook (NTEST), two reserved buttons, "&Create Excel-Sheet" (20)
// and "&Exit" (10). Run() shows it modally, centred, and returns when it has ended.
// Construction leaves work area 1 current, on order 1; the start handler marks the
// "ID-No." header. Esc in a grid or on a button, the close box, Alt+F4 and the system
// menu's Close all end the dialog as "&Exit" does.
#pragma once

#include <functional>
#include <memory>

namespace gui {
class TDialog;
class TFont;
class TXBrowse;
}  // namespace gui

namespace shell {
struct MainState;
}

namespace browser {

inline constexpr char kMainTitle[] = "Create EXCEl-Sheets with Morvex2 ( Update : 4 )";
inline constexpr char kMainTemplate[] = "SAMPLES";

// The export entries button 20 runs, one per sample; an empty one does nothing.
struct ExportEntries {
  std::function<void()> excel1;
  std::function<void()> excel2;
  std::function<void()> excel3;
};

class MainDialog {
 public:
  // Both tables must be open in work areas 1 and 2. data_font: the column browser's
  // cell font (not owned).
  MainDialog(shell::MainState& state, gui::TFont* data_font, ExportEntries exports = {});
  ~MainDialog();
  MainDialog(const MainDialog&) = delete;
  MainDialog& operator=(const MainDialog&) = delete;

  int Run();  // modal; the dialog and its controls are gone when it returns

  gui::TDialog& dialog() { return *dialog_; }
  gui::TXBrowse* column_browser() const { return column_browser_; }
  gui::TXBrowse* normal_browser() const { return normal_browser_; }

 private:
  void BindButtons();
  void ChooseSample(int sample);
  void CreateSheet();
  void Start();

  shell::MainState& state_;
  ExportEntries exports_;
  std::unique_ptr<gui::TDialog> dialog_;
  gui::TXBrowse* column_browser_ = nullptr;
  gui::TXBrowse* normal_browser_ = nullptr;
};

// Step 17 of MAIN: builds the main dialog and runs it until it has ended.
void RunMainDialog(shell::MainState& state, gui::TFont* data_font, ExportEntries exports = {});

}  // namespace browser
