#include "tools/sample_data.h"

#include <cstdio>
#include <vector>

#include "tables/table_writer.h"

namespace samples {
namespace {

using tables::FieldSpec;
using tables::TableSpec;
using tables::TableWriter;
using xb::Value;

// A small linear congruential generator: the same tables on every machine.
struct Random {
  uint32_t state;
  uint32_t Next() {
    state = state * 1103515245u + 12345u;
    return (state >> 8) & 0xFFFFFF;
  }
  uint32_t Below(uint32_t n) { return Next() % n; }
};

struct Customer {
  int id;
  const char* name;  // in code page 850
};

// Umlauts in the DOS code page 850: \x84 a-umlaut, \x94 o-umlaut, \x81 u-umlaut,
// \x8E A-umlaut, \x99 O-umlaut, \x9A U-umlaut, \xE1 sharp s.
const Customer kCustomers[] = {
    {1, "Albrecht Maschinenbau"},
    {4, "Berger & S\x94hne"},
    {7, "Carstens Logistik"},
    {10, "Dr\x84ger Elektro"},
    {13, "Eckert Software"},
    {16, "Fischer Druck"},
    {17, "Schulz KG"},
    {17, "Schulz & Partner"},
    {19, "G\x94tz Handel"},
    {22, "Hartmann Bau"},
    {25, "Ilg Werkzeuge"},
    {28, "Jung Consulting"},
    {31, "Kr\x84mer Optik"},
    {34, "Lange Reisen"},
    {37, "Meyer GmbH"},
    {38, "MEYER GmbH"},
    {40, "Neumann Verlag"},
    {43, "\x99zt\x81rk Import"},
    {46, "Peters Medien"},
    {49, "Quast Metall"},
    {52, "Roth Immobilien"},
    {55,
     "Sch\x84"
     "fer Gartenbau"},
    {58, "Thomas M\x81ller"},
    {61,
     "\x9A"
     "bel Spedition"},
    {64, "Vogt Elektronik"},
    {67, "Wei\xE1 Textil"},
    {70, "Xaver Holz"},
    {73, "Yilmaz Feinkost"},
    {76, "Zimmermann Bad"},
    {79,
     "\x8E"
     "rzteverbund Nord"},
    {82, "alpha data"},
    {85, "Bauer Fenster"},
    {88,
     "Claa\xE1"
     "en Kfz"},
    {91, "Dietz Papier"},
    {94, "Engel Apotheke"},
    {97, "Fuchs Sicherheit"},
    {100,
     "Gro\xE1"
     "e Verpackung"},
    {103, "Hoffmann Licht"},
    {106, "Igel B\x81romarkt"},
    {12345, "Krause Zentrale"},
};
constexpr size_t kCustomerCount = sizeof kCustomers / sizeof kCustomers[0];

// The ten products the matrix knows, and texts that must not match them.
const char* const kProducts[] = {"Program 01", "Program 02", "Program 03", "Program 04",
                                 "Program 05", "Program 06", "Program 07", "Program 08",
                                 "Program 09", "Program 10"};
const char* const kLookalikes[] = {"program 03", " Program 05", "PROGRAM 07", "Toolkit 2000"};

TableSpec ProductSpec() {
  TableSpec spec;
  spec.version = 0x03;
  spec.code_page_mark = 0x02;  // 850
  spec.fields = {{"ID_NR", 'N', 5, 0},    {"CUSTOMER", 'C', 30, 0}, {"PRODUCT", 'C', 15, 0},
                 {"INVOICE", 'C', 10, 0}, {"VALUE", 'N', 10, 2},    {"INV_DATE", 'D', 8, 0}};
  return spec;
}

std::vector<Value> ProductRow(Random& rnd, uint32_t line) {
  const Customer& c = kCustomers[rnd.Below(kCustomerCount)];
  bool odd = rnd.Below(25) == 0;
  const char* product = odd ? kLookalikes[rnd.Below(4)] : kProducts[rnd.Below(10)];
  char invoice[16];
  std::snprintf(invoice, sizeof invoice, "R%06u", 100000u + line / 3);
  double value = double(500 + rnd.Below(250000)) / 100.0;
  xb::Date date = xb::Date::FromYmd(2008, int(1 + rnd.Below(12)), int(1 + rnd.Below(28)));
  return {Value::Number(c.id, 0), Value::Text(c.name),     Value::Text(product),
          Value::Text(invoice),   Value::Number(value, 2), Value::FromDate(date)};
}

std::string WriteProduct(const std::string& path) {
  TableWriter w(ProductSpec());
  Random rnd{20081209};
  const uint32_t kRecords = 320;
  for (uint32_t i = 0; i < kRecords; ++i) {
    std::vector<Value> row = ProductRow(rnd, i);
    if (i == 41) row[5] = Value::FromDate(xb::Date{});  // one sale without a date
    if (i == 60) row[0] = Value::Number(7, 0), row[1] = Value::Text("Carstens Logistik");
    // The two customers whose names differ only in case, on purpose close together.
    if (i == 100)
      row[1] = Value::Text("Meyer GmbH"), row[0] = Value::Number(37, 0),
      row[3] = Value::Text("R200002");
    if (i == 101)
      row[1] = Value::Text("MEYER GmbH"), row[0] = Value::Number(38, 0),
      row[3] = Value::Text("R200001");
    if (!w.Append(row, i % 37 == 36)) return "a sample value does not fit its field";
  }
  return w.Write(path);
}

std::string WriteProduct1(const std::string& path) {
  TableSpec spec;
  spec.version = 0xF5;  // FoxPro 2.x with memo
  spec.code_page_mark = 0x02;
  spec.fields = {{"ID_NR", 'N', 5, 0},    {"CUSTOMER", 'C', 30, 0}, {"INVOICE", 'C', 10, 0},
                 {"PRODUCT", 'C', 15, 0}, {"ORDERED", 'D', 8, 0},   {"PAID", 'L', 1, 0},
                 {"NOTES", 'M', 10, 0}};
  TableWriter w(spec);
  Random rnd{19990401};
  const char* const kNotes[] = {"", "Delivered by courier.",
                                "Customer asked for a second copy\r\nof the invoice.",
                                "Pays quarterly.",
                                "R\201ckfrage beim Kunden."};  // \201 is u-umlaut
  for (uint32_t i = 0; i < 60; ++i) {
    const Customer& c = kCustomers[rnd.Below(kCustomerCount)];
    char invoice[16];
    std::snprintf(invoice, sizeof invoice, "R%06u", 300000u + i);
    xb::Date date = xb::Date::FromYmd(2008, int(1 + rnd.Below(12)), int(1 + rnd.Below(28)));
    std::vector<Value> row = {Value::Number(c.id, 0),
                              Value::Text(c.name),
                              Value::Text(invoice),
                              Value::Text(kProducts[rnd.Below(10)]),
                              Value::FromDate(i == 5 ? xb::Date{} : date),
                              Value::Logical(rnd.Below(2) == 0),
                              Value::Memo(kNotes[rnd.Below(5)])};
    if (!w.Append(row, i == 17)) return "a sample value does not fit its field";
  }
  return w.Write(path);
}

}  // namespace

std::string WriteSampleTables(const std::string& dir) {
  std::string base = dir.empty() ? "" : dir + "/";
  if (auto why = WriteProduct(base + "PRODUCT.DBF"); !why.empty()) return why;
  return WriteProduct1(base + "PRODUCT1.DBF");
}

std::string WriteLargeProductTable(const std::string& path, uint32_t records) {
  TableWriter w(ProductSpec());
  Random rnd{424242};
  for (uint32_t i = 0; i < records; ++i)
    if (!w.Append(ProductRow(rnd, i), i % 37 == 36)) return "a value does not fit its field";
  return w.Write(path);
}

}  // namespace samples
