#include "workbook/application.h"

#include "workbook/objects.h"

namespace wb {

std::shared_ptr<Dispatchable> NewApplication(const Options& options) {
  return std::make_shared<ApplicationObject>(options);
}

ApplicationObject::ApplicationObject(const Options& o) : state_(std::make_shared<AppState>()) {
  state_->options = o;
}

namespace {

CallResult LogicalProperty(bool& field, CallKind kind, const std::vector<xb::Value>& args) {
  if (IsRead(kind) && args.empty()) return Ok(xb::Value::Logical(field));
  if (args.size() != 1) return BadParamCount();
  if (!ArgBool(args, 0, &field)) return TypeMismatch();
  return Ok();
}

CallResult NoWorkbook() {
  return Failure("No workbook is open.");
}

}  // namespace

CallResult ApplicationObject::Invoke(std::string_view m, CallKind kind,
                                     const std::vector<xb::Value>& args) {
  AppState& s = *state_;
  if (NameIs(m, "displayalerts")) return LogicalProperty(s.display_alerts, kind, args);
  if (NameIs(m, "visible")) return LogicalProperty(s.visible, kind, args);
  if (NameIs(m, "screenupdating")) return LogicalProperty(s.screen_updating, kind, args);
  if (NameIs(m, "name")) {
    if (!IsRead(kind)) return MemberNotFound();
    return Ok(xb::Value::Text(kServerName));
  }
  if (!IsRead(kind)) {
    const bool known = NameIs(m, "workbooks") || NameIs(m, "activeworkbook") ||
                       NameIs(m, "activesheet") || NameIs(m, "activewindow") ||
                       NameIs(m, "sheets") || NameIs(m, "worksheets") || NameIs(m, "quit");
    return known ? MemberNotFound() : UnknownName();
  }
  if (NameIs(m, "workbooks")) {
    auto books = std::make_shared<WorkbooksObject>(state_);
    if (args.empty()) return ObjectResult(books);
    return books->Invoke("item", CallKind::kMethod, args);
  }
  if (NameIs(m, "quit")) {
    s.workbooks.clear();
    s.active_workbook = -1;
    s.visible = false;
    return Ok();
  }
  const bool sheets = NameIs(m, "sheets") || NameIs(m, "worksheets");
  if (sheets || NameIs(m, "activeworkbook") || NameIs(m, "activesheet") ||
      NameIs(m, "activewindow")) {
    std::shared_ptr<WorkbookObject> book = s.Active();
    if (!book) return NoWorkbook();
    if (sheets) return book->Sheet(args);
    if (NameIs(m, "activeworkbook")) return ObjectResult(book);
    if (NameIs(m, "activewindow")) return book->Window();
    return ObjectResult(book->ActiveSheet());
  }
  return UnknownName();
}

CallResult WorkbooksObject::Add(const std::shared_ptr<AppState>& state,
                                const std::vector<xb::Value>& args) {
  int sheets = state->options.sheets_in_new_workbook;
  if (HasArg(args, 0)) {
    long kind = 0;
    // The one template this engine knows: a workbook of a single worksheet.
    if (!ArgInt(args, 0, &kind) || kind != -4167)
      return Failure(
          "Workbooks.Add: only a new workbook or the single-worksheet template (-4167) can be "
          "made.");
    sheets = 1;
  }
  if (sheets < 1 || sheets > 255) return Failure("A new workbook must have 1 to 255 sheets.");
  auto book = WorkbookObject::New(state, "Book" + std::to_string(++state->books_made), sheets);
  state->workbooks.push_back(book);
  state->active_workbook = int(state->workbooks.size()) - 1;
  return ObjectResult(book);
}

CallResult WorkbooksObject::Invoke(std::string_view m, CallKind kind,
                                   const std::vector<xb::Value>& args) {
  const bool known = NameIs(m, "add") || NameIs(m, "count") || NameIs(m, "item");
  if (!known) return UnknownName();
  if (!IsRead(kind)) return MemberNotFound();
  if (NameIs(m, "add")) return Add(state_, args);
  if (NameIs(m, "count")) return Ok(xb::Value::Number(double(state_->workbooks.size())));
  long n = 0;
  if (args.size() != 1) return BadParamCount();
  if (!ArgInt(args, 0, &n)) return TypeMismatch();
  if (n < 1 || n > long(state_->workbooks.size()))
    return Failure("There is no workbook " + std::to_string(n) + ".");
  return ObjectResult(state_->workbooks[n - 1]);
}

}  // namespace wb
