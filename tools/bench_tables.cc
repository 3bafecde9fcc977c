// bench_tables [RECORDS]: on a generated PRODUCT table (1,000,000 records by default)
// measures opening it and building its three tags, a full walk in order 2, going to
// the last key and to a middle key position, and the peak memory; and, in the same run,
// SQLite building the three equivalent indexes over the same rows. Prints both times
// and their ratio. Not a test: it asserts nothing and only reports.
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/error.h"
#include "runtime/settings.h"
#include "tables/workarea.h"
#include "tools/sample_data.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

long PeakKib() {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

void CreateTags() {
  using namespace tables;
  CreateOrder("", "EXCEL1", "STR(ID_NR)", KeyStr("ID_NR"));
  CreateOrder("", "EXCEL2", "LOWER(CUSTOMER) + INVOICE ",
              KeyConcat({KeyLower("CUSTOMER"), KeyField("INVOICE")}));
  CreateOrder("", "EXCEL3", "LOWER(PRODUCT)", KeyLower("PRODUCT"));
}

void Exec(sqlite3* db, const char* sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
    std::fprintf(stderr, "sqlite: %s: %s\n", sql, err ? err : "?");
    std::exit(1);
  }
}

// Loads the same rows into SQLite (not timed) and times the three CREATE INDEX.
double SqliteIndexes(const std::string& dir) {
  sqlite3* db = nullptr;
  std::string path = dir + "/product.sqlite";
  std::remove(path.c_str());
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) std::exit(1);
  Exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA cache_size=-400000;");
  Exec(db, "CREATE TABLE product(id INTEGER, customer TEXT, product TEXT, invoice TEXT, "
           "value REAL, inv_date TEXT)");
  Exec(db, "BEGIN");
  sqlite3_stmt* ins = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO product VALUES(?,?,?,?,?,?)", -1, &ins, nullptr);
  tables::GoTop();
  tables::SetOrder(0);
  for (tables::GoTop(); !tables::Eof(); tables::Skip(1)) {
    sqlite3_bind_int(ins, 1, int(tables::FieldValue(1).number()));
    std::string c = tables::FieldValue(2).text(), p = tables::FieldValue(3).text(),
                i = tables::FieldValue(4).text();
    sqlite3_bind_text(ins, 2, c.c_str(), int(c.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(ins, 3, p.c_str(), int(p.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(ins, 4, i.c_str(), int(i.size()), SQLITE_TRANSIENT);
    sqlite3_bind_double(ins, 5, tables::FieldValue(5).number());
    sqlite3_bind_null(ins, 6);
    sqlite3_step(ins);
    sqlite3_reset(ins);
  }
  sqlite3_finalize(ins);
  Exec(db, "COMMIT");
  auto t0 = Clock::now();
  Exec(db, "CREATE INDEX excel1 ON product(id)");
  Exec(db, "CREATE INDEX excel2 ON product(lower(customer) || invoice)");
  Exec(db, "CREATE INDEX excel3 ON product(lower(product))");
  auto t1 = Clock::now();
  sqlite3_close(db);
  std::remove(path.c_str());
  return Seconds(t0, t1);
}

}  // namespace

int main(int argc, char** argv) {
  const uint32_t records = argc > 1 ? uint32_t(std::strtoul(argv[1], nullptr, 10)) : 1000000;
  const std::string dir =
      (std::filesystem::temp_directory_path() / ("bench_tables_" + std::to_string(getpid())))
          .string();
  std::filesystem::create_directories(dir);
  const std::string table = dir + "/PRODUCT.DBF";
  // The table is generated in a child process, so its memory does not count here.
  pid_t pid = fork();
  if (pid == 0) _exit(samples::WriteLargeProductTable(table, records).empty() ? 0 : 1);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
  const double table_mib = double(std::filesystem::file_size(table)) / (1 << 20);

  xb::SetErrorHandler([](xb::Error& e) {
    std::fprintf(stderr, "error %d %s %s\n", e.gen_code, e.description.text().c_str(),
                 e.file_name.c_str());
    std::exit(1);
    return xb::Value();
  });
  xb::Set(xb::kSetExclusive, xb::Value::Text("OFF"));
  tables::OpenOptions open;
  open.file = table;

  // First start: no index file yet. Second start: the index is opened and rebuilt.
  auto t0 = Clock::now();
  tables::SelectArea(1);
  tables::OpenTable(open);
  CreateTags();
  auto t1 = Clock::now();
  tables::CloseAll();
  auto t2 = Clock::now();
  tables::OpenTable(open);
  CreateTags();
  auto t3 = Clock::now();
  const double first = Seconds(t0, t1), second = Seconds(t2, t3);

  tables::SetOrder(2);
  auto w0 = Clock::now();
  long walked = 0;
  for (tables::GoTop(); !tables::Eof(); tables::Skip(1)) ++walked;
  auto w1 = Clock::now();
  long read = 0;
  for (tables::GoTop(); !tables::Eof(); tables::Skip(1))
    read += long(tables::FieldValue("CUSTOMER").text().size());
  auto w2 = Clock::now();

  auto b0 = Clock::now();
  tables::GoBottom();
  long last = tables::KeyPosition();
  auto b1 = Clock::now();
  tables::GoToKeyPosition(records / 2);
  long middle = tables::KeyPosition();
  auto b2 = Clock::now();
  const long peak_kib = PeakKib();

  const double sqlite = SqliteIndexes(dir);
  tables::CloseAll();
  std::filesystem::remove_all(dir);

  std::printf("records: %u, table %.1f MiB\n", records, table_mib);
  std::printf("open + build 3 tags, first start:  %.3f s\n", first);
  std::printf("open + rebuild 3 tags, next start: %.3f s\n", second);
  std::printf("SQLite CREATE INDEX x3:            %.3f s\n", sqlite);
  std::printf("ratio first start / SQLite: %.2f, next start / SQLite: %.2f\n", first / sqlite,
              second / sqlite);
  std::printf("walk order 2 (%ld keys): %.3f s; with CUSTOMER read (%ld bytes): %.3f s\n", walked,
              Seconds(w0, w1), read, Seconds(w1, w2));
  std::printf("go to last key (%ld): %.1f us; go to key %ld: %.1f us\n", last,
              Seconds(b0, b1) * 1e6, middle, Seconds(b1, b2) * 1e6);
  std::printf("peak memory: %.1f MiB = %.2f x table size\n", peak_kib / 1024.0,
              peak_kib / 1024.0 / table_mib);
  return 0;
}
