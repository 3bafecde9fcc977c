#include "tables/table_writer.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "tables/bytes.h"

namespace tables {

TableWriter::TableWriter(TableSpec spec) : last_update_(spec.last_update) {
  header_.version = spec.version;
  header_.code_page_mark = spec.code_page_mark;
  header_.table_flags = spec.table_flags;
  int offset = 1;
  for (const auto& s : spec.fields) {
    FieldInfo f;
    f.name = s.name.substr(0, 10);
    for (char& c : f.name) c = char(std::toupper(static_cast<unsigned char>(c)));
    f.type = s.type;
    f.width = s.width;
    f.decimals = s.decimals;
    if (!f.width) {
      switch (f.type) {
        case 'D':
        case 'B':
        case 'Y':
        case 'T':
          f.width = 8;
          break;
        case 'L':
          f.width = 1;
          break;
        case 'I':
          f.width = 4;
          break;
        case 'M':
          f.width = header_.binary_memo_pointers() ? 4 : 10;
          break;
        default:
          break;
      }
    }
    if (f.type == 'Y') f.decimals = 4;
    if (f.type == 'M') has_memo_ = true;
    f.offset = offset;
    offset += f.width;
    header_.fields.push_back(f);
  }
  header_.record_length = uint32_t(offset);
  header_.header_length =
      uint32_t(32 + 32 * header_.fields.size() + 1 + (header_.binary_memo_pointers() ? 263 : 0));
  if (has_memo_ && header_.binary_memo_pointers()) header_.table_flags |= 0x02;
}

bool TableWriter::Append(const std::vector<xb::Value>& values, bool deleted) {
  size_t at = records_.size();
  records_.resize(at + header_.record_length, ' ');
  uint8_t* r = records_.data() + at;
  r[0] = deleted ? '*' : ' ';
  bool ok = true;
  for (size_t i = 0; i < header_.fields.size(); ++i) {
    const FieldInfo& f = header_.fields[i];
    xb::Value v = i < values.size() ? values[i] : xb::Value();
    if (f.type == 'M') v = xb::Value::Number(memo_.Append(v.text()));
    if (v.IsNil()) v = EmptyValue(f);
    ok = EncodeField(f, v, r + f.offset, header_.binary_memo_pointers()) && ok;
  }
  ++header_.record_count;
  return ok;
}

std::vector<uint8_t> TableWriter::TableImage() const {
  std::vector<uint8_t> out(header_.header_length, 0);
  out[0] = header_.version;
  out[1] = uint8_t(last_update_.year() % 100);
  out[2] = uint8_t(last_update_.month());
  out[3] = uint8_t(last_update_.day());
  PutLe32(&out[4], header_.record_count);
  PutLe16(&out[8], header_.header_length);
  PutLe16(&out[10], header_.record_length);
  out[28] = header_.table_flags;
  out[29] = header_.code_page_mark;
  for (size_t i = 0; i < header_.fields.size(); ++i) {
    const FieldInfo& f = header_.fields[i];
    uint8_t* d = &out[32 + 32 * i];
    std::memcpy(d, f.name.data(), f.name.size());
    d[11] = uint8_t(f.type);
    PutLe32(d + 12, uint32_t(f.offset));
    d[16] = uint8_t(f.width);
    d[17] = uint8_t(f.type == 'C' ? 0 : f.decimals);
    if (std::strchr("IYT", f.type) && header_.binary_memo_pointers()) d[18] = 0x04;
  }
  out[32 + 32 * header_.fields.size()] = 0x0D;
  out.insert(out.end(), records_.begin(), records_.end());
  out.push_back(0x1A);
  return out;
}

std::string TableWriter::Write(const std::string& path) {
  auto put = [](const std::string& p, const std::vector<uint8_t>& bytes) -> std::string {
    FILE* f = std::fopen(p.c_str(), "wb");
    if (!f) return "cannot create " + p;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    return ok ? "" : "cannot write " + p;
  };
  if (auto why = put(path, TableImage()); !why.empty()) return why;
  if (!has_memo_) return {};
  size_t dot = path.find_last_of('.');
  std::string stem = dot == std::string::npos ? path : path.substr(0, dot);
  std::string ext = dot == std::string::npos ? "" : path.substr(dot);
  bool upper = !ext.empty() && std::isupper(static_cast<unsigned char>(ext.back()));
  return put(stem + (upper ? ".FPT" : ".fpt"), MemoImage());
}

}  // namespace tables
