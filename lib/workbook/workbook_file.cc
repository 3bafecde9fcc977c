#include "workbook/workbook_file.h"

#include "workbook/biff_stream.h"
#include "workbook/compound_file.h"
#include "workbook/replace_file.h"

namespace wb {

bool SaveWorkbookFile(const WorkbookData& book, const std::string& path,
                      const std::string& user_name, std::string* error) {
  ByteBuffer stream;
  if (!BuildWorkbookStream(book, user_name, &stream, error)) return false;
  ReplacementFile file;
  if (!file.Open(path, error)) return false;
  // A failed write is remembered by the file: Commit then reports it and removes the
  // temporary file.
  const bool written = WriteCompoundFile(stream.data(), stream.size(), file);
  const bool committed = file.Commit(error);
  return written && committed;
}

}  // namespace wb
