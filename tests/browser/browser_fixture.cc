#include "browser_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "runtime/settings.h"
#include "shell/settings_prologue.h"
#include "tables/table_writer.h"
#include "tables/workarea.h"

namespace {

constexpr int kIdWidth = 5;
constexpr int kProductWidth = 20;
constexpr int kInvoiceWidth = 10;

std::vector<SaleRow> MakeRows(int count, bool dos_names) {
  const char* plain[] = {
      "Alpha GmbH",  "beta AG",   "Gamma KG",   "delta OHG",
      "Epsilon Ltd", "zeta & Co", "Alpha GmbH", "Omega Verlag with a long name here"};
  const char* dos[] = {"M\x81ller KG",
                       "B\x84"
                       "cker & S\x94hne",
                       "Stra\xE1"
                       "enbau \x8E"
                       "rger",
                       "\x99lwerke",
                       "\x9A"
                       "berland",
                       "Alpha GmbH"};
  std::vector<SaleRow> rows;
  for (int i = 0; i < count; ++i) {
    SaleRow r;
    r.id = 100 + (i * 37) % 61;  // not in record order, some equal
    r.customer = dos_names ? dos[i % 6] : plain[i % 8];
    r.product = "Program " + std::string(i % 10 < 9 ? "0" : "") + std::to_string(i % 10 + 1);
    if (i % 4 == 1) r.product = "program 0" + std::to_string(i % 9 + 1);  // another case
    r.invoice = "R" + std::to_string(5000 + (i * 13) % 97);
    r.value = 10.5 * (i + 1);
    r.date = i % 7 == 3 ? 0 : 20081201 + i % 28;
    rows.push_back(r);
  }
  return rows;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string Pad(const std::string& s, size_t width) {
  std::string out = s.substr(0, width);
  out.resize(width, ' ');
  return out;
}

void Write(const std::string& path, const std::vector<SaleRow>& rows, int extra_fields,
           uint8_t code_page_mark) {
  tables::TableSpec spec;
  spec.code_page_mark = code_page_mark;
  spec.fields = {{"ID_NR", 'N', kIdWidth, 0},
                 {"CUSTOMER", 'C', kCustomerWidth, 0},
                 {"PRODUCT", 'C', kProductWidth, 0},
                 {"INVOICE", 'C', kInvoiceWidth, 0},
                 {"VALUE", 'N', 10, 2},
                 {"INV_DATE", 'D', 8, 0}};
  for (int i = 0; i < extra_fields; ++i)
    spec.fields.push_back({"EXTRA" + std::to_string(i + 1), 'C', 6, 0});
  tables::TableWriter writer(spec);
  for (const SaleRow& r : rows) {
    std::vector<xb::Value> values = {
        xb::Value::Number(r.id, 0),
        xb::Value::Text(r.customer),
        xb::Value::Text(r.product),
        xb::Value::Text(r.invoice),
        xb::Value::Number(r.value, 2),
        xb::Value::FromDate(
            r.date ? xb::Date::FromYmd(r.date / 10000, r.date / 100 % 100, r.date % 100)
                   : xb::Date{})};
    for (int i = 0; i < extra_fields; ++i) values.push_back(xb::Value::Text("x"));
    writer.Append(values);
  }
  const std::string failure = writer.Write(path);
  EXPECT_EQ(failure, "") << path;
}

void OpenWithTags(int area, const std::string& file, const char* tags[3]) {
  tables::SelectArea(area);
  tables::OpenOptions options;
  options.file = file;
  tables::OpenTable(options);
  tables::CreateOrder("", tags[0], "STR(ID_NR)", tables::KeyStr("ID_NR"));
  tables::CreateOrder(
      "", tags[1], "LOWER(CUSTOMER) + INVOICE ",
      tables::KeyConcat({tables::KeyLower("CUSTOMER"), tables::KeyField("INVOICE")}));
  tables::CreateOrder("", tags[2], "LOWER(PRODUCT)", tables::KeyLower("PRODUCT"));
}

}  // namespace

const std::vector<SaleRow>& ProductRows() {
  static const std::vector<SaleRow> rows = MakeRows(30, false);
  return rows;
}

const std::vector<SaleRow>& Product1Rows() {
  static const std::vector<SaleRow> rows = MakeRows(40, true);
  return rows;
}

std::string IdKey(const SaleRow& r) {
  std::string digits = std::to_string(r.id);
  return std::string(kIdWidth - digits.size(), ' ') + digits;
}
std::string CustomerKey(const SaleRow& r) {
  return Lower(Pad(r.customer, kCustomerWidth)) + Pad(r.invoice, kInvoiceWidth);
}
std::string ProductKey(const SaleRow& r) {
  return Lower(Pad(r.product, kProductWidth));
}

std::vector<long> KeyOrder(const std::vector<SaleRow>& rows, std::string (*key)(const SaleRow&)) {
  std::vector<long> order(rows.size());
  std::iota(order.begin(), order.end(), 1L);
  std::stable_sort(order.begin(), order.end(),
                   [&](long a, long b) { return key(rows[a - 1]) < key(rows[b - 1]); });
  return order;
}

BrowserTables::BrowserTables(int extra_fields) : dir_("browser") {
  previous_ = xb::SetErrorHandler([this](xb::Error& e) {
    errors.push_back(e);
    return xb::Value::Logical(false);
  });
  xb::ResetSettings();
  shell::ApplySettingsPrologue();  // exact comparison, shared opening, the date format
  Write(dir() + "\\PRODUCT.DBF", ProductRows(), extra_fields, 0x01);
  Write(dir() + "\\PRODUCT1.DBF", Product1Rows(), 0, 0x01);
  const char* tags1[3] = {"EXCEL1", "EXCEL2", "EXCEL3"};
  const char* tags2[3] = {"ID", "CUSTOMER", "PRODUCT"};
  OpenWithTags(1, dir() + "\\PRODUCT.DBF", tags1);
  OpenWithTags(2, dir() + "\\PRODUCT1.DBF", tags2);
}

BrowserTables::~BrowserTables() {
  tables::CloseAll();
  tables::SelectArea(1);
  xb::SetErrorHandler(previous_);
}
