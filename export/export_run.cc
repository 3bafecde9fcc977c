#include "export/export_run.h"

#include <string>

#include "export/export_state.h"
#include "runtime/call_chain.h"
#include "shell/main_state.h"
#include "tables/workarea.h"

namespace exporter {

namespace {

using Worker = void (*)(Meter&, long, TextLine&, bool&, ExportRun&);

void RunEntry(const char* name, Worker worker, ExportHost& host) {
  XB_PROC(name);
  shell::MainState& main = *shell::Main();
  ExportState state;
  xb_frame_.Local(xb::View("NTOTAL", &state.NTOTAL))
      .Local(xb::View("NPOS", &state.NPOS))
      .Local(xb::View("CFOUND", &state.CFOUND));
  XB_LINE();
  main.LGESENDE = false;
  tables::SelectArea(1);
  state.NTOTAL = tables::RecCount();
  tables::GoTop();
  XB_LINE();
  main.CDATNAME1 = main.C_PFAD + "\\" + tables::Alias(1);
  host.OpenClipboard();
  ExportRun run{main, state, host};
  const std::string title =
      "Total : " + std::to_string(state.NTOTAL) + " EXCEL-Products will be created ...";
  XB_LINE();
  host.RunMeter([&](Meter& meter, TextLine& text,
                    bool& cancel) { worker(meter, state.NTOTAL, text, cancel, run); },
                main.CDATNAME1 + "\r\n ", title);
  XB_LINE();
  if (main.LGESENDE) host.Alert("EXEL-Converting closed !", "ATTENTION");
  host.CloseClipboard();
}

}  // namespace

void EXCEL_1(ExportHost& host) {
  RunEntry("EXCEL_1", DATA1EXC, host);
}
void EXCEL_2(ExportHost& host) {
  RunEntry("EXCEL_2", DATA2EXCEL, host);
}
void EXCEL_3(ExportHost& host) {
  RunEntry("EXCEL_3", DATA3EXCEL, host);
}

void RunExport(int sample, ExportHost& host) {
  switch (sample) {
    case 1:
      EXCEL_1(host);
      break;
    case 2:
      EXCEL_2(host);
      break;
    case 3:
      EXCEL_3(host);
      break;
    default:
      break;
  }
}

}  // namespace exporter
