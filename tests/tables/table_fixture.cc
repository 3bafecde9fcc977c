#include "table_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "runtime/settings.h"
#include "tools/sample_data.h"

namespace tables_test {

std::string MakeTempDir() {
  namespace fs = std::filesystem;
  static int counter = 0;
  for (;;) {
    fs::path p = fs::temp_directory_path() /
                 ("xbtables_" + std::to_string(std::rand()) + "_" + std::to_string(++counter));
    std::error_code ec;
    if (fs::create_directory(p, ec)) return p.generic_string();
  }
}

void RemoveTree(const std::string& dir) {
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::vector<uint8_t> out;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return out;
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  std::fclose(f);
  return out;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

bool Exists(const std::string& path) {
  return std::filesystem::exists(path);
}

ErrorRecorder::ErrorRecorder() {
  previous_ = xb::SetErrorHandler([this](xb::Error& e) {
    errors.push_back(e);
    if (answers.empty()) return xb::Value::Logical(false);
    xb::Value v = answers.front();
    answers.pop_front();
    return v;
  });
}

ErrorRecorder::~ErrorRecorder() {
  xb::SetErrorHandler(previous_);
}

void TableTest::SetUp() {
  tables::CloseAll();
  tables::SetNetError(false);
  xb::ResetSettings();
  xb::Set(xb::kSetExclusive, xb::Value::Text("OFF"));  // as the program runs
  dir_ = MakeTempDir();
}

void TableTest::TearDown() {
  tables::CloseAll();
  RemoveTree(dir_);
}

void TableTest::WriteSamples() {
  ASSERT_EQ(samples::WriteSampleTables(dir_), "");
}

bool TableTest::Open(const std::string& name, bool shared) {
  tables::OpenOptions o;
  o.file = Path(name);
  o.shared = shared;
  return tables::OpenTable(o);
}

void TableTest::CreateSampleTags(const char* t1, const char* t2, const char* t3) {
  using namespace tables;
  CreateOrder("", t1, "STR(ID_NR)", KeyStr("ID_NR"));
  CreateOrder("", t2, "LOWER(CUSTOMER) + INVOICE ",
              KeyConcat({KeyLower("CUSTOMER"), KeyField("INVOICE")}));
  CreateOrder("", t3, "LOWER(PRODUCT)", KeyLower("PRODUCT"));
}

}  // namespace tables_test
