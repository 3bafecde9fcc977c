// Table headers and records from arbitrary bytes: parsing either fails with a reason or
// gives a header whose every field of every record can be decoded.
#include <cstddef>
#include <cstdint>

#include "tables/dbf_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tables::TableHeader h;
  if (!tables::ParseHeader(data, size, int64_t(size), h).empty()) return 0;
  const uint32_t records = h.record_count < 2000 ? h.record_count : 2000;
  for (uint32_t r = 0; r < records; ++r) {
    const uint8_t* rec = data + h.header_length + size_t(r) * h.record_length;
    for (const auto& f : h.fields) {
      xb::Value v = tables::DecodeField(f, rec + f.offset, h.binary_memo_pointers());
      (void)v;
    }
  }
  return 0;
}
