// The report's Windows sources under Wine.
#include <gtest/gtest.h>

#include <fstream>

#include "errors/win/errorsys.h"
#include "errors/win/windows_sources.h"
#include "win_test_paths.h"

namespace {

constexpr char kCpuKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

// Replaces the processor name for the test's lifetime.
class CpuNameOverride {
 public:
  explicit CpuNameOverride(const std::string& bytes) {
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCpuKey, 0, KEY_READ | KEY_WRITE, &key_);
    DWORD size = sizeof old_;
    had_ = RegQueryValueExA(key_, "ProcessorNameString", nullptr, nullptr,
                            reinterpret_cast<BYTE*>(old_), &size) == ERROR_SUCCESS;
    old_size_ = size;
    ok_ = RegSetValueExA(key_, "ProcessorNameString", 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(bytes.data()),
                         static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
  }
  ~CpuNameOverride() {
    if (had_) {
      RegSetValueExA(key_, "ProcessorNameString", 0, REG_SZ, reinterpret_cast<BYTE*>(old_),
                     old_size_);
    } else {
      RegDeleteValueA(key_, "ProcessorNameString");
    }
    RegCloseKey(key_);
  }
  bool ok() const { return ok_; }

 private:
  HKEY key_ = nullptr;
  char old_[512] = {};
  DWORD old_size_ = 0;
  bool had_ = false;
  bool ok_ = false;
};

TEST(WindowsSources, ProcessorNameFromTheRegistry) {
  EXPECT_FALSE(errors::GETCPU().empty()) << "Wine's registry holds a processor name";
  {
    CpuNameOverride name(std::string("Test\0 CPU\0\0", 11));
    ASSERT_TRUE(name.ok());
    EXPECT_EQ(errors::GETCPU(), "Test CPU");
  }
  {
    CpuNameOverride name("Other 2.0GHz");
    ASSERT_TRUE(name.ok());
    EXPECT_EQ(errors::GETCPU(), "Other 2.0GHz");
  }
}

TEST(WindowsSources, VersionMemoryAndSpeed) {
  const errors::WindowsVersion v = errors::QueryWindowsVersion();
  EXPECT_EQ(v.major, 6);
  EXPECT_EQ(v.minor, 1);
  EXPECT_EQ(v.build, 7601);
  EXPECT_EQ(v.service_pack, "Service Pack 1");
  EXPECT_TRUE(errors::IsNtFamily());
  errors::WindowsSystem sys;
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  EXPECT_EQ(sys.PhysicalMemory(), static_cast<double>(status.ullTotalPhys));
  const long mhz = sys.ProcessorMhz();
  EXPECT_GT(mhz, 100);
  EXPECT_LT(mhz, 20000);
  EXPECT_EQ(sys.FreeResources(0), 90);
  EXPECT_EQ(sys.FreeResources(2), 90);
  EXPECT_EQ(sys.ProgramBits(), 64);
  EXPECT_NE(sys.CompilerVersion().find("GNU C++"), std::string::npos);
}

TEST(WindowsSources, ProgramPathSizeAndDirectory) {
  errors::WindowsSystem sys;
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  EXPECT_EQ(sys.ProgramPath(), path);
  std::string dir(path);
  dir = dir.substr(0, dir.rfind('\\'));
  EXPECT_EQ(errors::ErrorProgramDirectory(), dir);
  TempDir temp("errsize");
  const std::string file = temp.path() + "\\seven.bin";
  std::ofstream(file, std::ios::binary) << std::string(1234567, 'x');
  EXPECT_EQ(sys.FileSize(file), 1234567);
  EXPECT_EQ(sys.FileSize(temp.path() + "\\missing.bin"), 0);
}

LRESULT CALLBACK Plain(HWND h, UINT m, WPARAM w, LPARAM l) {
  return DefWindowProcA(h, m, w, l);
}

TEST(WindowsSources, WindowTitlesInZOrderWithoutRepeats) {
  errors::WindowsSystem sys;
  WNDCLASSA wc{};
  wc.lpfnWndProc = Plain;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ErrTitlesTest";
  RegisterClassA(&wc);
  auto make = [&](const char* title, bool visible) {
    return CreateWindowA("ErrTitlesTest", title, WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                         0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
  };
  HWND hidden = make("", false);
  HWND padded = make("Titles A  ", true);
  HWND untitled = make("", true);
  HWND a = make("Titles A", true);
  SetForegroundWindow(a);
  SetActiveWindow(a);
  ASSERT_EQ(GetActiveWindow(), a);
  const std::vector<std::string> titles = sys.WindowTitles();
  int a_count = 0, empty_count = 0;
  for (const std::string& t : titles) {
    if (t == "Titles A" || t == "Titles A  ") ++a_count;
    if (t.empty()) ++empty_count;
  }
  EXPECT_EQ(a_count, 1);
  EXPECT_EQ(empty_count, 1);
  ASSERT_FALSE(titles.empty());
  EXPECT_EQ(titles[0], "Titles A");  // the active window is on top
  for (HWND w : {a, untitled, padded, hidden}) DestroyWindow(w);
}

}  // namespace
