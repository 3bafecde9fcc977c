// The Workbook stream of an Excel 97-2003 file (BIFF8): the globals substream (fonts,
// formats, XF table, sheet directory, shared strings) and one substream per live sheet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "workbook/byte_buffer.h"
#include "workbook/workbook_data.h"

namespace wb {

// Fills `stream` with the records of `book` (deleted sheets are skipped). False, with
// `error` set, when the workbook is past a limit of the format (distinct fonts or cell
// formats); nothing is produced then.
bool BuildWorkbookStream(const WorkbookData& book, const std::string& user_name,
                         std::vector<uint8_t>* stream, std::string* error);
// The same into a byte buffer, for a caller that writes the stream out as it is.
bool BuildWorkbookStream(const WorkbookData& book, const std::string& user_name, ByteBuffer* stream,
                         std::string* error);

// Column width in characters -> the file's 1/256 character units with the cell padding
// of the default Arial 10 font.
uint16_t ColumnWidthUnits(double characters);

// Row height in twips that a row needs for its largest font (in twips).
uint16_t RowHeightForFont(uint16_t font_twips);

// The built-in number format id of a format text, or -1 when it needs its own record.
int BuiltInFormatId(const std::string& format);

}  // namespace wb
