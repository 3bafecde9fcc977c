// FPT memo files of FoxPro 2.x and Visual FoxPro: a 512-byte big-endian header (next
// free block, block size) and blocks holding a type word, a length and the data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tables {

// Reads one memo from the bytes of a memo file. Returns an empty text on success, or
// what is wrong (a block past the end, a length past the end, a bad block size).
std::string ReadMemo(const uint8_t* file, size_t size, uint32_t block, std::string& out);

// Parses the header; empty text when usable.
std::string CheckMemoHeader(const uint8_t* file, size_t size, uint32_t& block_size);

// Builds a memo file image in memory, appended block by block.
class MemoBuilder {
 public:
  explicit MemoBuilder(uint32_t block_size = 64);
  // Appends a text memo and returns its first block number (0 for an empty text, which
  // takes no block).
  uint32_t Append(const std::string& text);
  // The finished image, with the next-free word filled in.
  const std::vector<uint8_t>& Image();

 private:
  uint32_t block_size_;
  std::vector<uint8_t> image_;
};

}  // namespace tables
