// Saving a workbook as an Excel 97-2003 file: the BIFF8 stream in a compound file,
// written to a temporary file that then replaces `path`.
#pragma once

#include <string>

#include "workbook/workbook_data.h"

namespace wb {

// False with `error` set when the workbook is past a limit of the format or the file
// cannot be written; the old file at `path`, if any, is then left as it was.
bool SaveWorkbookFile(const WorkbookData& book, const std::string& path,
                      const std::string& user_name, std::string* error);

}  // namespace wb
