// xbdump TABLE.DBF            structure and records (memo texts included, deleted marked)
// xbdump TABLE.DBF --tags     tags of the production index: name, key length, key text
// xbdump TABLE.DBF --tag NAME one line per key in tag order: recno TAB key
// Reads foreign tables as well as ours; a damaged file is reported, never changed.
#include <cstdio>
#include <string>
#include <vector>

#include "tables/area.h"
#include "tables/cdx_format.h"
#include "tables/dbf_format.h"
#include "tables/file_io.h"
#include "tables/memo_file.h"

namespace {

using namespace tables;

int Fail(const std::string& file, const std::string& what) {
  std::fprintf(stderr, "xbdump: %s: Corruption detected: %s\n", file.c_str(), what.c_str());
  return 1;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& out, int& os_code) {
  File f;
  os_code = f.Open(path, File::Mode::kRead, true);
  return os_code == 0 && f.ReadAll(out);
}

std::string Escaped(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += char(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  return out;
}

// Memo and table text keeps its bytes; only control characters are escaped.
std::string Printable(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c < 0x20 || c == '\\') {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += char(c);
    }
  }
  return out;
}

int DumpTable(const std::string& path, const std::vector<uint8_t>& data, const TableHeader& h) {
  std::vector<uint8_t> memo;
  std::string memo_path;
  if (h.has_memo_fields()) {
    memo_path = CompanionPath(path, ".fpt");
    int os = 0;
    if (!ReadFile(memo_path, memo, os)) {
      std::fprintf(stderr, "xbdump: %s: Open error (OS code %d)\n", memo_path.c_str(), os);
      return 1;
    }
    uint32_t block_size;
    if (auto why = CheckMemoHeader(memo.data(), memo.size(), block_size); !why.empty())
      return Fail(memo_path, why);
  }
  std::printf("Table: %s\n", path.c_str());
  std::printf("Version: 0x%02X  Records: %u  Header length: %u  Record length: %u\n", h.version,
              h.record_count, h.header_length, h.record_length);
  std::printf("Code page: %d (mark 0x%02X)  Flags: 0x%02X\n", CodePageOfMark(h.code_page_mark),
              h.code_page_mark, h.table_flags);
  std::printf("Fields:\n");
  for (size_t i = 0; i < h.fields.size(); ++i) {
    const FieldInfo& f = h.fields[i];
    std::printf("  %3zu %-10s %c %3d %2d\n", i + 1, f.name.c_str(), f.type, f.width, f.decimals);
  }
  std::printf("Records:\n");
  for (uint32_t r = 1; r <= h.record_count; ++r) {
    const uint8_t* rec = data.data() + h.header_length + size_t(r - 1) * h.record_length;
    std::string line;
    for (const FieldInfo& f : h.fields) {
      const uint8_t* raw = rec + f.offset;
      std::string text;
      if (f.type == 'M' || f.type == 'G' || f.type == 'P') {
        uint32_t block = MemoBlock(f, raw, h.binary_memo_pointers());
        if (auto why = ReadMemo(memo.data(), memo.size(), block, text); !why.empty())
          return Fail(memo_path, why);
      } else if (f.type == 'I' || f.type == 'B' || f.type == 'Y' || f.type == 'T') {
        text = xb::ValueAsText(DecodeField(f, raw, h.binary_memo_pointers()));
      } else {
        text.assign(reinterpret_cast<const char*>(raw), size_t(f.width));
      }
      line += '|';
      line += Printable(text);
    }
    std::printf("%7u %c%s|\n", r, rec[0] == '*' ? '*' : ' ', line.c_str());
  }
  return 0;
}

int DumpTags(const std::string& path, const TableHeader& h, const std::string* only) {
  std::string cdx_path = CompanionPath(path, ".cdx");
  std::vector<uint8_t> bytes;
  int os = 0;
  if (!ReadFile(cdx_path, bytes, os)) {
    std::fprintf(stderr, "xbdump: %s: Open error (OS code %d)\n", cdx_path.c_str(), os);
    return 1;
  }
  CdxFile cdx;
  if (auto why = ParseCdx(std::move(bytes), cdx); !why.empty()) return Fail(cdx_path, why);
  if (!only) {
    for (size_t i = 0; i < cdx.tags.size(); ++i)
      std::printf("%zu\t%s\t%d\t%s\n", i + 1, cdx.tags[i].name.c_str(), cdx.tags[i].key_length,
                  cdx.tags[i].key_text.c_str());
    return 0;
  }
  for (const CdxTag& t : cdx.tags) {
    if (t.name != *only) continue;
    std::vector<KeyEntry> keys;
    if (auto why = TagKeys(cdx, t, PadForKey(t.key_text, h.fields), keys); !why.empty())
      return Fail(cdx_path, "tag " + t.name + ": " + why);
    for (const auto& k : keys) std::printf("%u\t%s\n", k.recno, Escaped(k.key).c_str());
    return 0;
  }
  std::fprintf(stderr, "xbdump: %s: no tag %s\n", cdx_path.c_str(), only->c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || (argc == 3 && std::string(argv[2]) != "--tags") ||
      (argc == 4 && std::string(argv[2]) != "--tag") || argc > 4) {
    std::fprintf(stderr, "usage: xbdump TABLE.DBF [--tags | --tag NAME]\n");
    return 2;
  }
  const std::string path = argv[1];
  std::vector<uint8_t> data;
  int os = 0;
  if (!ReadFile(path, data, os)) {
    std::fprintf(stderr, "xbdump: %s: Open error (OS code %d)\n", path.c_str(), os);
    return 1;
  }
  TableHeader h;
  if (auto why = ParseHeader(data.data(), data.size(), int64_t(data.size()), h); !why.empty())
    return Fail(path, why);
  if (argc == 2) return DumpTable(path, data, h);
  std::string tag;
  if (argc == 4) {
    tag = argv[3];
    for (char& c : tag) c = char(c >= 'a' && c <= 'z' ? c - 32 : c);
  }
  return DumpTags(path, h, argc == 4 ? &tag : nullptr);
}
