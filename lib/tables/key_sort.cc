#include "tables/key_sort.h"

#include <algorithm>
#include <cstring>

namespace tables {
namespace {

constexpr size_t kSmallBucket = 48;

struct Sorter {
  const uint8_t* keys;
  size_t length;
  std::vector<uint32_t> scratch;

  void SmallSort(uint32_t* first, uint32_t* last, size_t depth) {
    std::sort(first, last, [&](uint32_t x, uint32_t y) {
      int c = std::memcmp(keys + x * length + depth, keys + y * length + depth, length - depth);
      return c != 0 ? c < 0 : x < y;
    });
  }

  // Sorts [first, last), whose keys agree on their first `depth` bytes; the indexes
  // come in ascending order within equal keys, and the counting pass keeps that.
  void Sort(uint32_t* first, uint32_t* last, size_t depth) {
    while (true) {
      size_t n = size_t(last - first);
      if (n < 2 || depth >= length) return;
      if (n <= kSmallBucket) return SmallSort(first, last, depth);
      size_t count[257] = {};
      for (uint32_t* p = first; p != last; ++p) ++count[keys[*p * length + depth] + 1];
      // One bucket holding everything: go to the next byte without moving anything.
      if (std::find(count + 1, count + 257, n) != count + 257) {
        ++depth;
        continue;
      }
      for (int b = 1; b < 257; ++b) count[b] += count[b - 1];
      uint32_t* out = scratch.data();
      size_t start[256];
      for (int b = 0; b < 256; ++b) start[b] = count[b];
      for (uint32_t* p = first; p != last; ++p) out[count[keys[*p * length + depth]]++] = *p;
      std::copy(out, out + n, first);
      for (int b = 0; b < 256; ++b) {
        size_t begin = start[b], end = (b == 255) ? n : start[b + 1];
        if (end - begin > 1) Sort(first + begin, first + end, depth + 1);
      }
      return;
    }
  }
};

}  // namespace

std::vector<uint32_t> SortKeys(const uint8_t* keys, size_t length, uint32_t count) {
  std::vector<uint32_t> index(count);
  for (uint32_t i = 0; i < count; ++i) index[i] = i;
  Sorter s{keys, length, std::vector<uint32_t>(count)};
  if (count) s.Sort(index.data(), index.data() + count, 0);
  return index;
}

}  // namespace tables
