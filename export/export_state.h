// The variables of one export run: set up by the entry, written by its worker, shown
// by the error report as the entry's locals.
#pragma once

#include <string>

#include "export/export_run.h"

namespace shell {
struct MainState;
}

namespace exporter {

struct ExportState {
  long NTOTAL = 0;        // records of work area 1, deleted ones included
  long NPOS = 0;          // the meter position
  std::string CFOUND;     // full path of the saved workbook
  double CTEST1 = 0;      // matrix: the ID_NR of the group
  std::string CPRODUCT;   // matrix: the trimmed product; product overview: the key
  double NPROD[10] = {};  // matrix: sales per product
  int I = 0;              // matrix: column counter of the sales row
  std::string CCUSTOMER;  // invoice overview: the key
  double NVALUE = 0;      // running total of VALUE over a group
};

// What a worker works with besides its four arguments.
struct ExportRun {
  shell::MainState& main;
  ExportState& state;
  ExportHost& host;
};

// The three workers; each runs inside the progress dialog.
void DATA1EXC(Meter& meter, long total, TextLine& text, bool& cancel, ExportRun& run);
void DATA2EXCEL(Meter& meter, long total, TextLine& text, bool& cancel, ExportRun& run);
void DATA3EXCEL(Meter& meter, long total, TextLine& text, bool& cancel, ExportRun& run);

}  // namespace exporter
