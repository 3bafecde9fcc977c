// The file format's building blocks: colours, widths, heights, container sizing, text
// encoding, and the record structure of the Workbook stream.
#include <gtest/gtest.h>

#include <map>

#include "automation_driver.h"
#include "workbook/ansi_text.h"
#include "workbook/biff_stream.h"
#include "workbook/compound_file.h"
#include "workbook/objects.h"
#include "workbook/palette.h"

namespace wbtest {
namespace {

TEST(FileFormat, ColorrefMapsOntoThePaletteWithRedAndBlueNotSwapped) {
  struct Case {
    uint32_t colorref;
    uint16_t icv;
  } cases[] = {
      {0, 8},         {255, 10},     {32768, 17},    {8388608, 18},
      {16711680, 12}, {16777215, 9}, {0x00FFFF, 13},  // yellow
      {0xF4EAE4, 27},                                 // RGB(228,234,244): nearest is CCFFFF
      {0x32140A, 63},                                 // RGB(10,20,50): nearest is 333333
  };
  for (const Case& c : cases) EXPECT_EQ(wb::PaletteIndexOf(c.colorref), c.icv) << c.colorref;
  for (uint16_t icv = 8; icv < 64; ++icv) {
    // Duplicated palette entries map to their first index.
    const uint16_t back = wb::PaletteIndexOf(wb::ColorrefOfPaletteIndex(icv));
    EXPECT_EQ(wb::ColorrefOfPaletteIndex(back), wb::ColorrefOfPaletteIndex(icv)) << icv;
    EXPECT_LE(back, icv);
  }
}

TEST(FileFormat, ColumnWidthsIncludeTheCellPadding) {
  struct Case {
    double characters;
    uint16_t units;
  } cases[] = {{20, 5302}, {8, 2230}, {12, 3254}, {40, 10422}, {5, 1462}, {8.43, 2340}, {0, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(wb::ColumnWidthUnits(c.characters), c.units) << c.characters;
}

TEST(FileFormat, RowHeightsFollowTheLargestFont) {
  struct Case {
    uint16_t font_twips, row_twips;
  } cases[] = {{180, 240}, {200, 255}, {240, 315}};
  for (const Case& c : cases) EXPECT_EQ(wb::RowHeightForFont(c.font_twips), c.row_twips);
}

TEST(FileFormat, CompoundFileSizingAddsDifatPastOneHundredAndNineFatSectors) {
  struct Case {
    uint64_t stream;
    uint32_t sectors, fat, difat;
  } cases[] = {
      {10, 8, 1, 0},  // small streams are padded to 4096 bytes
      {4096, 8, 1, 0},
      {127 * 512, 127, 2, 0},  // 127 + 1 FAT + 1 directory = 129 entries
      {126 * 512, 126, 1, 0},  // exactly 128
      {13842 * 512, 13842, 109, 0},
      {13842 * 512 + 1, 13843, 110, 1},
      {20000 * 512, 20000, 158, 1},
      {29000 * 512, 29000, 229, 1},
      {30300 * 512, 30300, 239, 2},
  };
  for (const Case& c : cases) {
    const wb::CompoundLayout l = wb::LayoutFor(c.stream);
    EXPECT_EQ(l.stream_sectors, c.sectors) << c.stream;
    EXPECT_EQ(l.fat_sectors, c.fat) << c.stream;
    EXPECT_EQ(l.difat_sectors, c.difat) << c.stream;
    // Every sector, the FAT's and DIFAT's own included, has a FAT entry.
    EXPECT_GE(uint64_t(l.fat_sectors) * 128,
              uint64_t(c.sectors) + l.fat_sectors + l.difat_sectors + 1);
    EXPECT_GE(109 + uint64_t(l.difat_sectors) * 127, l.fat_sectors);
  }
}

TEST(FileFormat, OnlyLatin1TextIsStoredCompressed) {
  struct Case {
    std::string ansi;
    bool latin1;
  } cases[] = {{"plain", true},      {"caf\xE9 \xFC", true},         {"\x80 5", false},
               {"\x96 dash", false}, {"\x81\x8D\x8F\x90\x9D", true}, {"", true}};
  for (const Case& c : cases) EXPECT_EQ(wb::IsLatin1(c.ansi), c.latin1) << c.ansi;
  EXPECT_EQ(wb::AnsiToUnicode(0x80), 0x20AC);
  EXPECT_EQ(wb::AnsiToUnicode(0x9F), 0x0178);
  EXPECT_EQ(wb::AnsiToUnicode(0xE9), 0x00E9);
}

// A minimal reader of the stream's records, for structural checks.
struct Record {
  uint16_t type;
  size_t offset;  // of the header
  std::vector<uint8_t> data;
};

std::vector<Record> Records(const std::vector<uint8_t>& s) {
  std::vector<Record> out;
  size_t at = 0;
  while (at + 4 <= s.size()) {
    const uint16_t type = uint16_t(s[at] | s[at + 1] << 8);
    const uint16_t len = uint16_t(s[at + 2] | s[at + 3] << 8);
    if (type == 0 && len == 0) break;  // padding after the last EOF
    out.push_back({type, at, std::vector<uint8_t>(s.begin() + at + 4, s.begin() + at + 4 + len)});
    at += 4 + len;
  }
  return out;
}

uint32_t U16(const std::vector<uint8_t>& d, size_t i) {
  return d[i] | d[i + 1] << 8;
}
uint32_t U32(const std::vector<uint8_t>& d, size_t i) {
  return U16(d, i) | U16(d, i + 2) << 16;
}

// Reads the SST back across its CONTINUE records, as UTF-16 code units per string.
std::vector<std::u16string> ReadSst(const std::vector<Record>& records) {
  std::vector<std::vector<uint8_t>> parts;
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].type != 0x00FC) continue;
    parts.push_back(records[i].data);
    for (size_t j = i + 1; j < records.size() && records[j].type == 0x003C; ++j)
      parts.push_back(records[j].data);
    break;
  }
  std::vector<std::u16string> out;
  if (parts.empty()) return out;
  size_t p = 0, at = 8;
  const uint32_t unique = U32(parts[0], 4);
  for (uint32_t k = 0; k < unique; ++k) {
    if (at >= parts[p].size()) {
      ++p;
      at = 0;
    }
    const uint32_t cch = U16(parts[p], at);
    bool wide = parts[p][at + 2] & 1;
    at += 3;
    std::u16string text;
    while (text.size() < cch) {
      if (at >= parts[p].size()) {
        ++p;
        at = 0;
        wide = parts[p][at++] & 1;  // a continued string restates its character size
      }
      if (wide) {
        text += char16_t(U16(parts[p], at));
        at += 2;
      } else {
        text += char16_t(parts[p][at++]);
      }
    }
    out.push_back(text);
  }
  return out;
}

std::vector<uint8_t> StreamOf(const xb::Value& book_object) {
  auto* book = dynamic_cast<wb::WorkbookObject*>(book_object.object().get());
  std::vector<uint8_t> stream;
  std::string error;
  EXPECT_NE(book, nullptr);
  if (book != nullptr) {
    EXPECT_TRUE(wb::BuildWorkbookStream(book->data(), "test", &stream, &error)) << error;
  }
  return stream;
}

TEST(FileFormat, SharedStringsSplitIntoContinueRecordsWithoutBreakingAString) {
  Book b;
  std::vector<std::string> texts;
  for (int i = 0; i < 3000; ++i) {
    // Mixed widths: every third text needs UTF-16 (it holds a euro sign).
    std::string t = "text " + std::to_string(i) + std::string(i % 17, ' ');
    if (i % 3 == 0) t += "\x80";
    if (i == 1500) t = std::string(9000, 'w') + "\x93";  // one text longer than a record
    texts.push_back(t);
    Put(Cell(b.sheet, i + 1, 1), "Value", T(t));
  }
  Put(Cell(b.sheet, 3001, 1), "Value", T(texts[7]));  // a repeated text is stored once
  const std::vector<uint8_t> stream = StreamOf(b.book);
  const std::vector<Record> records = Records(stream);
  size_t continues = 0;
  for (const Record& r : records) {
    EXPECT_LE(r.data.size(), 8224u) << "record " << std::hex << r.type;
    if (r.type == 0x003C) ++continues;
  }
  EXPECT_GT(continues, 3u);
  const std::vector<std::u16string> sst = ReadSst(records);
  ASSERT_EQ(sst.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    std::u16string expected;
    for (unsigned char c : texts[i]) expected += char16_t(wb::AnsiToUnicode(c));
    ASSERT_EQ(sst[i], expected) << i;
  }
}

TEST(FileFormat, SheetDirectoryPointsAtTheSheetAndFontFourIsNeverUsed) {
  Book b(3);
  for (int i = 1; i <= 6; ++i) {
    xb::Value font = Get(Cell(b.sheet, i, 1), "Font");
    Put(font, "Size", N(10 + i));  // 11 to 16 pt: none is the default font
    Put(Cell(b.sheet, i, 1), "Value", N(i));
  }
  std::vector<uint8_t> stream = StreamOf(b.book);
  const std::vector<Record> records = Records(stream);
  std::vector<uint32_t> sheet_offsets;
  std::map<size_t, uint16_t> bof_types;
  int fonts = 0;
  for (const Record& r : records) {
    if (r.type == 0x0085) sheet_offsets.push_back(U32(r.data, 0));
    if (r.type == 0x0809) bof_types[r.offset] = uint16_t(U16(r.data, 2));
    if (r.type == 0x0031) ++fonts;
    if (r.type == 0x00E0) {
      EXPECT_NE(U16(r.data, 0), 4u) << "an XF uses font index 4";
    }
  }
  ASSERT_EQ(sheet_offsets.size(), 3u);
  for (uint32_t off : sheet_offsets) EXPECT_EQ(bof_types[off], 0x0010) << off;
  EXPECT_EQ(fonts, 4 + 6);  // the four built-in fonts and one per size
}

}  // namespace
}  // namespace wbtest
