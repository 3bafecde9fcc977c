// The rotation of ERROR_1.log .. ERROR_10.log in the program directory.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "errors/log_files.h"
#include "runtime/error.h"
#include "runtime/sequence.h"

namespace fs = std::filesystem;

namespace {

struct TempDir {
  fs::path path;
  TempDir() {
    char pattern[] = "/tmp/xb_errlog_XXXXXX";
    path = mkdtemp(pattern);
  }
  ~TempDir() { fs::remove_all(path); }
  std::string str() const { return path.string(); }
  void Touch(const std::string& name, const std::string& body = "old") const {
    std::ofstream(path / name, std::ios::binary) << body;
  }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(path)) names.insert(e.path().filename().string());
    return names;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(path / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

std::set<std::string> LogNames(std::initializer_list<int> numbers) {
  std::set<std::string> names;
  for (int n : numbers) names.insert(errors::LogFileName(n));
  return names;
}

const std::string kReport = "Application\r\n==========\r\n";

TEST(LogFiles, NamesHaveNoLeadingZeros) {
  EXPECT_EQ(errors::LogFileName(1), "ERROR_1.log");
  EXPECT_EQ(errors::LogFileName(10), "ERROR_10.log");
  EXPECT_EQ(errors::LogFilePath("/p/q", 4), "/p/q/ERROR_4.log");
}

TEST(LogFiles, FirstFreeNumberIsWritten) {
  const struct {
    const char* name;
    std::initializer_list<int> present;
    int expected;
    std::initializer_list<int> after;
  } cases[] = {
      {"empty directory", {}, 1, {1}},
      {"1 to 3 present", {1, 2, 3}, 4, {1, 2, 3, 4}},
      {"a gap is filled first", {1, 2, 3, 5, 6, 7, 8, 9, 10}, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"only 10 present", {10}, 1, {1, 10}},
      {"all ten present: wrap-around", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 1, {1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    for (int n : c.present) dir.Touch(errors::LogFileName(n));
    const errors::LogResult r = errors::StoreReport(dir.str(), kReport);
    EXPECT_EQ(r.name, errors::LogFileName(c.expected));
    EXPECT_EQ(r.path, errors::LogFilePath(dir.str(), c.expected));
    EXPECT_TRUE(r.written);
    EXPECT_EQ(dir.Names(), LogNames(c.after));
    EXPECT_EQ(dir.Read(r.name), kReport + '\x1A');
  }
}

TEST(LogFiles, AfterAWrapTheNextGoesToTwo) {
  TempDir dir;
  for (int n = 1; n <= 10; ++n) dir.Touch(errors::LogFileName(n));
  EXPECT_EQ(errors::StoreReport(dir.str(), kReport).name, "ERROR_1.log");
  EXPECT_EQ(errors::StoreReport(dir.str(), kReport).name, "ERROR_2.log");
  EXPECT_EQ(dir.Names(), LogNames({1, 2}));
}

TEST(LogFiles, EndsWithByte26AfterTheLastCrLf) {
  TempDir dir;
  std::string report;
  for (int i = 0; i < 300; ++i) report += "line " + std::to_string(i) + "\r\n";
  report +=
      "Gr\xF6\xDF"
      "e\r\n";
  errors::StoreReport(dir.str(), report);
  const std::string written = dir.Read("ERROR_1.log");
  ASSERT_EQ(written.size(), report.size() + 1);
  EXPECT_EQ(written.substr(0, report.size()), report);
  EXPECT_EQ(written.back(), 26);
}

TEST(LogFiles, OtherDirectoriesAndNumbersAreUntouched) {
  TempDir program;
  TempDir working;
  for (int n = 1; n <= 11; ++n) working.Touch(errors::LogFileName(n), "keep");
  for (int n = 1; n <= 10; ++n) program.Touch(errors::LogFileName(n));
  program.Touch("ERROR_11.log", "eleven");
  program.Touch("error_1.log.bak", "other");
  for (int i = 0; i < 25; ++i) errors::StoreReport(program.str(), kReport);
  for (int n = 1; n <= 11; ++n) EXPECT_EQ(working.Read(errors::LogFileName(n)), "keep");
  // 25 reports after a full set: a wrap, ten, a wrap, ten, then four more.
  std::set<std::string> expected = LogNames({1, 2, 3, 4, 5});
  expected.insert("ERROR_11.log");
  expected.insert("error_1.log.bak");
  EXPECT_EQ(program.Names(), expected);
  EXPECT_EQ(program.Read("ERROR_11.log"), "eleven");
}

TEST(LogFiles, AnUnwritableDirectoryIsReportedAsNotWritten) {
  TempDir dir;
  const std::string missing = dir.str() + "/no/such/dir";
  const errors::LogResult r = errors::StoreReport(missing, kReport);
  EXPECT_EQ(r.name, "ERROR_1.log");
  EXPECT_FALSE(r.written);
  EXPECT_FALSE(fs::exists(r.path));
}

// File operations that raise a run-time error at a chosen call.
struct RaisingFiles : errors::LogFileSystem {
  int raise_at;
  int calls = 0;
  std::vector<std::string> log;
  explicit RaisingFiles(int at) : raise_at(at) {}
  void Step(const std::string& what) {
    log.push_back(what);
    if (++calls == raise_at) {
      xb::Error e = xb::Error::Generic(xb::kErrWrite, "BASE", 1);
      xb::Raise(e);
    }
  }
  bool Exists(const std::string& p) override {
    Step("exists " + fs::path(p).filename().string());
    return true;
  }
  void Remove(const std::string& p) override { Step("remove " + fs::path(p).filename().string()); }
  bool Write(const std::string& p, const std::string&) override {
    Step("write " + fs::path(p).filename().string());
    return true;
  }
};

TEST(LogFiles, ARunTimeErrorBreaksOutOfTheStepSilently) {
  int outer_calls = 0;
  xb::ErrorHandler before = xb::SetErrorHandler([&](xb::Error&) -> xb::Value {
    ++outer_calls;
    return xb::Value::Logical(false);
  });
  const struct {
    int raise_at;
    size_t steps;
    const char* name;
    bool written;
  } cases[] = {
      {1, 1, "", false},               // on the first existence test
      {15, 15, "", false},             // while removing the ten
      {21, 21, "ERROR_1.log", false},  // during the write itself
      {0, 21, "ERROR_1.log", true},    // no error: ten tests, ten removals, one write
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.raise_at);
    RaisingFiles files(c.raise_at);
    const errors::LogResult r = errors::StoreReport("/nowhere", kReport, files);
    EXPECT_EQ(files.log.size(), c.steps);
    EXPECT_EQ(r.name, c.name);
    EXPECT_EQ(r.written, c.written);
    EXPECT_FALSE(xb::InSequence());
  }
  RaisingFiles files(0);
  errors::StoreReport("/nowhere", kReport, files);
  EXPECT_EQ(files.log.back(), "write ERROR_1.log");
  EXPECT_EQ(files.log[10], "remove ERROR_1.log");
  EXPECT_EQ(files.log[19], "remove ERROR_10.log");
  // The handler current before the step is current again, and was never asked.
  xb::Error e = xb::Error::Generic(xb::kErrWrite, "BASE", 1);
  e.can_default = true;
  xb::Raise(e);
  EXPECT_EQ(outer_calls, 1);
  xb::SetErrorHandler(before);
}

}  // namespace
