// The export tests' fixture: PRODUCT.DBF written into a private directory with the
// three tags of the program, the module-wide state with C_PFAD there, a host that runs
// the meter action directly and can press Cancel at a chosen message pass, and the
// spreadsheet model (or the real engine) behind the automation layer.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/server.h"
#include "export/export_run.h"
#include "runtime/error.h"
#include "shell/main_state.h"
#include "tests/export/sheet_model.h"

namespace export_test {

struct Row {
  int id;
  std::string customer;
  std::string product;
  std::string invoice;
  double value;
};

class RecordingHost : public exporter::ExportHost, exporter::Meter, exporter::TextLine {
 public:
  bool RunMeter(const MeterAction& action, const std::string& message,
                const std::string& title) override;
  void ProcessMessages() override;
  void Alert(const std::string& text, const std::string& title) override;
  void OpenClipboard() override { ++clipboard_opened; }
  void CloseClipboard() override { ++clipboard_closed; }
  void SetTotal(long total) override { totals.push_back(total); }
  void Set(long position) override { positions.push_back(position); }
  void SetText(const std::string& text) override { texts.push_back(text); }

  int cancel_at_pass = 0;  // the message pass (1 = after the preparation) that presses Cancel
  int passes = 0;
  std::vector<std::string> titles, messages, alerts, texts;
  std::vector<long> totals, positions;
  int clipboard_opened = 0, clipboard_closed = 0;

 private:
  bool* cancel_ = nullptr;
};

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes PRODUCT.DBF with these rows, opens it in area 1 with its tags and sets order.
  void MakeTable(const std::vector<Row>& rows, int order, uint8_t code_page_mark = 0);
  void Run(int sample) { exporter::RunExport(sample, host_); }
  const SheetState& Sheet() const { return *model_->sheets.at(0); }

  std::string dir_;
  shell::MainState main_;
  RecordingHost host_;
  std::shared_ptr<ModelState> model_ = std::make_shared<ModelState>();
  std::vector<xb::Error> errors_;
  xb::Value substitute_;
  automation::ServerFactory previous_factory_;
  xb::ErrorHandler previous_handler_;
};

// One expected cell: text or number, and its font.
struct Cell {
  int row, column;
  std::string text;
  std::optional<double> number;
  bool bold;
  int color;
  double size;
};

void ExpectCells(const SheetState& sheet, const std::vector<Cell>& cells);
// The cells holding a value, as (row, column) pairs in order.
std::vector<std::pair<int, int>> FilledCells(const SheetState& sheet);

}  // namespace export_test
