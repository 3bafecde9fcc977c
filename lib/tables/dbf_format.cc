#include "tables/dbf_format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "runtime/number_text.h"
#include "tables/bytes.h"

namespace tables {
namespace {

bool KnownVersion(uint8_t v) {
  switch (v) {
    case 0x02:
    case 0x03:
    case 0x30:
    case 0x31:
    case 0x32:
    case 0x83:
    case 0x8B:
    case 0xF5:
    case 0xFB:
      return true;
    default:
      return false;
  }
}

std::string Fmt(const char* format, long long a, long long b = 0) {
  char buf[160];
  std::snprintf(buf, sizeof buf, format, a, b);
  return buf;
}

// Checks a field's width against its type; empty text when it is usable.
std::string CheckField(const FieldInfo& f, bool binary_memo) {
  auto bad = [&](const char* why) { return "field " + f.name + ": " + why; };
  switch (f.type) {
    case 'C':
      if (f.width < 1) return bad("character width is 0");
      break;
    case 'N':
    case 'F':
      if (f.width < 1 || f.width > 20) return bad("numeric width out of range");
      break;
    case 'D':
      if (f.width != 8) return bad("date width is not 8");
      break;
    case 'L':
      if (f.width != 1) return bad("logical width is not 1");
      break;
    case 'I':
      if (f.width != 4) return bad("integer width is not 4");
      break;
    case 'B':
    case 'Y':
    case 'T':
      if (f.width != 8) return bad("width is not 8");
      break;
    case 'M':
    case 'G':
    case 'P':
      if (f.width != (binary_memo ? 4 : 10) && f.width != 4 && f.width != 10)
        return bad("memo pointer width is neither 4 nor 10");
      break;
    case '0':
      break;  // the system null-flags field
    default: {
      char buf[64];
      std::snprintf(buf, sizeof buf, "unknown field type 0x%02X", unsigned(uint8_t(f.type)));
      return bad(buf);
    }
  }
  return {};
}

}  // namespace

bool TableHeader::has_memo_fields() const {
  for (const auto& f : fields)
    if (f.type == 'M' || f.type == 'G' || f.type == 'P') return true;
  return false;
}

std::string ParseHeader(const uint8_t* b, size_t available, int64_t file_size, TableHeader& out) {
  out = TableHeader{};
  if (file_size < 32 || available < 32) return "the file is shorter than a table header";
  out.version = b[0];
  if (!KnownVersion(out.version)) return Fmt("unknown table version byte 0x%02llX", b[0]);
  out.record_count = GetLe32(b + 4);
  out.header_length = GetLe16(b + 8);
  out.record_length = GetLe16(b + 10);
  out.table_flags = b[28];
  out.code_page_mark = b[29];
  if (out.header_length < 33) return Fmt("header length %lld is too small", out.header_length);
  if (int64_t(out.header_length) > file_size)
    return Fmt("header length %lld exceeds the file size %lld", out.header_length, file_size);
  if (available < out.header_length) return "the header could not be read";
  bool binary_memo = out.binary_memo_pointers();
  size_t pos = 32;
  bool terminated = false;
  uint32_t sum = 1;
  while (pos < out.header_length) {
    if (b[pos] == 0x0D) {
      terminated = true;
      break;
    }
    if (pos + 32 > out.header_length) break;
    const uint8_t* d = b + pos;
    FieldInfo f;
    size_t n = 0;
    while (n < 11 && d[n]) ++n;
    f.name.assign(reinterpret_cast<const char*>(d), n);
    while (!f.name.empty() && f.name.back() == ' ') f.name.pop_back();
    if (f.name.empty()) return Fmt("field %lld has no name", long(out.fields.size() + 1));
    f.type = char(d[11]);
    if (f.type >= 'a' && f.type <= 'z') f.type = char(f.type - 32);
    f.width = d[16];
    f.decimals = (f.type == 'C') ? 0 : d[17];
    if (f.type == 'C' && d[17]) f.width += d[17] << 8;  // long character fields
    f.flags = d[18];
    f.offset = int(sum);
    if (auto why = CheckField(f, binary_memo); !why.empty()) return why;
    sum += uint32_t(f.width);
    out.fields.push_back(std::move(f));
    pos += 32;
  }
  if (!terminated) return "the field descriptors have no terminator";
  if (out.fields.empty()) return "the table has no fields";
  if (sum != out.record_length)
    return Fmt("record length %lld does not match the fields (%lld)", out.record_length, sum);
  int64_t data = file_size - out.header_length;
  int64_t need = int64_t(out.record_count) * out.record_length;
  if (need > data) {
    if (need - data < int64_t(out.record_length))
      return Fmt("the last record is truncated (%lld of %lld bytes)",
                 data - int64_t(out.record_count - 1) * out.record_length, out.record_length);
    return Fmt("record count %lld exceeds the file size (room for %lld)", out.record_count,
               data / out.record_length);
  }
  return {};
}

int CodePageOfMark(uint8_t mark) {
  static const struct {
    uint8_t mark;
    int page;
  } kPages[] = {{0x01, 437},   {0x02, 850},   {0x03, 1252}, {0x04, 10000}, {0x64, 852},
                {0x65, 866},   {0x66, 865},   {0x67, 861},  {0x68, 895},   {0x69, 620},
                {0x6A, 737},   {0x6B, 857},   {0x78, 950},  {0x79, 949},   {0x7A, 936},
                {0x7B, 932},   {0x7C, 874},   {0x7D, 1255}, {0x7E, 1256},  {0x96, 10007},
                {0x97, 10029}, {0x98, 10006}, {0xC8, 1250}, {0xC9, 1251},  {0xCA, 1254},
                {0xCB, 1253}};
  for (auto& p : kPages)
    if (p.mark == mark) return p.page;
  return 0;
}

uint8_t MarkOfCodePage(int code_page) {
  for (int m = 1; m < 256; ++m)
    if (CodePageOfMark(uint8_t(m)) == code_page) return uint8_t(m);
  return 0;
}

int64_t JulianOf(xb::Date d) {
  return d.julian;
}

namespace {

// A plain decimal ("-12.50", "7", ".5") of at most 15 digits, read without strtod: its
// digits make an exact integer and its scale an exact power of ten, so their one
// correctly rounded quotient is the value strtod would give. Numeric fields are read
// for every record of an export.
bool DirectDecimal(const char* text, int length, double* out) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  int i = 0;
  const bool negative = text[0] == '-';
  if (text[0] == '-' || text[0] == '+') ++i;
  uint64_t digits = 0;
  int count = 0, decimals = 0;
  bool point = false;
  for (; i < length; ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9' || ++count > 15) return false;
    digits = digits * 10 + uint64_t(c - '0');
    if (point) ++decimals;
  }
  if (count == 0) return false;
  const double v = double(digits) / kPowers[decimals];
  *out = negative ? -v : v;
  return true;
}

double ParseNumber(const uint8_t* raw, int width) {
  char buf[32];
  int n = 0;
  for (int i = 0; i < width && n < 31; ++i) {
    char c = char(raw[i]);
    if (c == ' ' || c == 0 || c == '*') continue;
    if (c == ',') c = '.';
    buf[n++] = c;
  }
  buf[n] = 0;
  if (!n) return 0;
  double direct = 0;
  if (DirectDecimal(buf, n, &direct)) return direct;
  char* end = nullptr;
  double v = std::strtod(buf, &end);
  return std::isfinite(v) ? v : 0;
}

xb::Date ParseDate(const uint8_t* raw) {
  int digits[8];
  for (int i = 0; i < 8; ++i) {
    if (raw[i] < '0' || raw[i] > '9') return xb::Date{};
    digits[i] = raw[i] - '0';
  }
  int y = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
  int m = digits[4] * 10 + digits[5];
  int d = digits[6] * 10 + digits[7];
  return xb::Date::FromYmd(y, m, d);
}

}  // namespace

uint32_t MemoBlock(const FieldInfo& f, const uint8_t* raw, bool binary_memo) {
  if (f.width == 4 && (binary_memo || f.width != 10)) return GetLe32(raw);
  double v = ParseNumber(raw, f.width);
  return v > 0 && v < 4294967296.0 ? uint32_t(v) : 0;
}

xb::Value DecodeField(const FieldInfo& f, const uint8_t* raw, bool binary_memo) {
  switch (f.type) {
    case 'C':
      return xb::Value::Text(std::string(reinterpret_cast<const char*>(raw), size_t(f.width)));
    case 'N':
    case 'F':
      return xb::Value::Number(ParseNumber(raw, f.width), f.decimals);
    case 'D':
      return xb::Value::FromDate(ParseDate(raw));
    case 'L':
      return xb::Value::Logical(raw[0] == 'T' || raw[0] == 't' || raw[0] == 'Y' || raw[0] == 'y');
    case 'I':
      return xb::Value::Number(double(int32_t(GetLe32(raw))), 0);
    case 'B': {
      uint64_t bits = GetLe64(raw);
      double v;
      std::memcpy(&v, &bits, 8);
      return xb::Value::Number(std::isfinite(v) ? v : 0, f.decimals);
    }
    case 'Y':
      return xb::Value::Number(double(int64_t(GetLe64(raw))) / 10000.0, 4);
    case 'T': {
      int32_t jd = int32_t(GetLe32(raw));
      return xb::Value::FromDate(jd > 0 ? xb::Date{jd} : xb::Date{});
    }
    case 'M':
    case 'G':
    case 'P':
      return xb::Value::Number(double(MemoBlock(f, raw, binary_memo)), 0);
    default:
      return xb::Value::Text(std::string(reinterpret_cast<const char*>(raw), size_t(f.width)));
  }
}

xb::Value EmptyValue(const FieldInfo& f) {
  switch (f.type) {
    case 'C':
      return xb::Value::Text(std::string(size_t(f.width), ' '));
    case 'N':
    case 'F':
    case 'I':
    case 'B':
      return xb::Value::Number(0, f.decimals);
    case 'Y':
      return xb::Value::Number(0, 4);
    case 'D':
    case 'T':
      return xb::Value::FromDate(xb::Date{});
    case 'L':
      return xb::Value::Logical(false);
    case 'M':
    case 'G':
    case 'P':
      return xb::Value::Memo("");
    default:
      return xb::Value::Text(std::string(size_t(f.width), ' '));
  }
}

bool EncodeField(const FieldInfo& f, const xb::Value& v, uint8_t* raw, bool binary_memo) {
  const size_t w = size_t(f.width);
  switch (f.type) {
    case 'C': {
      const std::string& s = v.text();
      std::memset(raw, ' ', w);
      std::memcpy(raw, s.data(), std::min(w, s.size()));
      return s.size() <= w;
    }
    case 'N':
    case 'F': {
      std::memset(raw, ' ', w);
      if (v.IsNil()) return true;
      std::string s = xb::Str(v.number(), f.width, f.decimals);
      std::memcpy(raw, s.data(), w);
      return s.find('*') == std::string::npos;
    }
    case 'D': {
      if (v.date().empty()) {
        std::memset(raw, ' ', 8);
        return true;
      }
      char buf[16];
      std::snprintf(buf, sizeof buf, "%04d%02d%02d", v.date().year(), v.date().month(),
                    v.date().day());
      std::memcpy(raw, buf, 8);
      return true;
    }
    case 'L':
      raw[0] = v.IsNil() ? ' ' : (v.logical() ? 'T' : 'F');
      return true;
    case 'I':
      PutLe32(raw, uint32_t(int32_t(std::llround(v.number()))));
      return true;
    case 'B': {
      double d = v.number();
      uint64_t bits;
      std::memcpy(&bits, &d, 8);
      PutLe64(raw, bits);
      return true;
    }
    case 'Y':
      PutLe64(raw, uint64_t(std::llround(v.number() * 10000.0)));
      return true;
    case 'T':
      PutLe32(raw, uint32_t(v.date().julian));
      PutLe32(raw + 4, 0);
      return true;
    case 'M':
    case 'G':
    case 'P': {
      uint32_t block = uint32_t(v.number());
      if (w == 4 && binary_memo) {
        PutLe32(raw, block);
        return true;
      }
      std::memset(raw, ' ', w);
      if (block) {
        std::string s = std::to_string(block);
        if (s.size() > w) return false;
        std::memcpy(raw + w - s.size(), s.data(), s.size());
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tables
