// Fixed-width integer coding: DBF and CDX headers are little-endian, FPT headers and
// the record/child words of CDX interior nodes big-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tables {

inline uint32_t GetLe16(const uint8_t* p) {
  return p[0] | (p[1] << 8);
}
inline uint32_t GetLe32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint32_t GetBe32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline uint64_t GetLe64(const uint8_t* p) {
  return uint64_t(GetLe32(p)) | (uint64_t(GetLe32(p + 4)) << 32);
}
inline void PutLe16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
inline void PutLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}
inline void PutBe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (24 - 8 * i));
}
inline void PutLe64(uint8_t* p, uint64_t v) {
  PutLe32(p, uint32_t(v));
  PutLe32(p + 4, uint32_t(v >> 32));
}

// The number of bits needed to write v (0 for 0).
inline int BitLength(uint64_t v) {
  int n = 0;
  while (v) {
    ++n;
    v >>= 1;
  }
  return n;
}

}  // namespace tables
