// Compound indexes from arbitrary bytes: a file that parses can be walked for record
// numbers and keys, and rewritten with all its tags into a file that parses again with
// the same tags and records.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tables/cdx_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  tables::CdxFile cdx;
  if (!tables::ParseCdx(std::vector<uint8_t>(data, data + size), cdx).empty()) return 0;
  std::vector<size_t> keep;
  std::vector<std::vector<uint32_t>> records;
  for (size_t i = 0; i < cdx.tags.size(); ++i) {
    std::vector<uint32_t> r;
    std::vector<tables::KeyEntry> keys;
    tables::TagRecords(cdx, cdx.tags[i], 0xFFFFFFFFu, r);
    tables::TagKeys(cdx, cdx.tags[i], ' ', keys);
    records.push_back(r);
    keep.push_back(i);
  }
  // Names may repeat in a hostile directory; the rewrite keeps every entry.
  std::vector<uint8_t> image = tables::BuildCdx(&cdx, keep, tables::NewTag{});
  tables::CdxFile again;
  if (!tables::ParseCdx(std::move(image), again).empty()) __builtin_trap();
  if (again.tags.size() != cdx.tags.size()) __builtin_trap();
  for (size_t i = 0; i < again.tags.size(); ++i) {
    std::vector<uint32_t> r;
    tables::TagRecords(again, again.tags[i], 0xFFFFFFFFu, r);
    if (r != records[i]) __builtin_trap();
  }
  return 0;
}
