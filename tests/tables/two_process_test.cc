// Two processes start at the same moment on the same tables and rebuild the same tags,
// again and again: both succeed and the index file is valid afterwards.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "runtime/settings.h"
#include "shell/table_startup.h"
#include "table_fixture.h"
#include "tables/cdx_format.h"

namespace tables_test {
namespace {

using namespace tables;

class TwoProcessTest : public TableTest {};

TEST_F(TwoProcessTest, SimultaneousRebuildsLeaveAValidIndex) {
  WriteSamples();
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  std::vector<pid_t> children;
  for (int c = 0; c < 2; ++c) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(go[1]);
      char x;
      if (read(go[0], &x, 1) != 0) _exit(3);  // wait until the parent closes the pipe
      int failures = 0;
      xb::SetErrorHandler([&](xb::Error& e) {
        std::fprintf(stderr, "child %d: error %d %s %s os %d\n", int(getpid()), e.gen_code,
                     e.description.text().c_str(), e.file_name.c_str(), e.os_code);
        ++failures;
        return xb::Value::Logical(false);
      });
      std::filesystem::current_path(dir_);
      xb::Set(xb::kSetExclusive, xb::Value::Text("OFF"));
      for (int run = 0; run < 8; ++run) {
        shell::OpenSampleTables();
        SelectArea(1);
        if (OrderCount() < 3 || KeyCount() != 320) {
          std::fprintf(stderr, "child %d: %d orders, %ld keys\n", int(getpid()), OrderCount(),
                       KeyCount());
          ++failures;
        }
        CloseAll();
      }
      _exit(failures ? 1 : 0);
    }
    children.push_back(pid);
  }
  close(go[0]);
  close(go[1]);  // both children start now
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  for (const char* name : {"PRODUCT.cdx", "PRODUCT1.cdx"}) {
    CdxFile cdx;
    ASSERT_EQ(ParseCdx(ReadBytes(Path(name)), cdx), "") << name;
    ASSERT_EQ(cdx.tags.size(), 3u) << name;
    for (const auto& t : cdx.tags) {
      std::vector<uint32_t> recnos;
      EXPECT_EQ(TagRecords(cdx, t, 1000, recnos), "");
      EXPECT_EQ(recnos.size(), std::string(name) == "PRODUCT.cdx" ? 320u : 60u) << t.name;
    }
  }
  // And the program opens them as usual.
  SelectArea(1);
  ASSERT_TRUE(Open("PRODUCT.DBF"));
  EXPECT_EQ(OrderCount(), 3);
  EXPECT_TRUE(recorder_.errors.empty());
}

TEST_F(TwoProcessTest, ExclusiveHolderMakesOthersFailWithSharingViolation) {
  WriteSamples();
  int ready[2], done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    bool ok = Open("PRODUCT.DBF", /*shared=*/false);
    if (write(ready[1], ok ? "1" : "0", 1) != 1) _exit(3);
    char x;
    if (read(done[0], &x, 1) < 0) _exit(4);  // hold the table until the parent is done
    _exit(ok ? 0 : 1);
  }
  char flag = 0;
  ASSERT_EQ(read(ready[0], &flag, 1), 1);
  ASSERT_EQ(flag, '1');
  EXPECT_FALSE(Open("PRODUCT.DBF", true));
  ASSERT_EQ(recorder_.errors.size(), 1u);
  EXPECT_EQ(recorder_.errors[0].gen_code, 21);
  EXPECT_EQ(recorder_.errors[0].os_code, 32);
  EXPECT_FALSE(IsOpen());
  ASSERT_EQ(write(done[1], "x", 1), 1);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(Open("PRODUCT.DBF", true));  // free again once the holder has gone
}

}  // namespace
}  // namespace tables_test
