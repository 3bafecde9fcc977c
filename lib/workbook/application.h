// The built-in workbook engine: an in-process spreadsheet server that answers the same
// late-bound calls as the real one (see dispatch.h) and saves genuine Excel 97-2003
// workbooks (BIFF8 in a compound file).
//
// NewApplication gives the root object, a new hidden application. Its members:
//   Workbooks (Add, Count, Item), Sheets / Worksheets (of the active workbook),
//   ActiveWorkbook, ActiveSheet, ActiveWindow, DisplayAlerts, Visible, Name.
// A workbook made by Workbooks.Add has Options::sheets_in_new_workbook sheets, named
// "Sheet1" ... ; the first one is active.
// Objects are owned by shared pointers; a handle kept by the caller stays valid even
// after its sheet is deleted (its calls then fail with kException).
// Not thread-safe: one thread drives one application.
#pragma once

#include <memory>
#include <string>

#include "workbook/dispatch.h"

namespace wb {

struct Options {
  int sheets_in_new_workbook = 3;       // as Excel's default; 1 to 255
  std::string user_name = "xlsamples";  // written into the file's WRITEACCESS record
};

std::shared_ptr<Dispatchable> NewApplication(const Options& options = {});

}  // namespace wb
