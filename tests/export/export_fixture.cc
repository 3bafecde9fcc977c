#include "tests/export/export_fixture.h"

#include <filesystem>
#include <random>

#include "tables/table_writer.h"
#include "tables/workarea.h"

namespace export_test {

bool RecordingHost::RunMeter(const MeterAction& action, const std::string& message,
                             const std::string& title) {
  titles.push_back(title);
  messages.push_back(message);
  bool cancel = false;
  cancel_ = &cancel;
  action(*this, *this, cancel);
  cancel_ = nullptr;
  return cancel;
}

void RecordingHost::ProcessMessages() {
  ++passes;
  if (cancel_ && passes == cancel_at_pass) *cancel_ = true;
}

void RecordingHost::Alert(const std::string& text, const std::string& title) {
  alerts.push_back(title + "|" + text);
}

void ExportTest::SetUp() {
  std::random_device random;
  const auto dir = std::filesystem::temp_directory_path() /
                   ("export_test_" + std::to_string(random()) + std::to_string(random()));
  ASSERT_TRUE(std::filesystem::create_directory(dir));
  dir_ = dir.string();
  main_.C_PFAD = dir_;
  shell::SetMain(&main_);
  previous_handler_ = xb::SetErrorHandler([this](xb::Error& e) {
    errors_.push_back(e);
    return substitute_;
  });
  previous_factory_ = automation::SetServerFactory([this](const std::string& prog_id) {
    EXPECT_EQ(prog_id, "Excel.Application");
    return automation::Created{NewModelApplication(model_), 0};
  });
}

void ExportTest::TearDown() {
  tables::CloseAll();
  automation::SetServerFactory(previous_factory_);
  xb::SetErrorHandler(previous_handler_);
  shell::SetMain(nullptr);
  // Natively C_PFAD + "\\Matrix.xls" names a file beside the directory.
  for (const char* name : {"Matrix.xls", "Invoice.xls", "Product.xls"}) {
    std::filesystem::remove(dir_ + "\\" + name);
  }
  std::filesystem::remove_all(dir_);
}

void ExportTest::MakeTable(const std::vector<Row>& rows, int order, uint8_t code_page_mark) {
  tables::TableSpec spec;
  spec.code_page_mark = code_page_mark;
  spec.fields = {{"ID_NR", 'N', 5, 0},    {"CUSTOMER", 'C', 30, 0}, {"PRODUCT", 'C', 15, 0},
                 {"INVOICE", 'C', 10, 0}, {"VALUE", 'N', 10, 2},    {"INV_DATE", 'D', 8, 0}};
  tables::TableWriter writer(spec);
  for (const Row& r : rows) {
    ASSERT_TRUE(writer.Append({xb::Value::Number(r.id, 0), xb::Value::Text(r.customer),
                               xb::Value::Text(r.product), xb::Value::Text(r.invoice),
                               xb::Value::Number(r.value, 2)}));
  }
  const std::string path = dir_ + "/PRODUCT.DBF";
  ASSERT_EQ(writer.Write(path), "");
  tables::SelectArea(1);
  tables::OpenOptions options;
  options.file = path;
  options.shared = false;
  ASSERT_TRUE(tables::OpenTable(options));
  tables::CreateOrder("", "EXCEL1", "STR(ID_NR)", tables::KeyStr("ID_NR"));
  tables::CreateOrder(
      "", "EXCEL2", "LOWER(CUSTOMER) + INVOICE ",
      tables::KeyConcat({tables::KeyLower("CUSTOMER"), tables::KeyField("INVOICE")}));
  tables::CreateOrder("", "EXCEL3", "LOWER(PRODUCT)", tables::KeyLower("PRODUCT"));
  tables::SetOrder(order);
  tables::GoTop();
  ASSERT_TRUE(errors_.empty());
}

void ExpectCells(const SheetState& sheet, const std::vector<Cell>& cells) {
  for (const Cell& want : cells) {
    SCOPED_TRACE("row " + std::to_string(want.row) + " column " + std::to_string(want.column));
    auto it = sheet.cells.find({want.row, want.column});
    ASSERT_NE(it, sheet.cells.end());
    const CellState& got = it->second;
    if (want.number) {
      ASSERT_TRUE(got.value.IsNumber());
      EXPECT_EQ(got.value.number(), *want.number);
    } else {
      ASSERT_TRUE(got.value.IsText());
      EXPECT_EQ(got.value.text(), want.text);
    }
    EXPECT_EQ(got.bold.value_or(false), want.bold);
    EXPECT_EQ(got.color.value_or(0), want.color);
    EXPECT_EQ(got.size.value_or(sheet.all_size), want.size);
  }
}

std::vector<std::pair<int, int>> FilledCells(const SheetState& sheet) {
  std::vector<std::pair<int, int>> out;
  for (const auto& [at, cell] : sheet.cells) {
    if (!cell.value.IsNil()) out.push_back(at);
  }
  return out;
}

}  // namespace export_test
