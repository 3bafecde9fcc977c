// The shared-string table (SST) with its CONTINUE records and the EXTSST index.
// Texts are ANSI bytes; each is stored compressed when it is Latin-1, else as UTF-16.
#pragma once

#include <string>
#include <vector>

#include "workbook/byte_buffer.h"

namespace wb {

// Appends SST (+ CONTINUE) and EXTSST to `out`. `total` is the number of LABELSST cells
// that refer to the table. Offsets in EXTSST are relative to the start of `out`, which
// must be the start of the Workbook stream.
void WriteSharedStrings(const std::vector<const std::string*>& texts, uint32_t total,
                        ByteBuffer& out);

}  // namespace wb
