// Sorting fixed-length keys: most-significant-byte radix sort over record indexes,
// with a comparison sort for small buckets. Equal keys keep ascending index order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tables {

// Returns the indexes 0..count-1 ordered by their keys (key i at keys + i * length),
// ties by index.
std::vector<uint32_t> SortKeys(const uint8_t* keys, size_t length, uint32_t count);

}  // namespace tables
