#include "tables/memo_file.h"

#include "tables/bytes.h"

namespace tables {

std::string CheckMemoHeader(const uint8_t* file, size_t size, uint32_t& block_size) {
  if (size < 8) return "the memo file is shorter than its header";
  block_size = (file[6] << 8) | file[7];
  if (block_size == 0) block_size = 1;
  return {};
}

std::string ReadMemo(const uint8_t* file, size_t size, uint32_t block, std::string& out) {
  out.clear();
  if (block == 0) return {};
  uint32_t block_size = 0;
  if (auto why = CheckMemoHeader(file, size, block_size); !why.empty()) return why;
  uint64_t at = uint64_t(block) * block_size;
  if (at < 512) return "memo block " + std::to_string(block) + " lies in the memo header";
  if (at + 8 > size)
    return "memo block " + std::to_string(block) + " lies past the end of the memo file";
  uint32_t length = GetBe32(file + at + 4);
  if (at + 8 + length > size)
    return "memo block " + std::to_string(block) + " has a length past the end of the memo file";
  out.assign(reinterpret_cast<const char*>(file + at + 8), length);
  return {};
}

// The header takes 512 bytes; data starts at the first block boundary after it.
MemoBuilder::MemoBuilder(uint32_t block_size)
    : block_size_(block_size ? block_size : 1),
      image_((512 + block_size_ - 1) / block_size_ * block_size_, 0) {
  image_[6] = uint8_t(block_size_ >> 8);
  image_[7] = uint8_t(block_size_);
}

uint32_t MemoBuilder::Append(const std::string& text) {
  if (text.empty()) return 0;
  uint32_t block = uint32_t(image_.size() / block_size_);
  size_t at = image_.size();
  size_t used = 8 + text.size();
  size_t blocks = (used + block_size_ - 1) / block_size_;
  image_.resize(at + blocks * block_size_, 0);
  PutBe32(&image_[at], 1);
  PutBe32(&image_[at + 4], uint32_t(text.size()));
  std::copy(text.begin(), text.end(), image_.begin() + long(at + 8));
  return block;
}

const std::vector<uint8_t>& MemoBuilder::Image() {
  PutBe32(image_.data(), uint32_t(image_.size() / block_size_));
  return image_;
}

}  // namespace tables
