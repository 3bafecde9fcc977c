// Benchmark: a generated PRODUCT.DBF of 65,000 records exported as the invoice overview
// with the built-in engine (the whole worker, every call), against python3-xlwt writing
// the same cell values without formats in the same run. Prints both times, the ratio
// and the peak memory of each.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "export/export_run.h"
#include "shell/main_state.h"
#include "tables/table_writer.h"
#include "tables/workarea.h"

namespace {

class QuietHost : public exporter::ExportHost, exporter::Meter, exporter::TextLine {
 public:
  bool RunMeter(const MeterAction& action, const std::string&, const std::string&) override {
    bool cancel = false;
    action(*this, *this, cancel);
    return false;
  }
  void ProcessMessages() override {}
  void Alert(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "alert: %s\n", text.c_str());
  }
  void OpenClipboard() override {}
  void CloseClipboard() override {}
  void SetTotal(long) override {}
  void Set(long) override {}
  void SetText(const std::string&) override {}
};

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const std::string dir =
      (fs::temp_directory_path() / ("bench_export_" + std::to_string(getpid()))).string();
  fs::create_directories(dir);
  tables::TableSpec spec;
  spec.code_page_mark = 0x02;
  spec.fields = {{"ID_NR", 'N', 5, 0},    {"CUSTOMER", 'C', 30, 0}, {"PRODUCT", 'C', 15, 0},
                 {"INVOICE", 'C', 10, 0}, {"VALUE", 'N', 10, 2},    {"INV_DATE", 'D', 8, 0}};
  tables::TableWriter writer(spec);
  constexpr int kRecords = 65000;
  for (int i = 0; i < kRecords; ++i) {
    // 200 customers: 65,000 lines, 200 headings, totals and gaps stay within 65,536 rows.
    const int customer = (i * 7919) % 200;
    char product[16], invoice[16];
    std::snprintf(product, sizeof product, "Program %02d", i % 10 + 1);
    std::snprintf(invoice, sizeof invoice, "R%06d", i);
    writer.Append({xb::Value::Number(customer, 0),
                   xb::Value::Text("Customer " + std::to_string(customer)),
                   xb::Value::Text(product), xb::Value::Text(invoice),
                   xb::Value::Number((i % 100000) / 100.0 + 1, 2)});
  }
  const std::string table = dir + "/PRODUCT.DBF";
  writer.Write(table);
  tables::OpenOptions options;
  options.file = table;
  options.shared = false;
  tables::SelectArea(1);
  tables::OpenTable(options);
  tables::CreateOrder("", "EXCEL1", "STR(ID_NR)", tables::KeyStr("ID_NR"));
  tables::CreateOrder(
      "", "EXCEL2", "LOWER(CUSTOMER) + INVOICE ",
      tables::KeyConcat({tables::KeyLower("CUSTOMER"), tables::KeyField("INVOICE")}));
  tables::SetOrder(2);

  shell::MainState state;
  state.C_PFAD = dir + "/";  // natively the file is then dir/"\Invoice.xls"
  shell::SetMain(&state);
  QuietHost host;
  const auto start = std::chrono::steady_clock::now();
  exporter::EXCEL_2(host);
  const double ours = Seconds(start);
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  const double our_mb = usage.ru_maxrss / 1024.0;
  tables::CloseAll();

  const std::string out = dir + "/xlwt.xls";
  const std::string command = std::string("/usr/bin/python3 ") + XB_SOURCE_DIR +
                              "/export/bench_xlwt.py '" + table + "' '" + out + "'";
  const auto peer_start = std::chrono::steady_clock::now();
  const int rc = std::system(command.c_str());
  const double peer = Seconds(peer_start);
  struct rusage children;
  getrusage(RUSAGE_CHILDREN, &children);
  std::printf("invoice overview of %d records\n", kRecords);
  std::printf("built-in engine: %.3f s, peak %.1f MB\n", ours, our_mb);
  std::printf("python3-xlwt:    %.3f s, peak %.1f MB%s\n", peer, children.ru_maxrss / 1024.0,
              rc == 0 ? "" : " (FAILED)");
  std::printf("ratio ours/xlwt: %.3f (goal at most 0.15)\n", ours / peer);
  fs::remove_all(dir);
  return rc == 0 ? 0 : 1;
}
