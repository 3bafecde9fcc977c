// The rotating error log files ERROR_1.log .. ERROR_10.log of the program directory.
// StoreReport writes the report, followed by byte 26, to the first free number; when all
// ten exist it removes them (1 to 10) and writes ERROR_1.log. The step runs in a guarded
// sequence: a run-time error raised inside it ends the step at once and silently.
// Nothing outside the given directory is touched, and no number above 10 is used.
// A write that fails is reported back (written false), so the dialog never offers to
// open a file that is not there.
#pragma once

#include <string>

namespace errors {

constexpr int kLogFileCount = 10;
constexpr char kEndOfFile = 26;

// The file operations of the log step, replaceable in tests.
class LogFileSystem {
 public:
  virtual ~LogFileSystem() = default;
  virtual bool Exists(const std::string& path) = 0;
  virtual void Remove(const std::string& path) = 0;
  virtual bool Write(const std::string& path, const std::string& bytes) = 0;  // all of them
};

LogFileSystem& RealLogFiles();

std::string LogFileName(int n);  // "ERROR_" + n + ".log"
std::string LogFilePath(const std::string& directory, int n);

struct LogResult {
  std::string name;  // the kept name; empty when the step ended before choosing one
  std::string path;
  bool written = false;
};

LogResult StoreReport(const std::string& directory, const std::string& report,
                      LogFileSystem& files = RealLogFiles());

}  // namespace errors
