// The export run's host on Windows: the framework's progress dialog, its warning box
// and its clipboard object.
#include <memory>

#include "export/export_run.h"
#include "gui/clipboard.h"
#include "gui/message_box.h"
#include "gui/msg_meter.h"

namespace exporter {

namespace {

class MeterAdapter : public Meter {
 public:
  explicit MeterAdapter(gui::TMeter& meter) : meter_(meter) {}
  void SetTotal(long total) override { meter_.SetTotal(total); }
  void Set(long position) override { meter_.Set(position); }

 private:
  gui::TMeter& meter_;
};

class TextAdapter : public TextLine {
 public:
  explicit TextAdapter(gui::TMeterText& text) : text_(text) {}
  void SetText(const std::string& text) override { text_.SetText(text); }

 private:
  gui::TMeterText& text_;
};

class WindowsHost : public ExportHost {
 public:
  bool RunMeter(const MeterAction& action, const std::string& message,
                const std::string& title) override {
    return gui::MsgMeter(
        [&](gui::TMeter& meter, gui::TMeterText& text, gui::MemoryDialog&, bool& cancel) {
          MeterAdapter m(meter);
          TextAdapter t(text);
          action(m, t, cancel);
        },
        message, title);
  }
  void ProcessMessages() override { gui::ProcessPendingMessages(); }
  void Alert(const std::string& text, const std::string& title) override {
    gui::MsgAlert(text, title);
  }
  void OpenClipboard() override { clipboard_ = std::make_unique<gui::TClipboard>(); }
  void CloseClipboard() override { clipboard_.reset(); }

 private:
  std::unique_ptr<gui::TClipboard> clipboard_;
};

}  // namespace

ExportHost& WindowsExportHost() {
  static WindowsHost host;
  return host;
}

}  // namespace exporter
