#include "errors/log_files.h"

#include <cstdio>

#include "runtime/error.h"
#include "runtime/sequence.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace errors {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

class PortableFiles : public LogFileSystem {
 public:
  bool Exists(const std::string& path) override {
#ifdef _WIN32
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0;
#endif
  }
  void Remove(const std::string& path) override {
    std::remove(path.c_str());
  }
  bool Write(const std::string& path, const std::string& bytes) override {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool all = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    return all && closed;
  }
};

}  // namespace

LogFileSystem& RealLogFiles() {
  static PortableFiles files;
  return files;
}

std::string LogFileName(int n) {
  return "ERROR_" + std::to_string(n) + ".log";
}

std::string LogFilePath(const std::string& directory, int n) {
  return directory + kSeparator + LogFileName(n);
}

LogResult StoreReport(const std::string& directory, const std::string& report,
                      LogFileSystem& files) {
  LogResult result;
  const std::string content = report + kEndOfFile;
  // Any run-time error inside the step breaks out of it; the handler it replaces (the
  // fallback) is current again afterwards.
  xb::ErrorHandler kept = xb::SetErrorHandler([](xb::Error&) -> xb::Value { xb::DoBreak(); });
  xb::BeginSequence([&] {
    for (int n = 1; n <= kLogFileCount + 1; ++n) {
      int chosen = n;
      if (n <= kLogFileCount) {
        if (files.Exists(LogFilePath(directory, n))) continue;
      } else {
        for (int k = 1; k <= kLogFileCount; ++k) files.Remove(LogFilePath(directory, k));
        chosen = 1;
      }
      result.name = LogFileName(chosen);
      result.path = LogFilePath(directory, chosen);
      result.written = files.Write(result.path, content);
      break;
    }
  });
  xb::SetErrorHandler(std::move(kept));
  return result;
}

}  // namespace errors
