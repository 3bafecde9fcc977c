// Files with the sharing rules of the table engine. Shared and exclusive opens exclude
// each other across processes (Windows share modes; POSIX: a lock byte far past any
// data). Failures give the Windows error code: 2 missing, 5 access denied, 32 sharing
// violation (POSIX errno is mapped to these). Rebuild locks are blocking whole-file
// locks on a region no data reaches, so readers are never blocked by them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tables {

class File {
 public:
  enum class Mode { kRead, kReadWrite, kCreate };  // kCreate: read-write, made if absent

  File() = default;
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;

  // Returns 0 or the Windows-style error code.
  int Open(const std::string& path, Mode mode, bool shared);
  void Close();
  bool is_open() const;

  int64_t Size() const;
  // Reads up to n bytes at offset; returns the count read (short at end of file).
  size_t ReadAt(int64_t offset, void* buffer, size_t n) const;
  bool WriteAt(int64_t offset, const void* data, size_t n);
  bool Truncate(int64_t size);
  bool ReadAll(std::vector<uint8_t>& out) const;

  // Blocking lock used while an index file is read (shared) or rewritten (exclusive).
  bool LockRebuild(bool exclusive);
  void UnlockRebuild();

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

bool FileExists(const std::string& path);

}  // namespace tables
