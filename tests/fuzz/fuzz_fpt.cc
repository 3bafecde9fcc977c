// Memo files from arbitrary bytes: every block number, in range or not, either reads
// a memo inside the file or reports why it cannot.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tables/bytes.h"
#include "tables/memo_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint32_t block_size = 0;
  if (!tables::CheckMemoHeader(data, size, block_size).empty()) return 0;
  std::string text;
  // Block numbers from the header's next-free word and from the data itself.
  uint32_t blocks[] = {0, 1, 8, size >= 4 ? tables::GetBe32(data) : 0, 0xFFFFFFFFu,
                       size >= 12 ? tables::GetBe32(data + 8) : 0};
  for (uint32_t b : blocks) {
    if (tables::ReadMemo(data, size, b, text).empty() && text.size() > size) __builtin_trap();
  }
  for (uint32_t b = 0; b < 64; ++b) tables::ReadMemo(data, size, b, text);
  return 0;
}
