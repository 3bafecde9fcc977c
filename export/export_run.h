// The export run: EXCEL_1, EXCEL_2 and EXCEL_3 turn the table of work area 1 into the
// product matrix, the invoice overview or the product overview. Each entry clears
// LGESENDE, counts the records, goes to the first one and runs its worker inside the
// progress dialog; after a cancelled run it shows "EXEL-Converting closed !".
// The caller selects work area 1 and the sample's order first (button 20 does).
// Progress, Cancel, message boxes and the clipboard object reach the run through
// ExportHost, so the whole run also works without windows (tests).
// Every failure of the spreadsheet calls goes through xb::Raise (automation layer).
#pragma once

#include <functional>
#include <string>

namespace shell {
struct MainState;
}

namespace exporter {

// The bar of the progress dialog, as a worker drives it.
class Meter {
 public:
  virtual ~Meter() = default;
  virtual void SetTotal(long total) = 0;
  // Moves the bar; repaints and lets pending messages through when it moved by at
  // least one per cent of the total.
  virtual void Set(long position) = 0;
};

// The text line of the progress dialog (Windows text).
class TextLine {
 public:
  virtual ~TextLine() = default;
  virtual void SetText(const std::string& text) = 0;
};

// What the run needs of the GUI.
class ExportHost {
 public:
  using MeterAction = std::function<void(Meter& meter, TextLine& text, bool& cancel)>;
  virtual ~ExportHost() = default;
  // The modal progress dialog: runs action on its first paint, with the cancel flag
  // by reference; returns whether Cancel was pressed.
  virtual bool RunMeter(const MeterAction& action, const std::string& message,
                        const std::string& title) = 0;
  virtual void ProcessMessages() = 0;
  virtual void Alert(const std::string& text, const std::string& title) = 0;
  virtual void OpenClipboard() = 0;  // the clipboard object the entry creates and ends
  virtual void CloseClipboard() = 0;
};

// The entries; they read and write the module-wide state (shell::Main()).
void EXCEL_1(ExportHost& host);
void EXCEL_2(ExportHost& host);
void EXCEL_3(ExportHost& host);
// Sample 1 to 3.
void RunExport(int sample, ExportHost& host);

#ifdef _WIN32
// The host with the framework's progress dialog, message boxes and clipboard.
ExportHost& WindowsExportHost();
#endif

}  // namespace exporter
