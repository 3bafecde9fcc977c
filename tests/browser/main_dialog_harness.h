// The main dialog over the browser fixture tables, run modally with a UiScript; the
// exports are fakes that record which entry ran and with which order.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/main_dialog.h"
#include "browser_fixture.h"
#include "gui/dialog.h"
#include "gui/font.h"
#include "gui/xbrowse.h"
#include "shell/main_state.h"
#include "ui_script.h"

struct ExportCall {
  int entry;
  int area;
  int order;
};

class MainDialogHarness {
 public:
  explicit MainDialogHarness(int extra_fields = 0);
  ~MainDialogHarness();

  int Run();  // starts the script and runs the dialog until it ends
  UiScript& script() { return script_; }
  browser::MainDialog& main() { return *main_; }
  gui::TXBrowse& upper() { return *main_->column_browser(); }
  gui::TXBrowse& lower() { return *main_->normal_browser(); }
  HWND dialog() { return main_->dialog().hWnd(); }
  HWND item(int id) { return GetDlgItem(dialog(), id); }
  shell::MainState state;
  BrowserTables tables;
  std::vector<ExportCall> exports;
  gui::TFont* font = nullptr;

  // Script steps.
  void ClickButton(int id);
  void ClickHeader(gui::TXBrowse& grid, int column);  // brings it into view first
  void Key(gui::TXBrowse& grid, WPARAM vk);

 private:
  std::unique_ptr<browser::MainDialog> main_;
  UiScript script_;
};

// The header text colour of every column of a grid, in list order (-1: none set).
std::vector<long> HeaderTextColours(const gui::TXBrowse& grid);
std::vector<std::string> Headers(const gui::TXBrowse& grid);
