// The compound-file container of an .xls workbook: a 512-byte header, the "Workbook"
// stream in ordinary sectors, the sector allocation table (FAT), its extension (DIFAT)
// for files past about 7 MB, and one directory sector.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wb {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool Write(const void* data, size_t size) = 0;
};

struct CompoundLayout {
  uint32_t stream_sectors = 0;
  uint32_t fat_sectors = 0;
  uint32_t difat_sectors = 0;
  uint64_t file_size = 0;
};

// The sector counts for a stream of `stream_size` bytes (padded to at least 4096: a
// smaller stream would belong in the mini stream).
CompoundLayout LayoutFor(uint64_t stream_size);

// Writes the whole file; false when the sink fails.
bool WriteCompoundFile(const std::vector<uint8_t>& stream, ByteSink& sink);
bool WriteCompoundFile(const uint8_t* stream, size_t stream_size, ByteSink& sink);

}  // namespace wb
