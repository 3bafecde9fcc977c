#include "browser/work_area_source.h"

#include "runtime/date_text.h"
#include "runtime/number_text.h"
#include "tables/workarea.h"

namespace browser {

AreaScope::AreaScope(int area) : previous_(tables::CurrentArea()) {
  if (area != previous_) tables::SelectArea(area);
}

AreaScope::~AreaScope() {
  if (tables::CurrentArea() != previous_) tables::SelectArea(previous_);
}

void WorkAreaSource::GoTop() {
  AreaScope scope(area_);
  if (tables::IsOpen()) tables::GoTop();
}

void WorkAreaSource::GoBottom() {
  AreaScope scope(area_);
  if (tables::IsOpen()) tables::GoBottom();
}

long WorkAreaSource::Skip(long n) {
  AreaScope scope(area_);
  if (!tables::IsOpen() || n == 0) return 0;
  if (tables::Eof() && tables::KeyCount() > 0 && n < 0) {
    // Left past the end by the program: a step back lands on the last row.
    tables::GoBottom();
    return n == -1 ? -1 : -1 + tables::Skip(n + 1);
  }
  long moved = tables::Skip(n);
  if (n > 0 && tables::Eof()) {
    // The grid never stands past the last row: back onto it.
    tables::GoBottom();
  }
  return moved;
}

bool WorkAreaSource::Bof() {
  AreaScope scope(area_);
  return tables::Bof();
}

bool WorkAreaSource::Eof() {
  AreaScope scope(area_);
  return tables::Eof();
}

long WorkAreaSource::KeyNo() {
  AreaScope scope(area_);
  return tables::KeyPosition();
}

long WorkAreaSource::KeyCount() {
  AreaScope scope(area_);
  return tables::KeyCount();
}

void WorkAreaSource::GoToKeyNo(long key) {
  AreaScope scope(area_);
  if (tables::IsOpen()) tables::GoToKeyPosition(key);
}

long WorkAreaSource::RecNo() {
  AreaScope scope(area_);
  return tables::RecNo();
}

void WorkAreaSource::GoToRecNo(long recno) {
  AreaScope scope(area_);
  if (tables::IsOpen()) tables::GoTo(recno);
}

int WorkAreaSource::FieldCount() {
  AreaScope scope(area_);
  return tables::FieldCount();
}

std::string WorkAreaSource::FieldName(int index0) {
  AreaScope scope(area_);
  return tables::FieldName(index0 + 1);
}

std::string WorkAreaSource::FieldText(int index0) {
  AreaScope scope(area_);
  const int position = index0 + 1;
  const xb::Value value = tables::FieldValue(position);
  switch (value.type()) {
    case xb::Value::Type::kText:
    case xb::Value::Type::kMemo:
      return value.text();
    case xb::Value::Type::kDate:
      return xb::Dtoc(value.date());
    case xb::Value::Type::kLogical:
      return value.logical() ? ".T." : ".F.";
    case xb::Value::Type::kNumber:
      return xb::Trim(tables::StrInWidth(value.number(), tables::FieldWidth(position),
                                         tables::FieldDecimals(position)));
    default:
      return xb::ValueAsText(value);
  }
}

}  // namespace browser
