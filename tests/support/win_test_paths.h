// Helpers for Windows tests under Wine: paths, temporary directories, child processes.
#pragma once

#include <windows.h>

#include <string>

// A Unix path from the build (/work/...) as Wine sees it (Z:\work\...).
std::string UnixToWindowsPath(const std::string& unix_path);

// A fresh directory under the temporary directory, removed with its files at the end.
class TempDir {
 public:
  explicit TempDir(const std::string& tag);
  ~TempDir();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Copies the sample tables (data/*.DBF, *.FPT) into dir, when the build has them.
void CopyTablesInto(const std::string& dir);

// Runs a command line in a working directory; the exit code, or 0xFFFFFFFF on a time-out.
DWORD RunAndWait(const std::string& command_line, const std::string& work_dir, DWORD timeout_ms);
