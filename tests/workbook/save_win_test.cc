// Saving under Windows: the temporary file beside the target, the replacement of an old
// workbook, and a target that another program holds open.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "automation_driver.h"
#include "win_test_paths.h"

namespace wbtest {
namespace {

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> out;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    const std::string n = found.cFileName;
    if (n != "." && n != "..") out.push_back(n);
  } while (FindNextFileA(h, &found));
  FindClose(h);
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void SaveText(const std::string& path, const char* text, wb::CallResult* result) {
  Book b(1);
  Put(Cell(b.sheet, 1, 1), "Value", T(text));
  *result = Try(b.book, "SaveAs", wb::CallKind::kMethod, {T(path)});
}

TEST(WorkbookSaveWindows, ReplacesTheOldFileAndLeavesNoTemporaryFile) {
  TempDir dir("wbsave");
  const std::string file = dir.path() + "\\Matrix.xls";
  wb::CallResult r;
  SaveText(file, "first", &r);
  ASSERT_TRUE(r.ok()) << r.description;
  const std::string first = ReadFile(file);
  EXPECT_EQ(first.substr(0, 8), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
  SaveText(file, "second one", &r);
  ASSERT_TRUE(r.ok()) << r.description;
  const std::string second = ReadFile(file);
  EXPECT_NE(second.find("second one"), std::string::npos);
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"Matrix.xls"});
}

TEST(WorkbookSaveWindows, AFileHeldOpenIsAnErrorAndStaysAsItWas) {
  TempDir dir("wbheld");
  const std::string file = dir.path() + "\\Invoice.xls";
  wb::CallResult r;
  SaveText(file, "old", &r);
  ASSERT_TRUE(r.ok()) << r.description;
  const std::string before = ReadFile(file);
  // Another program has the workbook open without sharing.
  HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  SaveText(file, "new", &r);
  CloseHandle(held);
  EXPECT_EQ(r.status, wb::kException);
  EXPECT_NE(r.description.find("Invoice.xls"), std::string::npos) << r.description;
  EXPECT_EQ(ReadFile(file), before);
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"Invoice.xls"});

  SaveText(dir.path() + "\\missing\\x.xls", "x", &r);
  EXPECT_EQ(r.status, wb::kException);
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"Invoice.xls"});
}

}  // namespace
}  // namespace wbtest
