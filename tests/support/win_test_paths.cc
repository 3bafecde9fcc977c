#include "win_test_paths.h"

#include <vector>

std::string UnixToWindowsPath(const std::string& unix_path) {
  std::string p = unix_path;
  for (char& c : p)
    if (c == '/') c = '\\';
  if (!p.empty() && p[0] == '\\') p = "Z:" + p;
  return p;
}

namespace {
void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = fd.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = dir + "\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryA(dir.c_str());
}
}  // namespace

TempDir::TempDir(const std::string& tag) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  path_ = std::string(base) + "xlsamples_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
          std::to_string(++counter);
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempDir::~TempDir() { RemoveTree(path_); }

void CopyTablesInto(const std::string& dir) {
#ifdef XLSAMPLES_DATA_DIR
  std::string data = UnixToWindowsPath(XLSAMPLES_DATA_DIR);
  for (const char* name : {"PRODUCT.DBF", "PRODUCT1.DBF", "PRODUCT1.FPT"}) {
    CopyFileA((data + "\\" + name).c_str(), (dir + "\\" + name).c_str(), FALSE);
  }
#else
  (void)dir;
#endif
}

DWORD RunAndWait(const std::string& command_line, const std::string& work_dir, DWORD timeout_ms) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::vector<char> cmd(command_line.begin(), command_line.end());
  cmd.push_back('\0');
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, work_dir.c_str(), &si, &pi))
    return 0xFFFFFFFE;
  DWORD code = 0xFFFFFFFF;
  if (WaitForSingleObject(pi.hProcess, timeout_ms) == WAIT_OBJECT_0) {
    GetExitCodeProcess(pi.hProcess, &code);
  } else {
    TerminateProcess(pi.hProcess, 99);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}
