#include "tables/file_io.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <utility>

namespace tables {
namespace {
// Lock offsets lie beyond any real table or index, so data reads are never blocked.
constexpr int64_t kShareLockOffset = 0x7FFFFFF0LL;
constexpr int64_t kRebuildLockOffset = 0x7FFFFFF8LL;
}  // namespace

File::File(File&& other) noexcept {
  *this = std::move(other);
}

#ifdef _WIN32

File::~File() {
  Close();
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

static int MapWinError(DWORD e) {
  switch (e) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return 2;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return 32;
    case ERROR_ACCESS_DENIED:
      return 5;
    default:
      return int(e);
  }
}

int File::Open(const std::string& path, Mode mode, bool shared) {
  Close();
  DWORD access = mode == Mode::kRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  DWORD share = shared ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
  DWORD disposition = mode == Mode::kCreate ? OPEN_ALWAYS : OPEN_EXISTING;
  HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return MapWinError(GetLastError());
  handle_ = h;
  return 0;
}

void File::Close() {
  if (handle_) CloseHandle(handle_);
  handle_ = nullptr;
}

bool File::is_open() const {
  return handle_ != nullptr;
}

int64_t File::Size() const {
  LARGE_INTEGER size;
  if (!handle_ || !GetFileSizeEx(handle_, &size)) return 0;
  return size.QuadPart;
}

size_t File::ReadAt(int64_t offset, void* buffer, size_t n) const {
  size_t done = 0;
  while (done < n) {
    OVERLAPPED ov{};
    int64_t at = offset + int64_t(done);
    ov.Offset = DWORD(at);
    ov.OffsetHigh = DWORD(at >> 32);
    DWORD chunk = DWORD(std::min<size_t>(n - done, 1 << 30));
    DWORD got = 0;
    if (!ReadFile(handle_, static_cast<char*>(buffer) + done, chunk, &got, &ov) || got == 0) break;
    done += got;
  }
  return done;
}

bool File::WriteAt(int64_t offset, const void* data, size_t n) {
  size_t done = 0;
  while (done < n) {
    OVERLAPPED ov{};
    int64_t at = offset + int64_t(done);
    ov.Offset = DWORD(at);
    ov.OffsetHigh = DWORD(at >> 32);
    DWORD chunk = DWORD(std::min<size_t>(n - done, 1 << 30));
    DWORD put = 0;
    if (!WriteFile(handle_, static_cast<const char*>(data) + done, chunk, &put, &ov) || put == 0)
      return false;
    done += put;
  }
  return true;
}

bool File::Truncate(int64_t size) {
  LARGE_INTEGER at;
  at.QuadPart = size;
  return SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN) && SetEndOfFile(handle_);
}

bool File::LockRebuild(bool exclusive) {
  OVERLAPPED ov{};
  ov.Offset = DWORD(kRebuildLockOffset);
  DWORD flags = exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0;
  return LockFileEx(handle_, flags, 0, 1, 0, &ov) != 0;
}

void File::UnlockRebuild() {
  OVERLAPPED ov{};
  ov.Offset = DWORD(kRebuildLockOffset);
  UnlockFileEx(handle_, 0, 1, 0, &ov);
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

#else

File::~File() {
  Close();
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

static int MapErrno(int e) {
  switch (e) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
      return 2;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return 5;
    case EAGAIN:
    case EBUSY:
      return 32;
    default:
      return e;
  }
}

static bool SetLock(int fd, short type, int64_t offset, bool wait) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = offset;
  fl.l_len = 1;
  for (;;) {
    if (fcntl(fd, wait ? F_SETLKW : F_SETLK, &fl) == 0) return true;
    if (errno != EINTR) return false;
  }
}

int File::Open(const std::string& path, Mode mode, bool shared) {
  Close();
  int flags = mode == Mode::kRead ? O_RDONLY : O_RDWR;
  if (mode == Mode::kCreate) flags |= O_CREAT;
  int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) return MapErrno(errno);
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return 5;
  }
  // The sharing byte: shared openers hold a read lock, an exclusive one a write lock.
  // A read-only descriptor cannot take a write lock, and vice versa for some systems,
  // so the lock type follows the sharing mode only where the descriptor allows it.
  short type = shared ? F_RDLCK : F_WRLCK;
  if (!shared && mode == Mode::kRead) type = F_RDLCK;
  if (!SetLock(fd, type, kShareLockOffset, false)) {
    int e = errno;
    ::close(fd);
    return (e == EAGAIN || e == EACCES) ? 32 : MapErrno(e);
  }
  fd_ = fd;
  return 0;
}

void File::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool File::is_open() const {
  return fd_ >= 0;
}

int64_t File::Size() const {
  struct stat st;
  if (fd_ < 0 || fstat(fd_, &st) != 0) return 0;
  return st.st_size;
}

size_t File::ReadAt(int64_t offset, void* buffer, size_t n) const {
  size_t done = 0;
  while (done < n) {
    ssize_t got = pread(fd_, static_cast<char*>(buffer) + done, n - done, offset + int64_t(done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += size_t(got);
  }
  return done;
}

bool File::WriteAt(int64_t offset, const void* data, size_t n) {
  size_t done = 0;
  while (done < n) {
    ssize_t put =
        pwrite(fd_, static_cast<const char*>(data) + done, n - done, offset + int64_t(done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += size_t(put);
  }
  return true;
}

bool File::Truncate(int64_t size) {
  return ftruncate(fd_, size) == 0;
}

bool File::LockRebuild(bool exclusive) {
  return SetLock(fd_, exclusive ? F_WRLCK : F_RDLCK, kRebuildLockOffset, true);
}

void File::UnlockRebuild() {
  SetLock(fd_, F_UNLCK, kRebuildLockOffset, false);
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

#endif

bool File::ReadAll(std::vector<uint8_t>& out) const {
  int64_t size = Size();
  out.resize(size_t(size));
  return ReadAt(0, out.data(), out.size()) == out.size();
}

}  // namespace tables
