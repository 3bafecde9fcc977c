#include <cmath>

#include "workbook/objects.h"
#include "workbook/palette.h"

namespace wb {

namespace {

struct AlignmentCode {
  long constant;
  uint8_t code;
};
// Automation constants of horizontal alignment and the file's codes.
constexpr AlignmentCode kAlignments[] = {{1, 0}, {-4131, 1}, {-4108, 2}, {-4152, 3},
                                         {5, 4}, {-4130, 5}, {7, 6},     {-4117, 7}};

constexpr long kAutomatic = -4105;
constexpr long kNone = -4142;

CallResult Dead() {
  return Failure("The range's worksheet has been deleted.");
}

// A COLORREF argument: 0 to 0xFFFFFF.
bool ArgColour(const std::vector<xb::Value>& args, long* colour) {
  return ArgInt(args, 0, colour) && *colour >= 0 && *colour <= 0xFFFFFF;
}

// A colour index argument 1..56 (the palette entries 8..63).
bool ArgColourIndex(const std::vector<xb::Value>& args, long* index) {
  return ArgInt(args, 0, index) && *index >= 1 && *index <= 56;
}

CallResult BadValue(std::string_view member, const xb::Value& v) {
  return Failure("Cannot set " + std::string(member) + " to " + xb::ValueAsText(v) + ".");
}

}  // namespace

void RangeObject::Format(const Area& a, StyleChange change) {
  SheetData& s = sheet_->data();
  switch (a.kind) {
    case Area::Kind::kCells:
      s.FormatRect(a.rect, change);
      break;
    case Area::Kind::kColumns:
      s.FormatColumns(a.rect.first_column, a.rect.last_column, change);
      break;
    case Area::Kind::kAll:
      s.FormatAll(change);
      break;
  }
}

const Style& RangeObject::StyleOf() const {
  const SheetData& s = sheet_->data();
  const StyleTable& styles = sheet_->book_data().styles;
  if (area_.kind == Area::Kind::kAll) return styles.Get(s.sheet_style());
  if (area_.kind == Area::Kind::kCells) {
    if (const Cell* c = s.Find(area_.rect.first_row, area_.rect.first_column))
      return styles.Get(c->style);
  }
  return styles.Get(s.StyleOfNewCell(area_.rect.first_column));
}

xb::Value RangeObject::DefaultValue() {
  CallResult r = Value(CallKind::kGet, {});
  return r.ok() ? r.value : xb::Value();
}

CallResult RangeObject::Value(CallKind kind, const std::vector<xb::Value>& args) {
  SheetData& s = sheet_->data();
  const Rect& r = area_.rect;
  if (IsRead(kind) && args.empty()) {
    const Cell* c = s.Find(r.first_row, r.first_column);
    if (c == nullptr) return Ok();
    switch (c->kind) {
      case CellKind::kText:
        return Ok(xb::Value::Text(sheet_->book_data().texts.Get(c->text)));
      case CellKind::kNumber:
        return Ok(xb::Value::Number(c->number));
      case CellKind::kLogical:
        return Ok(xb::Value::Logical(c->logical));
      default:
        return Ok();
    }
  }
  if (args.size() != 1) return BadParamCount();
  if (area_.kind != Area::Kind::kCells)
    return Failure(
        "A value can be given to a range of cells, not to whole columns or the whole sheet.");
  const xb::Value& v = args[0];
  uint32_t text_id = 0;
  if (v.IsText()) {
    if (v.text().size() > kMaxTextLength)
      return Failure("A cell holds at most " + std::to_string(kMaxTextLength) +
                     " characters; the text has " + std::to_string(v.text().size()) + ".");
    text_id = sheet_->book_data().texts.Intern(v.text());
  } else if (v.IsNumber()) {
    if (!std::isfinite(v.number()))
      return Failure("A cell cannot hold an infinite or undefined number.");
  } else if (!v.IsLogical() && !v.IsNil()) {
    return TypeMismatch();
  }
  for (int row = r.first_row; row <= r.last_row; ++row) {
    for (int col = r.first_column; col <= r.last_column; ++col) {
      if (v.IsText()) {
        s.SetText(row, col, text_id);
      } else if (v.IsNumber()) {
        s.SetNumber(row, col, v.number());
      } else if (v.IsLogical()) {
        s.SetLogical(row, col, v.logical());
      } else {
        s.ClearValue(row, col);
      }
    }
  }
  return Ok();
}

CallResult RangeObject::Select() {
  SheetData& s = sheet_->data();
  Rect r = area_.rect;
  s.selection = r;
  s.active_row = r.first_row;
  s.active_column = r.first_column;
  if (auto book = sheet_->book()) book->Activate(sheet_.get());
  return Ok(xb::Value::Logical(true));
}

CallResult RangeObject::Merge() {
  if (area_.kind != Area::Kind::kCells) return Failure("Only a range of cells can be merged.");
  const Rect& r = area_.rect;
  if (r.first_row == r.last_row && r.first_column == r.last_column) return Ok();
  if (!sheet_->data().Merge(r)) return Failure("The range overlaps a merged range.");
  return Ok();
}

CallResult RangeObject::Borders(const std::vector<xb::Value>& args) {
  auto self = shared_from_this();
  if (args.empty()) return ObjectResult(std::make_shared<BorderObject>(self, 0xF));
  if (args.size() != 1) return BadParamCount();
  long index = 0;
  if (!ArgInt(args, 0, &index)) return TypeMismatch();
  if (index < 7 || index > 10)
    return Failure("Border " + std::to_string(index) +
                   " is not an outer edge (7 left, 8 top, 9 bottom, 10 right).");
  return ObjectResult(std::make_shared<BorderObject>(self, 1u << (index - 7)));
}

CallResult RangeObject::Invoke(std::string_view m, CallKind kind,
                               const std::vector<xb::Value>& args) {
  const bool read = IsRead(kind);
  // The members an export calls for every cell come first.
  if (NameIs(m, "value") || NameIs(m, "value2")) return alive() ? Value(kind, args) : Dead();
  if (NameIs(m, "font") && IsRead(kind)) {
    if (!alive()) return Dead();
    return ObjectResult(std::make_shared<FontObject>(shared_from_this()));
  }
  const bool known = NameIs(m, "select") || NameIs(m, "activate") || NameIs(m, "merge") ||
                     NameIs(m, "horizontalalignment") || NameIs(m, "columnwidth") ||
                     NameIs(m, "numberformat") || NameIs(m, "font") || NameIs(m, "interior") ||
                     NameIs(m, "borders") || NameIs(m, "row") || NameIs(m, "column") ||
                     NameIs(m, "mergecells");
  if (!known) return UnknownName();
  if (!alive()) return Dead();
  const Rect& r = area_.rect;

  if (NameIs(m, "horizontalalignment")) {
    if (read && args.empty()) {
      for (const AlignmentCode& a : kAlignments) {
        if (a.code == StyleOf().horizontal) return Ok(xb::Value::Number(double(a.constant)));
      }
      return Ok(xb::Value::Number(1));
    }
    if (args.size() != 1) return BadParamCount();
    long constant = 0;
    if (!ArgInt(args, 0, &constant)) return TypeMismatch();
    for (const AlignmentCode& a : kAlignments) {
      if (a.constant == constant) {
        Format({StyleProperty::kHorizontal, a.code});
        return Ok();
      }
    }
    return BadValue("HorizontalAlignment", args[0]);
  }
  if (NameIs(m, "columnwidth")) {
    SheetData& s = sheet_->data();
    if (read && args.empty()) {
      const double w = s.column_width(r.first_column);
      return Ok(xb::Value::Number(w < 0 ? 8.43 : w));
    }
    if (args.size() != 1) return BadParamCount();
    if (!args[0].IsNumber()) return TypeMismatch();
    const double w = args[0].number();
    if (!(w >= 0 && w <= 255))
      return Failure("A column is 0 to 255 characters wide; " + xb::ValueAsText(args[0]) +
                     " is not.");
    for (int c = r.first_column; c <= r.last_column; ++c) s.set_column_width(c, w);
    return Ok();
  }
  if (NameIs(m, "numberformat")) {
    WorkbookData& book = sheet_->book_data();
    if (read && args.empty())
      return Ok(xb::Value::Text(book.number_formats.Get(StyleOf().number_format)));
    if (args.size() != 1) return BadParamCount();
    std::string format;
    if (!ArgText(args, 0, &format)) return TypeMismatch();
    if (format.size() > 255) return Failure("A number format has at most 255 characters.");
    if (format.empty()) format = "General";
    const uint32_t id = book.number_formats.Intern(format);
    if (id > 0xFFFF) return Failure("The workbook has too many number formats.");
    Format({StyleProperty::kNumberFormat, int32_t(id)});
    return Ok();
  }
  if (NameIs(m, "mergecells")) {
    if (!read || !args.empty()) return MemberNotFound();
    for (const Rect& merged : sheet_->data().merges()) {
      if (merged.Overlaps(r)) return Ok(xb::Value::Logical(true));
    }
    return Ok(xb::Value::Logical(false));
  }
  if (!read) return MemberNotFound();
  if (NameIs(m, "select") || NameIs(m, "activate")) return Select();
  if (NameIs(m, "merge")) return Merge();
  if (NameIs(m, "interior"))
    return ObjectResult(std::make_shared<InteriorObject>(shared_from_this()));
  if (NameIs(m, "borders")) return Borders(args);
  if (NameIs(m, "row")) return Ok(xb::Value::Number(r.first_row + 1));
  return Ok(xb::Value::Number(r.first_column + 1));  // column
}

CallResult FontObject::Invoke(std::string_view m, CallKind kind,
                              const std::vector<xb::Value>& args) {
  const bool known = NameIs(m, "size") || NameIs(m, "name") || NameIs(m, "bold") ||
                     NameIs(m, "italic") || NameIs(m, "color") || NameIs(m, "colorindex");
  if (!known) return UnknownName();
  if (!range_->alive()) return Dead();
  WorkbookData& book = range_->sheet().book_data();
  if (IsRead(kind) && args.empty()) {
    const Style& style = range_->StyleOf();
    if (NameIs(m, "size")) return Ok(xb::Value::Number(style.font_twips / 20.0));
    if (NameIs(m, "name")) return Ok(xb::Value::Text(book.font_names.Get(style.font_name)));
    if (NameIs(m, "bold")) return Ok(xb::Value::Logical(style.bold));
    if (NameIs(m, "italic")) return Ok(xb::Value::Logical(style.italic));
    if (NameIs(m, "color"))
      return Ok(xb::Value::Number(style.font_colour < 0 ? 0 : style.font_colour));
    return Ok(xb::Value::Number(
        style.font_colour < 0 ? kAutomatic : PaletteIndexOf(uint32_t(style.font_colour)) - 7));
  }
  if (args.size() != 1) return BadParamCount();
  if (NameIs(m, "size")) {
    if (!args[0].IsNumber()) return TypeMismatch();
    const double size = args[0].number();
    if (!(size >= 1 && size <= 409)) return BadValue("the font size", args[0]);
    range_->Format({StyleProperty::kFontTwips, int32_t(std::lround(size * 20))});
  } else if (NameIs(m, "name")) {
    std::string name;
    if (!ArgText(args, 0, &name)) return TypeMismatch();
    if (name.empty() || name.size() > 31) return BadValue("the font name", args[0]);
    const uint32_t id = book.font_names.Intern(name);
    if (id > 0xFFFF) return Failure("The workbook has too many font names.");
    range_->Format({StyleProperty::kFontName, int32_t(id)});
  } else if (NameIs(m, "bold") || NameIs(m, "italic")) {
    bool on = false;
    if (!ArgBool(args, 0, &on)) return TypeMismatch();
    range_->Format({NameIs(m, "bold") ? StyleProperty::kBold : StyleProperty::kItalic, on ? 1 : 0});
  } else if (NameIs(m, "color")) {
    long colour = 0;
    if (!ArgColour(args, &colour)) return BadValue("the font colour", args[0]);
    range_->Format({StyleProperty::kFontColour, int32_t(colour)});
  } else {
    long index = 0;
    if (ArgInt(args, 0, &index) && index == kAutomatic) {
      range_->Format({StyleProperty::kFontColour, -1});
    } else if (ArgColourIndex(args, &index)) {
      range_->Format(
          {StyleProperty::kFontColour, int32_t(ColorrefOfPaletteIndex(uint16_t(index + 7)))});
    } else {
      return BadValue("the font colour index", args[0]);
    }
  }
  return Ok();
}

CallResult InteriorObject::Invoke(std::string_view m, CallKind kind,
                                  const std::vector<xb::Value>& args) {
  const bool known = NameIs(m, "color") || NameIs(m, "colorindex");
  if (!known) return UnknownName();
  if (!range_->alive()) return Dead();
  const Style& style = range_->StyleOf();
  if (IsRead(kind) && args.empty()) {
    if (NameIs(m, "color"))
      return Ok(xb::Value::Number(style.fill_colour < 0 ? 0xFFFFFF : style.fill_colour));
    return Ok(xb::Value::Number(
        style.fill_colour < 0 ? kNone : PaletteIndexOf(uint32_t(style.fill_colour)) - 7));
  }
  if (args.size() != 1) return BadParamCount();
  long value = 0;
  if (NameIs(m, "color")) {
    if (!ArgColour(args, &value)) return BadValue("the interior colour", args[0]);
    range_->Format({StyleProperty::kFillColour, int32_t(value)});
  } else if (ArgInt(args, 0, &value) && (value == kNone || value == kAutomatic)) {
    range_->Format({StyleProperty::kFillColour, -1});
  } else if (ArgColourIndex(args, &value)) {
    range_->Format(
        {StyleProperty::kFillColour, int32_t(ColorrefOfPaletteIndex(uint16_t(value + 7)))});
  } else {
    return BadValue("the interior colour index", args[0]);
  }
  return Ok();
}

void BorderObject::FormatEdges(StyleProperty p, int16_t value) {
  const Area& a = range_->area();
  for (int e = 0; e < kEdgeCount; ++e) {
    if (!(edges_ & (1u << e))) continue;
    // The edge's own cells: the range's first or last row or column.
    Area edge = a;
    const Edge which = Edge(e);
    if (which == Edge::kTop || which == Edge::kBottom) {
      const int row = which == Edge::kTop ? a.rect.first_row : a.rect.last_row;
      edge = Area{Area::Kind::kCells, {row, a.rect.first_column, row, a.rect.last_column}};
    } else {
      const int col = which == Edge::kLeft ? a.rect.first_column : a.rect.last_column;
      edge.rect.first_column = edge.rect.last_column = col;
      if (edge.kind == Area::Kind::kAll) edge.kind = Area::Kind::kColumns;
    }
    range_->Format(edge, StyleChange::ForEdge(p, which, value));
  }
}

CallResult BorderObject::Invoke(std::string_view m, CallKind kind,
                                const std::vector<xb::Value>& args) {
  const bool known = NameIs(m, "linestyle") || NameIs(m, "weight") || NameIs(m, "colorindex") ||
                     NameIs(m, "color");
  if (!known) return UnknownName();
  if (!range_->alive()) return Dead();
  int first = 0;
  while (!(edges_ & (1u << first))) ++first;
  const Style& style = range_->StyleOf();
  const Border& b = style.borders[first];
  if (IsRead(kind) && args.empty()) {
    if (NameIs(m, "linestyle")) return Ok(xb::Value::Number(b.line_style));
    if (NameIs(m, "weight")) return Ok(xb::Value::Number(b.weight));
    if (NameIs(m, "colorindex"))
      return Ok(xb::Value::Number(b.colour == 64 ? kAutomatic : b.colour - 7));
    return Ok(xb::Value::Number(b.colour == 64 ? 0 : ColorrefOfPaletteIndex(b.colour)));
  }
  if (args.size() != 1) return BadParamCount();
  long value = 0;
  if (NameIs(m, "linestyle")) {
    // Continuous, dash, dot, double, dash-dot, dash-dot-dot, slant dash-dot, none.
    static const long kStyles[] = {1, -4115, -4118, -4119, 4, 5, 13, kNone};
    bool valid = ArgInt(args, 0, &value);
    bool listed = false;
    for (long s : kStyles) listed = listed || s == value;
    if (!valid || !listed) return BadValue("the border line style", args[0]);
    FormatEdges(StyleProperty::kBorderLineStyle, int16_t(value));
  } else if (NameIs(m, "weight")) {
    if (!ArgInt(args, 0, &value) || (value != 1 && value != 2 && value != -4138 && value != 4))
      return BadValue("the border weight", args[0]);
    FormatEdges(StyleProperty::kBorderWeight, int16_t(value));
    // Giving an edge a weight draws it, as a continuous line unless it has a style.
    if (b.line_style == kLineNone) FormatEdges(StyleProperty::kBorderLineStyle, kLineContinuous);
  } else if (NameIs(m, "colorindex")) {
    if (ArgInt(args, 0, &value) && value == kAutomatic) {
      FormatEdges(StyleProperty::kBorderColour, 64);
    } else if (ArgColourIndex(args, &value)) {
      FormatEdges(StyleProperty::kBorderColour, int16_t(value + 7));
    } else {
      return BadValue("the border colour index", args[0]);
    }
  } else {
    if (!ArgColour(args, &value)) return BadValue("the border colour", args[0]);
    FormatEdges(StyleProperty::kBorderColour, int16_t(PaletteIndexOf(uint32_t(value))));
  }
  return Ok();
}

}  // namespace wb
