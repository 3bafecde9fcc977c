// Benchmark: an invoice overview of 65,000 records built through the engine's late-bound
// calls the way the export makes them (every value and every format its own call
// chain), then saved; against Python's xlwt writing the same cell values without
// formats, in the same run. Prints both times, the ratio and the peak memory.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "workbook/application.h"

namespace {

using wb::CallKind;

constexpr int kRecords = 65000;
constexpr int kCustomers = 100;

xb::Value N(double n) {
  return xb::Value::Number(n);
}
xb::Value T(std::string s) {
  return xb::Value::Text(std::move(s));
}

bool failed = false;
double save_seconds = 0;

xb::Value Call(const xb::Value& o, std::string_view member, std::vector<xb::Value> args = {}) {
  auto* d = dynamic_cast<wb::Dispatchable*>(o.object().get());
  wb::CallResult r = d->Invoke(member, CallKind::kMethod, args);
  if (!r.ok()) {
    std::fprintf(stderr, "%.*s failed: %s\n", int(member.size()), member.data(),
                 r.description.c_str());
    failed = true;
  }
  return r.value;
}

void Put(const xb::Value& o, std::string_view member, xb::Value v) {
  auto* d = dynamic_cast<wb::Dispatchable*>(o.object().get());
  wb::CallResult r = d->Invoke(member, CallKind::kPut, {std::move(v)});
  if (!r.ok()) {
    std::fprintf(stderr, "%.*s put failed: %s\n", int(member.size()), member.data(),
                 r.description.c_str());
    failed = true;
  }
}

xb::Value Cell(const xb::Value& sheet, int r, int c) {
  return Call(sheet, "Cells", {N(r), N(c)});
}

std::string Customer(int k) {
  return "Customer " + std::to_string(k) + std::string(12, ' ');
}
std::string Invoice(int i) {
  return "R" + std::to_string(100000 + i) + "     ";
}
std::string Product(int i) {
  return "Program " + std::to_string(1 + i % 10);
}
std::string ValueText(int i) {
  char b[32];
  std::snprintf(b, sizeof b, "%10.2f", (i % 977) * 1.25);
  return b;
}

double Ours(const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  xb::Value app = xb::Value::FromObject(wb::NewApplication({}));
  xb::Value book = Call(Call(app, "Workbooks"), "Add");
  while (Call(Call(app, "Sheets"), "Count").number() > 1)
    Call(Call(app, "Worksheets", {N(1)}), "Delete");
  Put(app, "DisplayAlerts", xb::Value::Logical(false));
  xb::Value sheet = Call(app, "ActiveSheet");
  Put(sheet, "Name", T("Excel-Test"));
  Call(Cell(sheet, 3, 1), "Select");
  Put(Call(app, "ActiveWindow"), "FreezePanes", xb::Value::Logical(true));
  Put(Call(Call(sheet, "Cells"), "Font"), "Size", N(10));
  Put(Call(Call(sheet, "Cells"), "Font"), "Name", T("Arial"));
  const int widths[] = {5, 12, 12, 10, 10};
  const int aligns[] = {-4108, -4131, -4131, -4131, -4152};
  for (int i = 0; i < 5; ++i) {
    xb::Value column = Call(sheet, "Columns", {N(i + 1)});
    Put(column, "HorizontalAlignment", N(aligns[i]));
    Put(column, "ColumnWidth", N(widths[i]));
    Put(column, "NumberFormat", T("@"));
  }
  int row = 3, record = 0;
  const int per_customer = kRecords / kCustomers;
  for (int k = 0; k < kCustomers; ++k) {
    ++row;
    Call(Cell(sheet, row, 1), "Select");
    for (int c = 1; c <= 2; ++c) {
      Put(Call(Cell(sheet, row, c), "Font"), "Bold", xb::Value::Logical(true));
      Put(Call(Cell(sheet, row, c), "Font"), "Color", N(255));
    }
    Put(Cell(sheet, row, 1), "Value", N(1000 + k));
    Put(Cell(sheet, row, 2), "Value", T(Customer(k)));
    double total = 0;
    for (int j = 0; j < per_customer; ++j, ++record) {
      for (int c = 3; c <= 5; ++c) Put(Call(Cell(sheet, row, c), "Font"), "Color", N(16711680));
      Put(Cell(sheet, row, 3), "Value", T(Invoice(record)));
      Put(Cell(sheet, row, 4), "Value", T(Product(record)));
      Put(Cell(sheet, row, 5), "Value", T(ValueText(record)));
      total += (record % 977) * 1.25;
      ++row;
    }
    Put(Call(Cell(sheet, row, 5), "Font"), "Bold", xb::Value::Logical(true));
    Put(Call(Cell(sheet, row, 5), "Font"), "Color", N(255));
    char t[32];
    std::snprintf(t, sizeof t, "%13.2f", total);
    Put(Cell(sheet, row, 5), "Value", T(t));
    ++row;
  }
  Call(Cell(sheet, 2, 1), "Select");
  const auto saving = std::chrono::steady_clock::now();
  Call(book, "SaveAs", {T(path)});
  const auto end = std::chrono::steady_clock::now();
  save_seconds = std::chrono::duration<double>(end - saving).count();
  return std::chrono::duration<double>(end - start).count();
}

// The same cell values through xlwt, timed inside Python (start-up excluded).
const char* kXlwtScript = R"PY(
import sys, time
start = time.perf_counter()
import xlwt
records, customers = int(sys.argv[2]), int(sys.argv[3])
book = xlwt.Workbook()
sheet = book.add_sheet("Excel-Test")
row, record, per = 3, 0, records // customers
for k in range(customers):
    sheet.write(row, 0, 1000 + k)
    sheet.write(row, 1, "Customer %d" % k + " " * 12)
    total = 0.0
    for j in range(per):
        sheet.write(row, 2, "R%d     " % (100000 + record))
        sheet.write(row, 3, "Program %d" % (1 + record % 10))
        sheet.write(row, 4, "%10.2f" % ((record % 977) * 1.25))
        total += (record % 977) * 1.25
        record += 1
        row += 1
        if row % 1000 == 0:
            sheet.flush_row_data()
    sheet.write(row, 4, "%13.2f" % total)
    row += 2
book.save(sys.argv[1])
print(time.perf_counter() - start)
)PY";

double Peer(const std::string& path, long* peak_kb) {
  const std::string script = "/tmp/bench_workbook_xlwt.py";
  std::ofstream(script) << kXlwtScript;
  const std::string command = "/usr/bin/python3 " + script + " " + path + " " +
                              std::to_string(kRecords) + " " + std::to_string(kCustomers);
  FILE* p = popen(command.c_str(), "r");
  double seconds = -1;
  if (p == nullptr || std::fscanf(p, "%lf", &seconds) != 1) seconds = -1;
  if (p) pclose(p);
  struct rusage children;
  getrusage(RUSAGE_CHILDREN, &children);
  *peak_kb = children.ru_maxrss;
  std::remove(script.c_str());
  return seconds;
}

}  // namespace

int main() {
  const std::string ours_path = "/tmp/bench_workbook_ours.xls",
                    peer_path = "/tmp/bench_workbook_xlwt.xls";
  const double ours = Ours(ours_path);
  struct rusage self;
  getrusage(RUSAGE_SELF, &self);
  long peer_kb = 0;
  const double peer = Peer(peer_path, &peer_kb);
  std::remove(ours_path.c_str());
  std::remove(peer_path.c_str());
  if (failed || peer <= 0) {
    std::printf("benchmark failed (engine calls %s, xlwt %s)\n", failed ? "failed" : "ok",
                peer <= 0 ? "failed" : "ok");
    return 1;
  }
  std::printf(
      "invoice overview, %d records: engine %.3f s (peak %ld MB), xlwt values only %.3f s (peak "
      "%ld MB)\n",
      kRecords, ours, self.ru_maxrss / 1024, peer, peer_kb / 1024);
  std::printf("engine: %.3f s of calls, %.3f s of saving\n", ours - save_seconds, save_seconds);
  std::printf("ratio engine/xlwt: %.3f\n", ours / peer);
  return 0;
}
