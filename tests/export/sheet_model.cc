#include "tests/export/sheet_model.h"

#include <cctype>
#include <fstream>
#include <functional>

namespace export_test {

namespace {

using wb::CallKind;
using wb::CallResult;

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

CallResult Status(uint32_t status) {
  CallResult r;
  r.status = status;
  return r;
}
CallResult Ok(xb::Value v = {}) {
  CallResult r;
  r.value = std::move(v);
  return r;
}
CallResult Obj(std::shared_ptr<xb::Object> o) {
  return Ok(xb::Value::FromObject(std::move(o)));
}

// Members are (name, kind) pairs; a known name with another kind is "not found".
class ModelObject : public wb::Dispatchable {
 public:
  explicit ModelObject(std::shared_ptr<ModelState> state) : state_(std::move(state)) {}
  std::string ClassName() const override { return "MODEL"; }
  CallResult Invoke(std::string_view member, CallKind kind,
                    const std::vector<xb::Value>& args) override {
    ++state_->calls;
    const std::string name = Lower(member);
    bool known = false;
    for (const Member& m : members_) {
      if (m.name != name) continue;
      known = true;
      if (m.kind == kind) return m.run(args);
    }
    return Status(known ? wb::kMemberNotFound : wb::kUnknownName);
  }

 protected:
  struct Member {
    std::string name;
    CallKind kind;
    std::function<CallResult(const std::vector<xb::Value>&)> run;
  };
  void Add(std::string name, CallKind kind,
           std::function<CallResult(const std::vector<xb::Value>&)> run) {
    members_.push_back({std::move(name), kind, std::move(run)});
  }
  std::shared_ptr<ModelState> state_;

 private:
  std::vector<Member> members_;
};

struct Area {
  std::shared_ptr<SheetState> sheet;
  int r1 = 0, c1 = 0, r2 = 0, c2 = 0;  // r1 == 0: all cells; c1 > 0 with r1 == -1: a column
  template <class F>
  void ForEachCell(F f) const {
    if (r1 <= 0) return;
    for (int r = r1; r <= r2; ++r)
      for (int c = c1; c <= c2; ++c) f(sheet->cells[{r, c}]);
  }
};

class FontObject : public ModelObject {
 public:
  FontObject(std::shared_ptr<ModelState> s, Area a) : ModelObject(std::move(s)) {
    Add("bold", CallKind::kPut, [a](const auto& v) {
      a.ForEachCell([&](CellState& c) { c.bold = v[0].logical(); });
      return Ok();
    });
    Add("color", CallKind::kPut, [a](const auto& v) {
      a.ForEachCell([&](CellState& c) { c.color = static_cast<int>(v[0].number()); });
      return Ok();
    });
    Add("size", CallKind::kPut, [a](const auto& v) {
      if (a.r1 == 0) a.sheet->all_size = v[0].number();
      a.ForEachCell([&](CellState& c) { c.size = v[0].number(); });
      return Ok();
    });
    Add("name", CallKind::kPut, [a](const auto& v) {
      if (a.r1 == 0) a.sheet->all_font = v[0].text();
      return Ok();
    });
  }
};

class InteriorObject : public ModelObject {
 public:
  InteriorObject(std::shared_ptr<ModelState> s, Area a) : ModelObject(std::move(s)) {
    Add("color", CallKind::kPut, [a](const auto& v) {
      a.ForEachCell([&](CellState& c) { c.fill = static_cast<int>(v[0].number()); });
      return Ok();
    });
  }
};

class BordersObject : public ModelObject {
 public:
  BordersObject(std::shared_ptr<ModelState> s, Area a, std::string ref, int edge)
      : ModelObject(std::move(s)) {
    for (const char* p : {"linestyle", "weight", "colorindex"}) {
      Add(p, CallKind::kPut, [a, ref, edge, p](const auto& v) {
        a.sheet->borders.push_back(ref + " " + std::to_string(edge) + " " + p + "=" +
                                   std::to_string(static_cast<int>(v[0].number())));
        return Ok();
      });
    }
  }
};

class RangeObject : public ModelObject {
 public:
  RangeObject(std::shared_ptr<ModelState> s, Area a, std::string ref) : ModelObject(s) {
    Add("font", CallKind::kGet,
        [s, a](const auto&) { return Obj(std::make_shared<FontObject>(s, a)); });
    Add("interior", CallKind::kGet,
        [s, a](const auto&) { return Obj(std::make_shared<InteriorObject>(s, a)); });
    Add("borders", CallKind::kGet, [s, a, ref](const auto& v) {
      return Obj(std::make_shared<BordersObject>(s, a, ref, static_cast<int>(v[0].number())));
    });
    Add("value", CallKind::kPut, [a](const auto& v) {
      a.ForEachCell([&](CellState& c) { c.value = v[0]; });
      return Ok();
    });
    Add("select", CallKind::kMethod, [a](const auto&) {
      a.sheet->selection = {a.r1, a.c1};
      return Ok();
    });
    Add("merge", CallKind::kMethod, [a, ref](const auto&) {
      a.sheet->merges.push_back(ref);
      for (int r = a.r1; r <= a.r2; ++r)
        for (int c = a.c1; c <= a.c2; ++c)
          if (r != a.r1 || c != a.c1) a.sheet->cells.erase({r, c});
      return Ok();
    });
    Add("horizontalalignment", CallKind::kPut, [a](const auto& v) {
      const int align = static_cast<int>(v[0].number());
      if (a.r1 == -1) a.sheet->columns[a.c1].align = align;
      a.ForEachCell([&](CellState& c) { c.align = align; });
      return Ok();
    });
    Add("columnwidth", CallKind::kPut, [a](const auto& v) {
      if (a.r1 == -1) a.sheet->columns[a.c1].width = v[0].number();
      return Ok();
    });
    Add("numberformat", CallKind::kPut, [a](const auto& v) {
      if (a.r1 == -1) a.sheet->columns[a.c1].format = v[0].text();
      return Ok();
    });
  }
};

class SheetObject : public ModelObject {
 public:
  SheetObject(std::shared_ptr<ModelState> s, std::shared_ptr<SheetState> sheet) : ModelObject(s) {
    Add("name", CallKind::kPut, [sheet](const auto& v) {
      sheet->name = v[0].text();
      return Ok();
    });
    Add("delete", CallKind::kMethod, [s, sheet](const auto&) {
      sheet->deleted = true;
      auto& list = s->sheets;
      for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == sheet) list.erase(list.begin() + static_cast<long>(i));
      }
      return Ok();
    });
    Add("cells", CallKind::kGet, [s, sheet](const auto& v) {
      if (v.empty()) return Obj(std::make_shared<RangeObject>(s, Area{sheet}, "all"));
      if (v.size() != 2) return Status(wb::kBadParamCount);
      const int r = static_cast<int>(v[0].number()), c = static_cast<int>(v[1].number());
      return Obj(std::make_shared<RangeObject>(s, Area{sheet, r, c, r, c}, "cell"));
    });
    Add("columns", CallKind::kGet, [s, sheet](const auto& v) {
      const int c = static_cast<int>(v[0].number());
      return Obj(std::make_shared<RangeObject>(s, Area{sheet, -1, c, -1, c}, "column"));
    });
    Add("range", CallKind::kGet, [s, sheet](const auto& v) {
      Area a{sheet};
      if (!ParseRange(v[0].text(), &a.r1, &a.c1, &a.r2, &a.c2)) return Status(wb::kException);
      return Obj(std::make_shared<RangeObject>(s, a, v[0].text()));
    });
  }
};

class WindowObject : public ModelObject {
 public:
  explicit WindowObject(std::shared_ptr<ModelState> s) : ModelObject(s) {
    Add("freezepanes", CallKind::kPut, [s](const auto& v) {
      if (v[0].logical() && !s->sheets.empty()) s->sheets[0]->freeze_at = s->sheets[0]->selection;
      return Ok();
    });
  }
};

class SheetsObject : public ModelObject {
 public:
  explicit SheetsObject(std::shared_ptr<ModelState> s) : ModelObject(s) {
    Add("count", CallKind::kGet, [s](const auto&) {
      return Ok(xb::Value::Number(static_cast<double>(s->sheets.size()), 0));
    });
  }
};

class BookObject : public ModelObject {
 public:
  explicit BookObject(std::shared_ptr<ModelState> s) : ModelObject(s) {
    Add("saveas", CallKind::kMethod, [s](const auto& v) {
      if (s->fail_save) {
        CallResult r = Status(wb::kException);
        r.description = "Cannot save the workbook";
        r.scode = 0x800A03EC;
        return r;
      }
      s->saved_paths.push_back(v[0].text());
      if (s->save_writes) std::ofstream(v[0].text()) << "workbook\n";
      return Ok();
    });
  }
};

class BooksObject : public ModelObject {
 public:
  explicit BooksObject(std::shared_ptr<ModelState> s) : ModelObject(s) {
    Add("add", CallKind::kMethod, [s](const auto&) {
      s->sheets.clear();
      for (int i = 1; i <= s->sheets_in_new_workbook; ++i) {
        auto sheet = std::make_shared<SheetState>();
        sheet->name = "Sheet" + std::to_string(i);
        s->sheets.push_back(sheet);
      }
      return Obj(std::make_shared<BookObject>(s));
    });
  }
};

class AppObject : public ModelObject {
 public:
  explicit AppObject(std::shared_ptr<ModelState> s) : ModelObject(s) {
    Add("workbooks", CallKind::kGet,
        [s](const auto&) { return Obj(std::make_shared<BooksObject>(s)); });
    Add("sheets", CallKind::kGet,
        [s](const auto&) { return Obj(std::make_shared<SheetsObject>(s)); });
    Add("worksheets", CallKind::kGet, [s](const auto& v) {
      const int n = static_cast<int>(v[0].number());
      if (n < 1 || n > static_cast<int>(s->sheets.size())) return Status(wb::kException);
      return Obj(std::make_shared<SheetObject>(s, s->sheets[static_cast<size_t>(n - 1)]));
    });
    Add("displayalerts", CallKind::kPut, [s](const auto& v) {
      s->display_alerts = v[0].logical();
      return Ok();
    });
    Add("visible", CallKind::kPut, [s](const auto& v) {
      s->visible = v[0].logical();
      return Ok();
    });
    Add("activesheet", CallKind::kGet, [s](const auto&) {
      if (s->sheets.empty()) return Status(wb::kException);
      return Obj(std::make_shared<SheetObject>(s, s->sheets[0]));
    });
    Add("activewindow", CallKind::kGet,
        [s](const auto&) { return Obj(std::make_shared<WindowObject>(s)); });
  }
};

int ColumnOf(const std::string& letters) {
  int c = 0;
  for (char ch : letters) c = c * 26 + (ch - 'A' + 1);
  return c;
}

bool ParseCell(const std::string& s, int* r, int* c) {
  size_t i = 0;
  while (i < s.size() && std::isupper(static_cast<unsigned char>(s[i]))) ++i;
  if (i == 0 || i == s.size()) return false;
  for (size_t j = i; j < s.size(); ++j)
    if (!std::isdigit(static_cast<unsigned char>(s[j]))) return false;
  *c = ColumnOf(s.substr(0, i));
  *r = std::stoi(s.substr(i));
  return true;
}

}  // namespace

bool ParseRange(const std::string& ref, int* r1, int* c1, int* r2, int* c2) {
  const size_t colon = ref.find(':');
  if (colon == std::string::npos) {
    if (!ParseCell(ref, r1, c1)) return false;
    *r2 = *r1;
    *c2 = *c1;
    return true;
  }
  return ParseCell(ref.substr(0, colon), r1, c1) && ParseCell(ref.substr(colon + 1), r2, c2);
}

std::shared_ptr<wb::Dispatchable> NewModelApplication(std::shared_ptr<ModelState> state) {
  return std::make_shared<AppObject>(std::move(state));
}

}  // namespace export_test
