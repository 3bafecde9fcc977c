// Writes BIFF records into a byte buffer: a 4-byte header (type, length) patched when the
// record ends. Longer logical records are split into CONTINUE records by their writers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "workbook/byte_buffer.h"

namespace wb {

constexpr size_t kMaxRecordData = 8224;
constexpr uint16_t kContinueRecord = 0x003C;

class RecordWriter {
 public:
  explicit RecordWriter(ByteBuffer& out) : out_(out) {}
  ByteBuffer& out() { return out_; }

  void Begin(uint16_t type) {
    start_ = out_.size();
    out_.U16(type);
    out_.U16(0);
  }
  void End() { out_.PatchU16(start_ + 2, uint16_t(out_.size() - start_ - 4)); }
  size_t data_size() const { return out_.size() - start_ - 4; }
  size_t room() const { return kMaxRecordData - data_size(); }
  size_t start() const { return start_; }

  // A record with a fixed body of 16-bit values.
  void Simple(uint16_t type, std::initializer_list<uint16_t> values) {
    Begin(type);
    for (uint16_t v : values) out_.U16(v);
    End();
  }

 private:
  ByteBuffer& out_;
  size_t start_ = 0;
};

}  // namespace wb
