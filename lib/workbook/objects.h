// The objects of the engine's automation model. Internal to lib/workbook: callers know
// them only as Dispatchable (see application.h for the root).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "workbook/application.h"
#include "workbook/call_result.h"
#include "workbook/workbook_data.h"

namespace wb {

class WorkbookObject;
class SheetObject;

struct AppState {
  Options options;
  std::vector<std::shared_ptr<WorkbookObject>> workbooks;
  int active_workbook = -1;
  bool display_alerts = true;
  bool visible = false;
  bool screen_updating = true;
  int books_made = 0;
  std::shared_ptr<WorkbookObject> Active() const {
    return active_workbook >= 0 ? workbooks[active_workbook] : nullptr;
  }
};

class ApplicationObject : public Dispatchable {
 public:
  explicit ApplicationObject(const Options& o);
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override;
  std::string ClassName() const override { return "Application"; }

 private:
  std::shared_ptr<AppState> state_;
};

class WorkbooksObject : public Dispatchable {
 public:
  explicit WorkbooksObject(std::shared_ptr<AppState> s) : state_(std::move(s)) {}
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override;
  std::string ClassName() const override { return "Workbooks"; }
  static CallResult Add(const std::shared_ptr<AppState>& state, const std::vector<xb::Value>& args);

 private:
  std::shared_ptr<AppState> state_;
};

class WorkbookObject : public Dispatchable, public std::enable_shared_from_this<WorkbookObject> {
 public:
  WorkbookObject(std::shared_ptr<AppState> app, std::string name);
  static std::shared_ptr<WorkbookObject> New(std::shared_ptr<AppState> app, std::string name,
                                             int sheets);
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override;
  std::string ClassName() const override { return "Workbook"; }

  WorkbookData& data() { return *data_; }
  bool closed() const { return closed_; }
  // Live sheets in tab order.
  const std::vector<std::shared_ptr<SheetObject>>& sheets() const { return sheets_; }
  std::shared_ptr<SheetObject> ActiveSheet() const;
  void Activate(const SheetObject* sheet);
  CallResult Sheet(const std::vector<xb::Value>& args);  // Sheets(n | name) or the collection
  CallResult DeleteSheet(SheetObject* sheet);
  CallResult AddSheet();
  CallResult Window();
  std::shared_ptr<AppState> app() const { return app_.lock(); }
  bool SheetNameTaken(const std::string& name, const SheetObject* except) const;

 private:
  CallResult SaveAs(const std::vector<xb::Value>& args);
  std::weak_ptr<AppState> app_;
  std::shared_ptr<WorkbookData> data_;
  std::vector<std::shared_ptr<SheetObject>> sheets_;
  std::string path_;
  bool closed_ = false;
  int sheets_made_ = 0;
};

class SheetsObject : public Dispatchable {
 public:
  explicit SheetsObject(std::shared_ptr<WorkbookObject> b) : book_(std::move(b)) {}
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override;
  std::string ClassName() const override { return "Sheets"; }

 private:
  std::shared_ptr<WorkbookObject> book_;
};

class SheetObject : public Dispatchable, public std::enable_shared_from_this<SheetObject> {
 public:
  SheetObject(std::weak_ptr<WorkbookObject> b, std::shared_ptr<WorkbookData> d,
              std::shared_ptr<SheetData> s)
      : book_(std::move(b)), book_data_(std::move(d)), data_(std::move(s)) {}
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override;
  std::string ClassName() const override { return "Worksheet"; }

  SheetData& data() { return *data_; }
  WorkbookData& book_data() { return *book_data_; }
  const std::shared_ptr<SheetData>& data_ptr() const { return data_; }
  bool alive() const { return !data_->deleted; }
  std::shared_ptr<WorkbookObject> book() const { return book_.lock(); }

 private:
  std::weak_ptr<WorkbookObject> book_;
  std::shared_ptr<WorkbookData> book_data_;
  std::shared_ptr<SheetData> data_;
};

// What a range covers: a rectangle of cells, whole columns, or the whole sheet.
struct Area {
  enum class Kind { kCells, kColumns, kAll } kind = Kind::kCells;
  Rect rect;
};

class RangeObject : public Dispatchable, public std::enable_shared_from_this<RangeObject> {
 public:
  RangeObject(std::shared_ptr<SheetObject> s, Area a) : sheet_(std::move(s)), area_(a) {}
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override;
  xb::Value DefaultValue() override;
  std::string ClassName() const override { return "Range"; }

  const Area& area() const { return area_; }
  SheetObject& sheet() { return *sheet_; }
  bool alive() const { return sheet_->alive(); }
  void Format(StyleChange change) { Format(area_, change); }
  void Format(const Area& area, StyleChange change);
  const Style& StyleOf() const;

 private:
  CallResult Value(CallKind kind, const std::vector<xb::Value>& args);
  CallResult Select();
  CallResult Merge();
  CallResult Borders(const std::vector<xb::Value>& args);
  std::shared_ptr<SheetObject> sheet_;
  Area area_;
};

// Font, Interior and Border objects of a range: they format its cells.
class FontObject : public Dispatchable {
 public:
  explicit FontObject(std::shared_ptr<RangeObject> r) : range_(std::move(r)) {}
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override;
  std::string ClassName() const override { return "Font"; }

 private:
  std::shared_ptr<RangeObject> range_;
};

class InteriorObject : public Dispatchable {
 public:
  explicit InteriorObject(std::shared_ptr<RangeObject> r) : range_(std::move(r)) {}
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override;
  std::string ClassName() const override { return "Interior"; }

 private:
  std::shared_ptr<RangeObject> range_;
};

class BorderObject : public Dispatchable {
 public:
  // `edges`: a bit per Edge; the whole Borders collection sets all four.
  BorderObject(std::shared_ptr<RangeObject> r, unsigned edges)
      : range_(std::move(r)), edges_(edges) {}
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override;
  std::string ClassName() const override { return edges_ == 0xF ? "Borders" : "Border"; }

 private:
  void FormatEdges(StyleProperty p, int16_t value);
  std::shared_ptr<RangeObject> range_;
  unsigned edges_;
};

class WindowObject : public Dispatchable {
 public:
  explicit WindowObject(std::shared_ptr<WorkbookObject> b) : book_(std::move(b)) {}
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override;
  std::string ClassName() const override { return "Window"; }

 private:
  std::shared_ptr<WorkbookObject> book_;
};

// A cell reference such as "A1", "$B$2" or "A1:D1" (1-based text, 0-based result).
bool ParseReference(std::string_view text, Rect* rect);

}  // namespace wb
