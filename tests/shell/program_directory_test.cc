#include "shell/program_directory.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramDirectory, UpToTheLastBackslash) {
  EXPECT_EQ(shell::ProgramDirectory("C:\\Apps\\Sales\\viewer.exe"), "C:\\Apps\\Sales");
  EXPECT_EQ(shell::ProgramDirectory("C:\\viewer.exe"), "C:");
  EXPECT_EQ(shell::ProgramDirectory("viewer.exe"), "");
  std::string deep = "C:";
  for (int i = 0; i < 40; ++i) deep += "\\directory" + std::to_string(i);
  EXPECT_GT(deep.size(), 248u);
  EXPECT_EQ(shell::ProgramDirectory(deep + "\\viewer.exe"), deep);  // taken whole
}

}  // namespace
