#include "workbook/replace_file.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#endif

namespace wb {

namespace {

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return ".";
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

#ifdef _WIN32
std::string SystemText(DWORD code) {
  char buffer[512] = {0};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           code, 0, buffer, sizeof buffer, nullptr);
  while (n > 0 && (buffer[n - 1] == '\r' || buffer[n - 1] == '\n' || buffer[n - 1] == ' ' ||
                   buffer[n - 1] == '.'))
    buffer[--n] = 0;
  std::string text = n ? buffer : "system error";
  return text + " (" + std::to_string(code) + ")";
}
#else
std::string SystemText(int code) {
  return std::string(std::strerror(code)) + " (" + std::to_string(code) + ")";
}
#endif

}  // namespace

bool ReplacementFile::Open(const std::string& path, std::string* error) {
  path_ = path;
  const std::string dir = DirectoryOf(path);
#ifdef _WIN32
  char temp[MAX_PATH + 1] = {0};
  if (GetTempFileNameA(dir.c_str(), "~xl", 0, temp) == 0) {
    *error = "Cannot create a file in \"" + dir + "\": " + SystemText(GetLastError());
    return false;
  }
  temporary_ = temp;
  HANDLE h = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    *error = "Cannot write \"" + temporary_ + "\": " + SystemText(GetLastError());
    DeleteFileA(temp);
    return false;
  }
  handle_ = reinterpret_cast<intptr_t>(h);
#else
  std::string pattern = dir + "/.~xl" + "XXXXXX";
  int fd = mkstemp(pattern.data());
  if (fd < 0) {
    *error = "Cannot create a file in \"" + dir + "\": " + SystemText(errno);
    return false;
  }
  temporary_ = pattern;
  // A new workbook gets the usual permissions, a replaced one keeps its own.
  struct stat old;
  mode_t mode;
  if (stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  handle_ = fd;
#endif
  open_ = true;
  return true;
}

bool ReplacementFile::Write(const void* data, size_t size) {
  if (!open_) return false;
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
#ifdef _WIN32
    DWORD chunk = DWORD(std::min<size_t>(size, 1u << 24)), written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(handle_), p, chunk, &written, nullptr) ||
        written == 0) {
      write_error_ = SystemText(GetLastError());
      return false;
    }
#else
    ssize_t written = ::write(int(handle_), p, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      write_error_ = SystemText(written < 0 ? errno : ENOSPC);
      return false;
    }
#endif
    p += written;
    size -= size_t(written);
  }
  return true;
}

bool ReplacementFile::Commit(std::string* error) {
  if (!open_) {
    *error = "The file is not open";
    return false;
  }
  if (!write_error_.empty()) {
    *error = "Cannot write \"" + temporary_ + "\": " + write_error_;
    Discard();
    return false;
  }
#ifdef _WIN32
  HANDLE h = reinterpret_cast<HANDLE>(handle_);
  const bool flushed = FlushFileBuffers(h) != 0;
  const DWORD flush_code = GetLastError();
  CloseHandle(h);
  handle_ = -1;
  if (!flushed) {
    *error = "Cannot write \"" + temporary_ + "\": " + SystemText(flush_code);
    Discard();
    return false;
  }
  if (!MoveFileExA(temporary_.c_str(), path_.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    *error = "Cannot replace \"" + path_ + "\": " + SystemText(GetLastError());
    Discard();
    return false;
  }
#else
  const int fd = int(handle_);
  const bool synced = fsync(fd) == 0;
  const int sync_code = errno;
  const bool closed = close(fd) == 0;
  const int close_code = errno;
  handle_ = -1;
  if (!synced || !closed) {
    *error = "Cannot write \"" + temporary_ + "\": " + SystemText(!synced ? sync_code : close_code);
    Discard();
    return false;
  }
  if (rename(temporary_.c_str(), path_.c_str()) != 0) {
    *error = "Cannot replace \"" + path_ + "\": " + SystemText(errno);
    Discard();
    return false;
  }
#endif
  open_ = false;
  temporary_.clear();
  return true;
}

void ReplacementFile::Discard() {
  if (handle_ != -1) {
#ifdef _WIN32
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
#else
    close(int(handle_));
#endif
    handle_ = -1;
  }
  if (!temporary_.empty()) {
#ifdef _WIN32
    DeleteFileA(temporary_.c_str());
#else
    unlink(temporary_.c_str());
#endif
    temporary_.clear();
  }
  open_ = false;
}

ReplacementFile::~ReplacementFile() {
  Discard();
}

}  // namespace wb
