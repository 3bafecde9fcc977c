#include "workbook/shared_strings.h"

#include <algorithm>

#include "workbook/ansi_text.h"
#include "workbook/record_writer.h"

namespace wb {

namespace {

constexpr uint16_t kSst = 0x00FC;
constexpr uint16_t kExtSst = 0x00FF;

struct Bucket {
  uint32_t stream_offset;
  uint16_t record_offset;
};

}  // namespace

void WriteSharedStrings(const std::vector<const std::string*>& texts, uint32_t total,
                        ByteBuffer& out) {
  const size_t n = texts.size();
  const size_t per_bucket = std::max<size_t>(8, (n + 127) / 128);
  std::vector<Bucket> buckets;

  RecordWriter rec(out);
  rec.Begin(kSst);
  out.U32(total);
  out.U32(uint32_t(n));
  for (size_t k = 0; k < n; ++k) {
    const std::string& text = *texts[k];
    const bool wide = !IsLatin1(text);
    const size_t unit = wide ? 2 : 1;
    // The string header (count and flags) is never split; neither is a character.
    if (rec.room() < 3 + (text.empty() ? 0 : unit)) {
      rec.End();
      rec.Begin(kContinueRecord);
    }
    if (k % per_bucket == 0)
      buckets.push_back({uint32_t(out.size()), uint16_t(out.size() - rec.start())});
    out.U16(uint16_t(text.size()));
    out.U8(wide ? 1 : 0);
    size_t done = 0;
    while (done < text.size()) {
      size_t fit = rec.room() / unit;
      if (fit == 0) {
        rec.End();
        rec.Begin(kContinueRecord);
        out.U8(wide ? 1 : 0);  // a continued string restates its character size
        fit = rec.room() / unit;
      }
      const size_t count = std::min(fit, text.size() - done);
      if (wide) {
        for (size_t i = 0; i < count; ++i) out.U16(AnsiToUnicode(uint8_t(text[done + i])));
      } else {
        out.Append(text.data() + done, count);
      }
      done += count;
    }
  }
  rec.End();

  rec.Begin(kExtSst);
  out.U16(uint16_t(per_bucket));
  for (const Bucket& b : buckets) {
    out.U32(b.stream_offset);
    out.U16(b.record_offset);
    out.U16(0);
  }
  rec.End();
}

}  // namespace wb
