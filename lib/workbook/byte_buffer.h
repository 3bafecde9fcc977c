// A growable little-endian byte buffer, the emitter under every record writer. A
// workbook stream is millions of 2- and 4-byte writes, so each write is a bounds check
// and a few stores into room grown geometrically ahead of it; the room is not zeroed
// first (every byte of it is written before it counts).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace wb {

class ByteBuffer {
 public:
  ByteBuffer() = default;
  ByteBuffer(ByteBuffer&& o) noexcept
      : bytes_(std::move(o.bytes_)),
        size_(std::exchange(o.size_, 0)),
        capacity_(std::exchange(o.capacity_, 0)) {}
  ByteBuffer& operator=(ByteBuffer&& o) noexcept {
    bytes_ = std::move(o.bytes_);
    size_ = std::exchange(o.size_, 0);
    capacity_ = std::exchange(o.capacity_, 0);
    return *this;
  }

  size_t size() const { return size_; }
  const uint8_t* data() const { return bytes_.get(); }
  void Reserve(size_t n) {
    if (n > capacity_) Reallocate(n);
  }

  void U8(uint8_t v) { *Extend(1) = v; }
  void U16(uint16_t v) {
    uint8_t* p = Extend(2);
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
  }
  void U32(uint32_t v) {
    uint8_t* p = Extend(4);
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
  }
  void F64(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    U32(uint32_t(bits));
    U32(uint32_t(bits >> 32));
  }
  void Zeros(size_t n) {
    if (n > 0) std::memset(Extend(n), 0, n);
  }
  void Append(const void* p, size_t n) {
    if (n > 0) std::memcpy(Extend(n), p, n);
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
  // Room for n more bytes; the pointer to the first of them.
  uint8_t* Extend(size_t n) {
    if (capacity_ - size_ < n) Reallocate(std::max(size_ + n, capacity_ * 2 + 256));
    uint8_t* p = bytes_.get() + size_;
    size_ += n;
    return p;
  }
  void Reallocate(size_t capacity) {
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[capacity]);
    if (size_ > 0) std::memcpy(bytes.get(), bytes_.get(), size_);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
  }

  std::unique_ptr<uint8_t[]> bytes_;
  size_t size_ = 0;      // bytes written
  size_t capacity_ = 0;  // bytes allocated
};

}  // namespace wb
