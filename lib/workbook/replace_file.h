// Writing a file without ever leaving a half-written one in its place: the content goes
// into a new temporary file in the target's directory, which then replaces the target in
// one rename. If anything fails, the old file is untouched and the temporary file removed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "workbook/compound_file.h"

namespace wb {

class ReplacementFile : public ByteSink {
 public:
  // Creates the temporary file beside `path` (ANSI text, Windows or POSIX form).
  // False with `error` set when that is not possible.
  bool Open(const std::string& path, std::string* error);
  bool Write(const void* data, size_t size) override;
  // Flushes, closes and renames over the target; false with `error` on failure.
  bool Commit(std::string* error);
  ~ReplacementFile() override;  // removes the temporary file unless committed

  const std::string& temporary_path() const { return temporary_; }

 private:
  void Discard();
  std::string path_, temporary_, write_error_;
  intptr_t handle_ = -1;
  bool open_ = false;
};

}  // namespace wb
