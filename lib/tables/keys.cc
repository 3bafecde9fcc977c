// Key helpers for tag closures: STR of a numeric field, LOWER of a text, concatenation.
#include <cstdint>

#include "runtime/number_text.h"
#include "tables/area.h"
#include "tables/workarea.h"

namespace tables {

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return text;
}

std::string StrInWidth(double value, int width, int decimals) {
  // Whole numbers without decimals are the common key; they skip the general formatter.
  if (decimals == 0 && width > 0 && width <= 20 && value == double(int64_t(value)) &&
      value > -1e15 && value < 1e15) {
    char digits[24];
    int64_t v = int64_t(value);
    bool negative = v < 0;
    uint64_t u = negative ? uint64_t(-v) : uint64_t(v);
    int n = 0;
    do {
      digits[n++] = char('0' + u % 10);
      u /= 10;
    } while (u);
    if (negative) digits[n++] = '-';
    if (n > width) return std::string(size_t(width), '*');
    std::string out(size_t(width - n), ' ');
    while (n) out += digits[--n];
    return out;
  }
  return xb::Str(value, width, decimals);
}

KeyFunction KeyStr(const std::string& field) {
  return [field]() -> xb::Value {
    int position = FieldPosition(field);
    if (!position) return FieldValue(field);  // raises "Variable does not exist"
    xb::Value v = FieldValue(position);
    if (!v.IsNumber()) return v;
    return xb::Value::Text(StrInWidth(v.number(), FieldWidth(position), FieldDecimals(position)));
  };
}

namespace {

// The stored text of a character field of the current record (blanks at end of
// table), read straight from the record: keys are computed once per record and tag.
bool RawText(const std::string& field, std::string& out) {
  int position = FieldPosition(field);
  if (!position) return false;
  const Area& a = Current();
  const FieldInfo& f = a.header.fields[size_t(position - 1)];
  if (f.type != 'C') return false;
  if (a.eof()) {
    out.assign(size_t(f.width), ' ');
  } else {
    out.assign(reinterpret_cast<const char*>(a.record(a.recno()) + f.offset), size_t(f.width));
  }
  return true;
}

}  // namespace

KeyFunction KeyLower(const std::string& field) {
  return [field]() -> xb::Value {
    std::string text;
    if (RawText(field, text)) {
      for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
      return xb::Value::Text(std::move(text));
    }
    xb::Value v = FieldValue(field);  // raises for a missing field
    return v.IsText() ? xb::Value::Text(LowerAscii(v.text())) : v;
  };
}

KeyFunction KeyField(const std::string& field) {
  return [field]() -> xb::Value {
    std::string text;
    if (RawText(field, text)) return xb::Value::Text(std::move(text));
    return FieldValue(field);
  };
}

KeyFunction KeyConcat(std::vector<KeyFunction> parts) {
  return [parts = std::move(parts)]() -> xb::Value {
    std::string out;
    for (const auto& p : parts) {
      xb::Value v = p();
      if (!v.IsText()) return v;  // a non-character part makes the key unusable
      out += v.text();
    }
    return xb::Value::Text(std::move(out));
  };
}

}  // namespace tables
