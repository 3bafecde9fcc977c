#include "workbook/compound_file.h"

#include <algorithm>

#include "workbook/byte_buffer.h"

namespace wb {

namespace {

constexpr uint32_t kSectorSize = 512;
constexpr uint32_t kMiniStreamCutoff = 4096;
constexpr uint32_t kHeaderFatSlots = 109;
constexpr uint32_t kIdsPerSector = 128;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFatSector = 0xFFFFFFFD;
constexpr uint32_t kDifatSector = 0xFFFFFFFC;
constexpr uint32_t kNoStream = 0xFFFFFFFF;

uint32_t CeilDiv(uint64_t a, uint64_t b) {
  return uint32_t((a + b - 1) / b);
}

void DirectoryEntry(ByteBuffer& o, const char* name, uint8_t type, uint32_t child, uint32_t start,
                    uint32_t size) {
  size_t len = 0;
  for (; name[len]; ++len) o.U16(uint8_t(name[len]));
  o.U16(0);
  o.Zeros(64 - 2 * (len + 1));
  o.U16(uint16_t(2 * (len + 1)));
  o.U8(type);
  o.U8(1);  // black
  o.U32(kNoStream);
  o.U32(kNoStream);
  o.U32(child);
  o.Zeros(16 + 4 + 16);  // class id, state bits, times
  o.U32(start);
  o.U32(size);
  o.U32(0);
}

void UnusedEntry(ByteBuffer& o) {
  o.Zeros(68);
  o.U32(kNoStream);
  o.U32(kNoStream);
  o.U32(kNoStream);
  o.Zeros(48);
}

}  // namespace

CompoundLayout LayoutFor(uint64_t stream_size) {
  CompoundLayout l;
  l.stream_sectors = CeilDiv(std::max<uint64_t>(stream_size, kMiniStreamCutoff), kSectorSize);
  // The FAT maps every sector, its own and the DIFAT's included: grow until stable.
  for (;;) {
    const uint64_t total = uint64_t(l.stream_sectors) + l.fat_sectors + l.difat_sectors + 1;
    const uint32_t fat = CeilDiv(total, kIdsPerSector);
    const uint32_t difat =
        fat <= kHeaderFatSlots ? 0 : CeilDiv(fat - kHeaderFatSlots, kIdsPerSector - 1);
    if (fat == l.fat_sectors && difat == l.difat_sectors) break;
    l.fat_sectors = fat;
    l.difat_sectors = difat;
  }
  l.file_size = uint64_t(kSectorSize) *
                (1 + uint64_t(l.stream_sectors) + l.fat_sectors + l.difat_sectors + 1);
  return l;
}

bool WriteCompoundFile(const std::vector<uint8_t>& stream, ByteSink& sink) {
  return WriteCompoundFile(stream.data(), stream.size(), sink);
}

bool WriteCompoundFile(const uint8_t* stream, size_t size, ByteSink& sink) {
  const CompoundLayout l = LayoutFor(size);
  const uint32_t first_fat = l.stream_sectors;
  const uint32_t first_difat = first_fat + l.fat_sectors;
  const uint32_t directory = first_difat + l.difat_sectors;
  const uint32_t stream_size = uint32_t(std::max<size_t>(size, kMiniStreamCutoff));

  ByteBuffer header;
  header.Append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  header.Zeros(16);
  header.U16(0x003E);
  header.U16(0x0003);
  header.U16(0xFFFE);
  header.U16(9);
  header.U16(6);
  header.Zeros(6);
  header.U32(0);
  header.U32(l.fat_sectors);
  header.U32(directory);
  header.U32(0);
  header.U32(kMiniStreamCutoff);
  header.U32(kEndOfChain);  // no mini FAT
  header.U32(0);
  header.U32(l.difat_sectors ? first_difat : kEndOfChain);
  header.U32(l.difat_sectors);
  for (uint32_t i = 0; i < kHeaderFatSlots; ++i)
    header.U32(i < l.fat_sectors ? first_fat + i : kFreeSector);

  if (!sink.Write(header.data(), header.size())) return false;
  if (size > 0 && !sink.Write(stream, size)) return false;
  const std::vector<uint8_t> padding(uint64_t(l.stream_sectors) * kSectorSize - size, 0);
  if (!padding.empty() && !sink.Write(padding.data(), padding.size())) return false;

  ByteBuffer tail;
  std::vector<uint32_t> fat(uint64_t(l.fat_sectors) * kIdsPerSector, kFreeSector);
  for (uint32_t s = 0; s < l.stream_sectors; ++s)
    fat[s] = s + 1 < l.stream_sectors ? s + 1 : kEndOfChain;
  for (uint32_t s = 0; s < l.fat_sectors; ++s) fat[first_fat + s] = kFatSector;
  for (uint32_t s = 0; s < l.difat_sectors; ++s) fat[first_difat + s] = kDifatSector;
  fat[directory] = kEndOfChain;
  for (uint32_t id : fat) tail.U32(id);
  // DIFAT sectors: 127 further FAT sector ids each, then the next DIFAT sector.
  uint32_t next_fat = kHeaderFatSlots;
  for (uint32_t d = 0; d < l.difat_sectors; ++d) {
    for (uint32_t i = 0; i < kIdsPerSector - 1; ++i, ++next_fat)
      tail.U32(next_fat < l.fat_sectors ? first_fat + next_fat : kFreeSector);
    tail.U32(d + 1 < l.difat_sectors ? first_difat + d + 1 : kEndOfChain);
  }
  DirectoryEntry(tail, "Root Entry", 5, 1, kEndOfChain, 0);
  DirectoryEntry(tail, "Workbook", 2, kNoStream, 0, stream_size);
  UnusedEntry(tail);
  UnusedEntry(tail);
  return sink.Write(tail.data(), tail.size());
}

}  // namespace wb
