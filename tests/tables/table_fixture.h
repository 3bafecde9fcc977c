// Shared helpers of the table tests: a private temporary directory, whole-file byte
// access, the sample tables, and an error handler that records every raised error and
// answers from a script (false when the script is empty).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "runtime/error.h"
#include "tables/table_writer.h"
#include "tables/workarea.h"

namespace tables_test {

std::string MakeTempDir();
void RemoveTree(const std::string& dir);
std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool Exists(const std::string& path);

class ErrorRecorder {
 public:
  ErrorRecorder();
  ~ErrorRecorder();
  std::vector<xb::Error> errors;
  std::deque<xb::Value> answers;  // next answers; false when empty

 private:
  xb::ErrorHandler previous_;
};

// Each test runs in its own directory with no table open.
class TableTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  // Writes the shipped sample tables into the test directory.
  void WriteSamples();
  bool Open(const std::string& name, bool shared = true);
  void CreateSampleTags(const char* t1 = "EXCEL1", const char* t2 = "EXCEL2",
                        const char* t3 = "EXCEL3");
  std::string dir_;
  ErrorRecorder recorder_;
};

}  // namespace tables_test
