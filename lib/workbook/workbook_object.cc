#include <algorithm>

#include "workbook/objects.h"
#include "workbook/workbook_file.h"

namespace wb {

namespace {

std::string Upper(std::string_view s) {
  std::string u(s);
  for (char& c : u) {
    const unsigned char b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) c = char(b - 32);
  }
  return u;
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

WorkbookObject::WorkbookObject(std::shared_ptr<AppState> app, std::string name)
    : app_(app), data_(std::make_shared<WorkbookData>()) {
  data_->name = std::move(name);
}

std::shared_ptr<WorkbookObject> WorkbookObject::New(std::shared_ptr<AppState> app, std::string name,
                                                    int sheets) {
  auto book = std::make_shared<WorkbookObject>(std::move(app), std::move(name));
  for (int i = 0; i < sheets; ++i) book->AddSheet();  // the sheets know their workbook
  book->data_->active_sheet = 0;
  return book;
}

std::shared_ptr<SheetObject> WorkbookObject::ActiveSheet() const {
  for (const auto& s : sheets_) {
    if (s->data_ptr() == data_->sheets[data_->active_sheet]) return s;
  }
  return sheets_.front();
}

void WorkbookObject::Activate(const SheetObject* sheet) {
  for (size_t i = 0; i < data_->sheets.size(); ++i) {
    if (data_->sheets[i].get() == &const_cast<SheetObject*>(sheet)->data())
      data_->active_sheet = int(i);
  }
}

bool WorkbookObject::SheetNameTaken(const std::string& name, const SheetObject* except) const {
  const std::string upper = Upper(name);
  for (const auto& s : sheets_) {
    if (s.get() != except && Upper(s->data().name) == upper) return true;
  }
  return false;
}

CallResult WorkbookObject::AddSheet() {
  if (sheets_.size() >= 255) return Failure("A workbook holds at most 255 sheets.");
  std::string name;
  do {
    name = "Sheet" + std::to_string(++sheets_made_);
  } while (SheetNameTaken(name, nullptr));
  auto data = std::make_shared<SheetData>(data_.get());
  data->name = name;
  // New sheets are appended at the end of the tabs.
  auto object = std::make_shared<SheetObject>(weak_from_this(), data_, data);
  data_->sheets.push_back(data);
  sheets_.push_back(object);
  return ObjectResult(object);
}

CallResult WorkbookObject::Sheet(const std::vector<xb::Value>& args) {
  if (closed_) return Failure("The workbook has been closed.");
  if (args.empty()) return ObjectResult(std::make_shared<SheetsObject>(shared_from_this()));
  if (args.size() != 1) return BadParamCount();
  long n = 0;
  std::string name;
  if (ArgInt(args, 0, &n)) {
    if (n < 1 || n > long(sheets_.size()))
      return Failure("There is no sheet " + std::to_string(n) + "; the workbook has " +
                     std::to_string(sheets_.size()) + ".");
    return ObjectResult(sheets_[n - 1]);
  }
  if (!ArgText(args, 0, &name)) return TypeMismatch();
  const std::string upper = Upper(name);
  for (const auto& s : sheets_) {
    if (Upper(s->data().name) == upper) return ObjectResult(s);
  }
  return Failure("There is no sheet named \"" + name + "\".");
}

CallResult WorkbookObject::DeleteSheet(SheetObject* sheet) {
  if (sheets_.size() == 1) return Failure("A workbook must contain at least one worksheet.");
  auto it =
      std::find_if(sheets_.begin(), sheets_.end(), [&](const auto& s) { return s.get() == sheet; });
  if (it == sheets_.end()) return Failure("The worksheet has been deleted.");
  const SheetData* active = data_->sheets[data_->active_sheet].get();
  const size_t position = size_t(it - sheets_.begin());
  sheet->data().deleted = true;
  sheets_.erase(it);
  auto& all = data_->sheets;
  all.erase(std::find(all.begin(), all.end(), sheet->data_ptr()));
  // The sheet after a deleted active sheet becomes active (the one before, at the end).
  const SheetData* next =
      active == &sheet->data() ? &sheets_[std::min(position, sheets_.size() - 1)]->data() : active;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i].get() == next) data_->active_sheet = int(i);
  }
  return Ok();
}

CallResult WorkbookObject::Window() {
  if (closed_) return Failure("The workbook has been closed.");
  return ObjectResult(std::make_shared<WindowObject>(shared_from_this()));
}

CallResult WorkbookObject::SaveAs(const std::vector<xb::Value>& args) {
  std::string path;
  if (args.empty()) return BadParamCount();
  if (!ArgText(args, 0, &path)) return TypeMismatch();
  if (path.empty()) return Failure("SaveAs needs a file name.");
  if (HasArg(args, 1)) {
    long format = 0;
    // Excel 97-2003 workbook: the "normal" constant -4143 or its own number 56.
    if (!ArgInt(args, 1, &format) || (format != -4143 && format != 56))
      return Failure("This engine saves only Excel 97-2003 workbooks (file format -4143 or 56).");
  }
  std::shared_ptr<AppState> app = app_.lock();
  std::string error;
  if (!SaveWorkbookFile(*data_, path, app ? app->options.user_name : std::string(), &error))
    return Failure("The workbook could not be saved as \"" + path + "\". " + error);
  path_ = path;
  data_->name = FileNameOf(path);
  return Ok(xb::Value::Logical(true));
}

CallResult WorkbookObject::Invoke(std::string_view m, CallKind kind,
                                  const std::vector<xb::Value>& args) {
  const bool read = IsRead(kind);
  if (NameIs(m, "sheets") || NameIs(m, "worksheets")) return read ? Sheet(args) : MemberNotFound();
  if (NameIs(m, "name") || NameIs(m, "fullname") || NameIs(m, "path")) {
    if (!read) return MemberNotFound();
    if (NameIs(m, "name")) return Ok(xb::Value::Text(data_->name));
    if (NameIs(m, "fullname")) return Ok(xb::Value::Text(path_.empty() ? data_->name : path_));
    const size_t slash = path_.find_last_of("/\\");
    return Ok(xb::Value::Text(slash == std::string::npos ? "" : path_.substr(0, slash)));
  }
  const bool known = NameIs(m, "saveas") || NameIs(m, "save") || NameIs(m, "activesheet") ||
                     NameIs(m, "close") || NameIs(m, "activate");
  if (!known) return UnknownName();
  if (!read) return MemberNotFound();
  if (closed_) return Failure("The workbook has been closed.");
  if (NameIs(m, "saveas")) return SaveAs(args);
  if (NameIs(m, "save")) {
    if (path_.empty()) return Failure("The workbook has no file name yet; use SaveAs.");
    return SaveAs({xb::Value::Text(path_)});
  }
  if (NameIs(m, "activesheet")) return ObjectResult(ActiveSheet());
  std::shared_ptr<AppState> app = app_.lock();
  if (NameIs(m, "activate")) {
    if (app) {
      for (size_t i = 0; i < app->workbooks.size(); ++i) {
        if (app->workbooks[i].get() == this) app->active_workbook = int(i);
      }
    }
    return Ok();
  }
  // Close: the workbook leaves the application without being saved.
  closed_ = true;
  for (const auto& s : sheets_) s->data().deleted = true;
  if (app) {
    auto& books = app->workbooks;
    auto it =
        std::find_if(books.begin(), books.end(), [&](const auto& b) { return b.get() == this; });
    if (it != books.end()) books.erase(it);
    app->active_workbook = books.empty() ? -1 : int(books.size()) - 1;
  }
  return Ok();
}

CallResult SheetsObject::Invoke(std::string_view m, CallKind kind,
                                const std::vector<xb::Value>& args) {
  const bool known = NameIs(m, "count") || NameIs(m, "item") || NameIs(m, "add");
  if (!known) return UnknownName();
  if (!IsRead(kind)) return MemberNotFound();
  if (book_->closed()) return Failure("The workbook has been closed.");
  if (NameIs(m, "count")) return Ok(xb::Value::Number(double(book_->sheets().size())));
  if (NameIs(m, "item")) return args.empty() ? BadParamCount() : book_->Sheet(args);
  CallResult added = book_->AddSheet();
  if (added.ok()) book_->Activate(static_cast<SheetObject*>(added.value.object().get()));
  return added;
}

CallResult WindowObject::Invoke(std::string_view m, CallKind kind,
                                const std::vector<xb::Value>& args) {
  if (!NameIs(m, "freezepanes")) return UnknownName();
  if (book_->closed()) return Failure("The workbook has been closed.");
  SheetData& sheet = book_->ActiveSheet()->data();
  const bool frozen = sheet.frozen_rows > 0 || sheet.frozen_columns > 0;
  if (IsRead(kind) && args.empty()) return Ok(xb::Value::Logical(frozen));
  if (args.size() != 1) return BadParamCount();
  bool freeze = false;
  if (!ArgBool(args, 0, &freeze)) return TypeMismatch();
  if (!freeze) {
    sheet.frozen_rows = sheet.frozen_columns = 0;
  } else if (!frozen) {
    // The rows above and the columns left of the active cell stay in view.
    sheet.frozen_rows = sheet.active_row;
    sheet.frozen_columns = sheet.active_column;
  }
  return Ok();
}

}  // namespace wb
