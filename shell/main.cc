#include "shell/main.h"

#include <windows.h>
#include <ole2.h>

#include "errors/win/errorsys.h"
#include "browser/main_dialog.h"
#include "export/export_run.h"
#include "gui/font.h"
#include "gui/module.h"
#include "runtime/call_chain.h"
#include "runtime/quit.h"
#include "runtime/settings.h"
#include "runtime/start_time.h"
#include "shell/main_state.h"
#include "shell/program_directory.h"
#include "shell/settings_prologue.h"
#include "shell/table_startup.h"

namespace shell {

void MAIN() {
  XB_PROC("MAIN");
  MainState state;
  gui::TFont* bold_font = nullptr;
  gui::TFont* normal_font = nullptr;
  xb_frame_.Local(xb::View("C_DIR", &state.C_DIR))
      .Local(xb::View("C_PFAD", &state.C_PFAD))
      .Local(xb::View("CDATNAME1", &state.CDATNAME1))
      .Local(xb::View("NMENGE", &state.NMENGE))
      .Local(xb::View("XXX", &state.XXX))
      .Local(xb::View("AKTSATZ", &state.AKTSATZ))
      .Local(xb::View("LGESENDE", &state.LGESENDE))
      .Local(xb::View("NTEST", &state.NTEST));

  XB_LINE();
  ApplySettingsPrologue();  // steps 1 to 10
  XB_LINE();
  state.C_DIR = gui::GetModuleFileName(gui::GetInstance());  // step 11
  state.C_PFAD = ProgramDirectory(state.C_DIR);               // step 12
  SetDefaultTableDriver();                                     // step 13
  SetMain(&state);                                             // step 14: the variables exist
  XB_LINE();
  bold_font = gui::TFont::New("Arial", 0, -14, false, true);   // step 15
  normal_font = gui::TFont::New("Arial", 0, -14, false, false);

  // Steps 16 and 17: the tables and the main dialog.
  XB_LINE();
  OpenSampleTables();  // step 16
  XB_LINE();
  // Step 17: the main dialog, until it has ended.
  exporter::ExportHost& export_host = exporter::WindowsExportHost();
  browser::RunMainDialog(state, normal_font,
                         {[&] { exporter::EXCEL_1(export_host); },
                          [&] { exporter::EXCEL_2(export_host); },
                          [&] { exporter::EXCEL_3(export_host); }});

  XB_LINE();
  CloseSampleTables();  // step 18: close all tables
  bold_font->End();  // step 19
  normal_font->End();
  SetMain(nullptr);
}

void RunProgram() {
  xb::ResetSettings();   // 1. every setting at its default
  gui::InitModule();     // 2. the framework's module values
  errors::ERRORSYS();    // 3. the error handler
  OleInitialize(nullptr);  // 4. OLE for this thread
  xb::RecordStartTime();   // 5. the start time
  MAIN();                  // 6.
  xb::SetExitCode(0);
  xb::Quit();
}

}  // namespace shell
