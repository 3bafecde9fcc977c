// A growable little-endian byte buffer, the emitter under every record writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace wb {

class ByteBuffer {
 public:
  size_t size() const { return bytes_.size(); }
  const uint8_t* data() const { return bytes_.data(); }
  std::vector<uint8_t>& bytes() { return bytes_; }
  void Reserve(size_t n) { bytes_.reserve(n); }

  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v) {
    uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    Append(b, 2);
  }
  void U32(uint32_t v) {
    uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    Append(b, 4);
  }
  void F64(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    U32(uint32_t(bits));
    U32(uint32_t(bits >> 32));
  }
  void Zeros(size_t n) { bytes_.resize(bytes_.size() + n, 0); }
  void Append(const void* p, size_t n) {
    const uint8_t* b = static_cast<const uint8_t*>(p);
    bytes_.insert(bytes_.end(), b, b + n);
  }
  void Append(std::string_view s) { Append(s.data(), s.size()); }

  // Overwrites bytes already written (forward pointers, record lengths).
  void PatchU16(size_t at, uint16_t v) {
    bytes_[at] = uint8_t(v);
    bytes_[at + 1] = uint8_t(v >> 8);
  }
  void PatchU32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = uint8_t(v >> (8 * i));
  }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace wb
