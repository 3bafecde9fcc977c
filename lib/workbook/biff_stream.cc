#include "workbook/biff_stream.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <tuple>

#include "workbook/ansi_text.h"
#include "workbook/palette.h"
#include "workbook/record_writer.h"
#include "workbook/shared_strings.h"

namespace wb {

namespace {

constexpr int kFirstCellXf = 16;
constexpr int kDefaultCellXf = 15;
constexpr int kMaxXfs = 4050;
constexpr int kMaxFonts = 510;
constexpr uint16_t kDefaultRowTwips = 255;
constexpr uint16_t kDefaultColumnUnits = 2340;  // 8.43 characters

struct FontKey {
  uint16_t name, twips, colour;
  bool bold, italic;
  auto tie() const { return std::tie(name, twips, colour, bold, italic); }
  bool operator<(const FontKey& o) const { return tie() < o.tie(); }
};

FontKey FontOf(const Style& s) {
  const uint16_t colour =
      s.font_colour < 0 ? kAutomaticFontColour : PaletteIndexOf(uint32_t(s.font_colour));
  return {s.font_name, s.font_twips, colour, s.bold, s.italic};
}

// The fonts and cell formats a file needs, numbered as the file numbers them.
class FormatTables {
 public:
  explicit FormatTables(const WorkbookData& book)
      : book_(book), xf_of_style_(book.styles.size(), -1) {
    // Fonts 0-3: the default font plain, bold, italic, bold italic; index 4 is never used.
    for (int i = 0; i < 4; ++i) {
      FontKey k{0, 200, kAutomaticFontColour, (i & 1) != 0, (i & 2) != 0};
      fonts_.push_back(k);
      font_index_.emplace(k, i);
    }
    xf_of_style_[0] = kDefaultCellXf;
  }

  int XfOf(uint32_t style_id) {
    int& xf = xf_of_style_[style_id];
    if (xf < 0) {
      xf = kFirstCellXf + int(xf_styles_.size());
      xf_styles_.push_back(style_id);
    }
    return xf;
  }

  int FontIndexOf(const Style& s) {
    const FontKey key = FontOf(s);
    auto it = font_index_.find(key);
    if (it != font_index_.end()) return it->second;
    const int index = int(fonts_.size()) + 1;  // positions 4 and up are numbered from 5
    fonts_.push_back(key);
    font_index_.emplace(key, index);
    return index;
  }

  int FormatIdOf(uint16_t format) {
    auto it = format_ids_.find(format);
    if (it != format_ids_.end()) return it->second;
    int id = BuiltInFormatId(book_.number_formats.Get(format));
    if (id < 0) {
      id = 164 + int(custom_formats_.size());
      custom_formats_.push_back(format);
    }
    format_ids_.emplace(format, id);
    return id;
  }

  const std::vector<uint32_t>& xf_styles() const { return xf_styles_; }
  const std::vector<FontKey>& fonts() const { return fonts_; }
  const std::vector<uint16_t>& custom_formats() const { return custom_formats_; }

 private:
  const WorkbookData& book_;
  std::vector<int> xf_of_style_;
  std::vector<uint32_t> xf_styles_;  // style ids of XF 16, 17, ...
  std::vector<FontKey> fonts_;
  std::map<FontKey, int> font_index_;
  std::map<uint16_t, int> format_ids_;
  std::vector<uint16_t> custom_formats_;
};

// XLUnicodeString (16-bit count) or ShortXLUnicodeString (8-bit count) of ANSI text.
void WriteString(ByteBuffer& out, const std::string& ansi, bool short_count);

uint8_t LineCode(const Border& b) {
  switch (b.line_style) {
    case kLineNone:
      return 0;
    case -4115:
      return 3;  // dashed
    case -4118:
      return 4;  // dotted
    case -4119:
      return 6;  // double
    default:
      break;
  }
  switch (b.weight) {
    case 1:
      return 7;  // hairline
    case -4138:
      return 2;  // medium
    case 4:
      return 5;  // thick
    default:
      return 1;  // thin
  }
}

struct SheetPlan {
  const SheetData* sheet;
  size_t boundsheet_offset_at;  // where the BOUNDSHEET's stream offset is patched
};

class StreamBuilder {
 public:
  StreamBuilder(const WorkbookData& book, const std::string& user)
      : book_(book), user_(user), tables_(book), rec_(out_) {}

  bool Build(ByteBuffer* stream, std::string* error);

 private:
  void CollectFormats();
  size_t EstimatedSize() const;
  void WriteGlobals();
  void WriteFonts();
  void WriteFormats();
  void WriteXfs();
  void WriteXf(const Style& s, bool default_cell);
  void WriteSheet(const SheetData& sheet, bool active);
  void WriteColumns(const SheetData& sheet);
  void WriteCells(const SheetData& sheet);
  void WriteWindow(const SheetData& sheet, bool active);
  void WriteMerges(const SheetData& sheet);

  const WorkbookData& book_;
  const std::string& user_;
  FormatTables tables_;
  ByteBuffer out_;
  RecordWriter rec_;
  std::vector<SheetPlan> sheets_;
  std::vector<uint32_t> sst_index_;  // text id -> SST position, or UINT32_MAX
  std::vector<const std::string*> sst_texts_;
  uint32_t sst_total_ = 0;
  size_t cell_count_ = 0;
  size_t row_count_ = 0;
  int active_position_ = 0;
};

void WriteString(ByteBuffer& out, const std::string& ansi, bool short_count) {
  const bool wide = !IsLatin1(ansi);
  if (short_count) {
    out.U8(uint8_t(ansi.size()));
  } else {
    out.U16(uint16_t(ansi.size()));
  }
  out.U8(wide ? 1 : 0);
  if (wide) {
    for (unsigned char c : ansi) out.U16(AnsiToUnicode(c));
  } else {
    out.Append(ansi);
  }
}

void StreamBuilder::CollectFormats() {
  sst_index_.assign(book_.texts.size(), UINT32_MAX);
  for (const SheetPlan& plan : sheets_) {
    const SheetData& sheet = *plan.sheet;
    tables_.XfOf(sheet.sheet_style());
    for (int c = 0; c < kMaxColumns; ++c) {
      if (sheet.column_style(c) >= 0) tables_.XfOf(uint32_t(sheet.column_style(c)));
    }
    row_count_ += sheet.rows().size();
    for (const std::vector<Cell>& cells : sheet.rows()) {
      for (const Cell& cell : cells) {
        if (cell.kind == CellKind::kNone) continue;
        ++cell_count_;
        tables_.XfOf(cell.style);
        if (cell.kind == CellKind::kText) {
          ++sst_total_;
          uint32_t& index = sst_index_[cell.text];
          if (index == UINT32_MAX) {
            index = uint32_t(sst_texts_.size());
            sst_texts_.push_back(&book_.texts.Get(cell.text));
          }
        }
      }
    }
  }
  for (uint32_t style_id : tables_.xf_styles()) {
    const Style& s = book_.styles.Get(style_id);
    tables_.FontIndexOf(s);
    tables_.FormatIdOf(s.number_format);
  }
}

// Room for the whole stream up front, so that a large sheet is not copied as it grows:
// the largest cell record, a ROW record per row, every shared text in single-byte
// characters (wide ones grow the buffer), and a margin for the globals and the fixed
// records. Not more: every page of it is touched.
size_t StreamBuilder::EstimatedSize() const {
  size_t texts = 0;
  for (const std::string* t : sst_texts_) texts += 3 + t->size();
  return (64 << 10) + cell_count_ * 18 + row_count_ * 20 + texts + texts / 8192 * 5 +
         tables_.xf_styles().size() * 24;
}

bool StreamBuilder::Build(ByteBuffer* stream, std::string* error) {
  for (const std::shared_ptr<SheetData>& s : book_.sheets) {
    if (s->deleted) continue;
    if (s.get() == book_.sheets[book_.active_sheet].get()) active_position_ = int(sheets_.size());
    sheets_.push_back({s.get(), 0});
  }
  CollectFormats();
  if (kFirstCellXf + tables_.xf_styles().size() > size_t(kMaxXfs)) {
    *error = "The workbook has " + std::to_string(tables_.xf_styles().size()) +
             " different cell formats; a workbook of this format holds at most " +
             std::to_string(kMaxXfs - kFirstCellXf) + ".";
    return false;
  }
  if (tables_.fonts().size() > size_t(kMaxFonts)) {
    *error = "The workbook uses " + std::to_string(tables_.fonts().size()) +
             " different fonts; a workbook of this format holds at most " +
             std::to_string(kMaxFonts) + ".";
    return false;
  }
  out_.Reserve(EstimatedSize());
  WriteGlobals();
  for (size_t i = 0; i < sheets_.size(); ++i) {
    out_.PatchU32(sheets_[i].boundsheet_offset_at, uint32_t(out_.size()));
    WriteSheet(*sheets_[i].sheet, int(i) == active_position_);
  }
  *stream = std::move(out_);
  return true;
}

void StreamBuilder::WriteGlobals() {
  ByteBuffer& o = out_;
  rec_.Begin(0x0809);  // BOF, workbook globals
  o.U16(0x0600);
  o.U16(0x0005);
  o.U16(0x0DBB);
  o.U16(0x07CC);
  o.U32(0);
  o.U32(6);
  rec_.End();
  rec_.Simple(0x00E1, {0x04B0});  // INTERFACEHDR: code page 1200
  rec_.Simple(0x00C1, {0});       // MMS
  rec_.Simple(0x00E2, {});        // INTERFACEEND
  rec_.Begin(0x005C);             // WRITEACCESS, padded with blanks to 112 bytes
  {
    const size_t from = o.size();
    WriteString(o, user_.substr(0, 54), false);
    while (o.size() - from < 112) o.U8(0x20);
  }
  rec_.End();
  rec_.Simple(0x0042, {1200});  // CODEPAGE: strings are Unicode
  rec_.Simple(0x0161, {0});     // DSF
  rec_.Begin(0x013D);           // RRTABID
  for (size_t i = 0; i < sheets_.size(); ++i) o.U16(uint16_t(i + 1));
  rec_.End();
  rec_.Simple(0x0019, {0});  // WINDOWPROTECT
  rec_.Simple(0x0012, {0});  // PROTECT
  rec_.Simple(0x0013, {0});  // PASSWORD
  rec_.Simple(0x01AF, {0});  // PROT4REV
  rec_.Simple(0x01BC, {0});  // PROT4REVPASS
  rec_.Simple(0x003D, {0, 0, 0x3A00, 0x2000, 0x0038, uint16_t(active_position_), 0, 1, 600});
  rec_.Simple(0x0040, {0});  // BACKUP
  rec_.Simple(0x008D, {0});  // HIDEOBJ
  rec_.Simple(0x0022, {0});  // DATEMODE: 1900 dates
  rec_.Simple(0x000E, {1});  // PRECISION
  rec_.Simple(0x01B7, {0});  // REFRESHALL
  rec_.Simple(0x00DA, {0});  // BOOKBOOL
  WriteFonts();
  WriteFormats();
  WriteXfs();
  rec_.Begin(0x0293);  // STYLE: Normal, built in, XF 0
  o.U16(0x8000);
  o.U8(0);
  o.U8(0xFF);
  rec_.End();
  rec_.Simple(0x0160, {0});  // USESELFS
  for (SheetPlan& plan : sheets_) {
    rec_.Begin(0x0085);  // BOUNDSHEET; the offset is patched when the sheet is written
    plan.boundsheet_offset_at = o.size();
    o.U32(0);
    o.U8(0);
    o.U8(0);
    WriteString(o, plan.sheet->name, true);
    rec_.End();
  }
  rec_.Simple(0x008C, {1, 1});  // COUNTRY
  WriteSharedStrings(sst_texts_, sst_total_, o);
  rec_.Simple(0x000A, {});  // EOF
}

void StreamBuilder::WriteFonts() {
  for (const FontKey& f : tables_.fonts()) {
    ByteBuffer& o = out_;
    rec_.Begin(0x0031);
    o.U16(f.twips);
    o.U16(uint16_t((f.bold ? 1 : 0) | (f.italic ? 2 : 0)));
    o.U16(f.colour);
    o.U16(f.bold ? 700 : 400);
    o.U16(0);  // no super- or subscript
    o.U8(0);   // no underline
    o.U8(0);   // family
    o.U8(0);   // ANSI character set
    o.U8(0);
    WriteString(o, book_.font_names.Get(f.name), true);
    rec_.End();
  }
}

void StreamBuilder::WriteFormats() {
  for (size_t i = 0; i < tables_.custom_formats().size(); ++i) {
    rec_.Begin(0x041E);
    out_.U16(uint16_t(164 + i));
    WriteString(out_, book_.number_formats.Get(tables_.custom_formats()[i]), false);
    rec_.End();
  }
}

void StreamBuilder::WriteXfs() {
  // XF 0: the Normal style; 1-14: the outline styles; 15: the default cell format.
  static const uint8_t kStyleFonts[15] = {0, 1, 1, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 15; ++i) {
    ByteBuffer& o = out_;
    rec_.Begin(0x00E0);
    o.U16(kStyleFonts[i]);
    o.U16(0);
    o.U16(0xFFF5);  // locked, style XF, no parent
    o.U8(0x20);     // bottom aligned
    o.U8(0);
    o.U8(0);
    o.U8(i == 0 ? 0x00 : 0xF4);
    o.U32(0);
    o.U32(0);
    o.U16(0x20C0);  // no fill: foreground 64, background 65
    rec_.End();
  }
  WriteXf(Style{}, true);
  for (uint32_t style_id : tables_.xf_styles()) WriteXf(book_.styles.Get(style_id), false);
}

void StreamBuilder::WriteXf(const Style& s, bool default_cell) {
  ByteBuffer& o = out_;
  rec_.Begin(0x00E0);
  o.U16(default_cell ? 0 : uint16_t(tables_.FontIndexOf(s)));
  o.U16(default_cell ? 0 : uint16_t(tables_.FormatIdOf(s.number_format)));
  o.U16(0x0001);  // locked, cell XF, parent: Normal
  o.U8(uint8_t(0x20 | (s.horizontal & 7)));
  o.U8(0);
  o.U8(0);
  o.U8(default_cell ? 0x00 : 0xFC);  // a cell format states every attribute
  const Border& left = s.borders[int(Edge::kLeft)];
  const Border& right = s.borders[int(Edge::kRight)];
  const Border& top = s.borders[int(Edge::kTop)];
  const Border& bottom = s.borders[int(Edge::kBottom)];
  const uint32_t dl = LineCode(left), dr = LineCode(right), dt = LineCode(top),
                 db = LineCode(bottom);
  o.U32(dl | dr << 4 | dt << 8 | db << 12 | (dl ? uint32_t(left.colour & 0x7F) << 16 : 0) |
        (dr ? uint32_t(right.colour & 0x7F) << 23 : 0));
  const uint32_t fill = s.fill_colour >= 0 ? 1 : 0;
  o.U32((dt ? uint32_t(top.colour & 0x7F) : 0) | (db ? uint32_t(bottom.colour & 0x7F) << 7 : 0) |
        fill << 26);
  const uint16_t fore = fill ? PaletteIndexOf(uint32_t(s.fill_colour)) : kAutomaticColour;
  o.U16(uint16_t(fore | kAutomaticBackground << 7));
  rec_.End();
}

void StreamBuilder::WriteSheet(const SheetData& sheet, bool active) {
  ByteBuffer& o = out_;
  rec_.Begin(0x0809);  // BOF, worksheet
  o.U16(0x0600);
  o.U16(0x0010);
  o.U16(0x0DBB);
  o.U16(0x07CC);
  o.U32(0);
  o.U32(6);
  rec_.End();
  rec_.Simple(0x000D, {1});    // CALCMODE automatic
  rec_.Simple(0x000C, {100});  // CALCCOUNT
  rec_.Simple(0x000F, {1});    // REFMODE A1
  rec_.Simple(0x0011, {0});    // ITERATION
  rec_.Begin(0x0010);          // DELTA
  o.F64(0.001);
  rec_.End();
  rec_.Simple(0x005F, {1});           // SAVERECALC
  rec_.Simple(0x002A, {0});           // PRINTHEADERS
  rec_.Simple(0x002B, {0});           // PRINTGRIDLINES
  rec_.Simple(0x0082, {1});           // GRIDSET
  rec_.Simple(0x0080, {0, 0, 0, 0});  // GUTS
  const uint16_t default_height = std::max(
      kDefaultRowTwips, RowHeightForFont(book_.styles.Get(sheet.sheet_style()).font_twips));
  rec_.Simple(0x0225, {0, default_height});  // DEFAULTROWHEIGHT
  rec_.Simple(0x0081, {0x04C1});             // WSBOOL
  rec_.Simple(0x0014, {});                   // HEADER: none
  rec_.Simple(0x0015, {});                   // FOOTER: none
  rec_.Simple(0x0083, {0});                  // HCENTER
  rec_.Simple(0x0084, {0});                  // VCENTER
  rec_.Begin(0x00A1);                        // SETUP: A4, printer fields undefined
  o.U16(9);
  o.U16(100);
  o.U16(1);
  o.U16(1);
  o.U16(1);
  o.U16(0x0004);
  o.U16(600);
  o.U16(600);
  o.F64(0.5);
  o.F64(0.5);
  o.U16(1);
  rec_.End();
  rec_.Simple(0x0055, {8});  // DEFCOLWIDTH
  WriteColumns(sheet);
  WriteCells(sheet);
  WriteWindow(sheet, active);
  WriteMerges(sheet);
  rec_.Simple(0x000A, {});  // EOF
}

void StreamBuilder::WriteColumns(const SheetData& sheet) {
  struct Info {
    uint16_t width, xf, flags;
    bool operator==(const Info&) const = default;
  };
  const bool sheet_formatted = sheet.sheet_style() != 0;
  std::vector<std::pair<int, Info>> columns;
  for (int c = 0; c < kMaxColumns; ++c) {
    const double w = sheet.column_width(c);
    const int32_t style = sheet.column_style(c);
    if (w < 0 && style < 0 && !sheet_formatted) continue;
    Info info{kDefaultColumnUnits, 0, 0};
    if (w >= 0) {
      info.width = ColumnWidthUnits(w);
      info.flags = w == 0 ? 0x0003 : 0x0002;  // user set; hidden at width 0
    }
    info.xf = uint16_t(tables_.XfOf(style >= 0 ? uint32_t(style) : sheet.sheet_style()));
    columns.emplace_back(c, info);
  }
  for (size_t i = 0; i < columns.size();) {
    size_t j = i;
    while (j + 1 < columns.size() && columns[j + 1].first == columns[j].first + 1 &&
           columns[j + 1].second == columns[i].second)
      ++j;
    rec_.Simple(0x007D,
                {uint16_t(columns[i].first), uint16_t(columns[j].first), columns[i].second.width,
                 columns[i].second.xf, columns[i].second.flags, 0});
    i = j + 1;
  }
}

void StreamBuilder::WriteCells(const SheetData& sheet) {
  ByteBuffer& o = out_;
  const auto& rows = sheet.rows();
  // Extent of the cells written.
  int first_row = -1, last_row = -1, first_col = kMaxColumns, last_col = -1;
  std::vector<std::pair<int, int>> spans(rows.size(), {-1, -1});
  for (int r = 0; r < int(rows.size()); ++r) {
    for (int c = 0; c < int(rows[r].size()); ++c) {
      if (rows[r][c].kind == CellKind::kNone) continue;
      if (spans[r].first < 0) spans[r].first = c;
      spans[r].second = c;
    }
    if (spans[r].first < 0) continue;
    if (first_row < 0) first_row = r;
    last_row = r;
    first_col = std::min(first_col, spans[r].first);
    last_col = std::max(last_col, spans[r].second);
  }
  rec_.Begin(0x0200);  // DIMENSIONS, the ends exclusive
  if (first_row < 0) {
    o.Zeros(14);
  } else {
    o.U32(uint32_t(first_row));
    o.U32(uint32_t(last_row + 1));
    o.U16(uint16_t(first_col));
    o.U16(uint16_t(last_col + 1));
    o.U16(0);
  }
  rec_.End();
  if (first_row < 0) return;

  const uint16_t default_height = std::max(
      kDefaultRowTwips, RowHeightForFont(book_.styles.Get(sheet.sheet_style()).font_twips));
  for (int block = first_row; block <= last_row; block += 32) {
    const int block_end = std::min(last_row, block + 31);
    for (int r = block; r <= block_end; ++r) {
      if (spans[r].first < 0) continue;
      uint16_t largest = 0;
      for (int c = spans[r].first; c <= spans[r].second; ++c) {
        if (rows[r][c].kind != CellKind::kNone)
          largest = std::max(largest, book_.styles.Get(rows[r][c].style).font_twips);
      }
      const uint16_t height = RowHeightForFont(largest);
      const bool grown = height > default_height;
      rec_.Begin(0x0208);  // ROW
      o.U16(uint16_t(r));
      o.U16(uint16_t(spans[r].first));
      o.U16(uint16_t(spans[r].second + 1));
      o.U16(grown ? height : default_height);
      o.U16(0);
      o.U16(0);
      o.U32(grown ? 0x000F0140 : 0x000F0100);
      rec_.End();
    }
    for (int r = block; r <= block_end; ++r) {
      if (spans[r].first < 0) continue;
      for (int c = spans[r].first; c <= spans[r].second; ++c) {
        const Cell& cell = rows[r][c];
        if (cell.kind == CellKind::kNone) continue;
        const uint16_t xf = uint16_t(tables_.XfOf(cell.style));
        switch (cell.kind) {
          case CellKind::kText:
            rec_.Begin(0x00FD);  // LABELSST
            o.U16(uint16_t(r));
            o.U16(uint16_t(c));
            o.U16(xf);
            o.U32(sst_index_[cell.text]);
            rec_.End();
            break;
          case CellKind::kNumber: {
            const double v = cell.number;
            if (v == std::floor(v) && v >= -536870912.0 && v <= 536870911.0 &&
                !(v == 0 && std::signbit(v))) {
              rec_.Begin(0x027E);  // RK: a 30-bit integer
              o.U16(uint16_t(r));
              o.U16(uint16_t(c));
              o.U16(xf);
              o.U32(uint32_t(int32_t(v)) << 2 | 2);
            } else {
              rec_.Begin(0x0203);  // NUMBER
              o.U16(uint16_t(r));
              o.U16(uint16_t(c));
              o.U16(xf);
              o.F64(v);
            }
            rec_.End();
            break;
          }
          case CellKind::kLogical:
            rec_.Begin(0x0205);  // BOOLERR
            o.U16(uint16_t(r));
            o.U16(uint16_t(c));
            o.U16(xf);
            o.U8(cell.logical ? 1 : 0);
            o.U8(0);
            rec_.End();
            break;
          default:
            rec_.Simple(0x0201, {uint16_t(r), uint16_t(c), xf});  // BLANK
            break;
        }
      }
    }
  }
}

void StreamBuilder::WriteWindow(const SheetData& sheet, bool active) {
  ByteBuffer& o = out_;
  const bool frozen = sheet.frozen_rows > 0 || sheet.frozen_columns > 0;
  uint16_t flags = 0x00B6;
  if (active) flags |= 0x0600;
  if (frozen) flags |= 0x0108;
  rec_.Simple(0x023E, {flags, 0, 0, 64, 0, 0, 0, 0, 0});  // WINDOW2
  uint8_t active_pane = 3;
  if (frozen) {
    active_pane = sheet.frozen_rows > 0 && sheet.frozen_columns > 0 ? 0
                  : sheet.frozen_rows > 0                           ? 2
                                                                    : 1;
    rec_.Begin(0x0041);  // PANE
    o.U16(uint16_t(sheet.frozen_columns));
    o.U16(uint16_t(sheet.frozen_rows));
    o.U16(uint16_t(sheet.frozen_rows));
    o.U16(uint16_t(sheet.frozen_columns));
    o.U8(active_pane);
    o.U8(0);
    rec_.End();
  }
  auto selection = [&](uint8_t pane, int row, int col, const Rect& area) {
    rec_.Begin(0x001D);
    o.U8(pane);
    o.U16(uint16_t(row));
    o.U16(uint16_t(col));
    o.U16(0);
    o.U16(1);
    o.U16(uint16_t(area.first_row));
    o.U16(uint16_t(area.last_row));
    o.U8(uint8_t(area.first_column));
    o.U8(uint8_t(area.last_column));
    rec_.End();
  };
  if (frozen) {
    selection(3, 0, 0, Rect{0, 0, 0, 0});
    if (active_pane == 0) {
      const Rect top_right{0, sheet.frozen_columns, 0, sheet.frozen_columns};
      const Rect bottom_left{sheet.frozen_rows, 0, sheet.frozen_rows, 0};
      selection(1, 0, sheet.frozen_columns, top_right);
      selection(2, sheet.frozen_rows, 0, bottom_left);
    }
  }
  selection(active_pane, sheet.active_row, sheet.active_column, sheet.selection);
}

void StreamBuilder::WriteMerges(const SheetData& sheet) {
  const std::vector<Rect>& merges = sheet.merges();
  constexpr size_t kPerRecord = 1026;
  for (size_t i = 0; i < merges.size(); i += kPerRecord) {
    const size_t n = std::min(kPerRecord, merges.size() - i);
    rec_.Begin(0x00E5);
    out_.U16(uint16_t(n));
    for (size_t k = i; k < i + n; ++k) {
      out_.U16(uint16_t(merges[k].first_row));
      out_.U16(uint16_t(merges[k].last_row));
      out_.U16(uint16_t(merges[k].first_column));
      out_.U16(uint16_t(merges[k].last_column));
    }
    rec_.End();
  }
}

}  // namespace

bool BuildWorkbookStream(const WorkbookData& book, const std::string& user_name, ByteBuffer* stream,
                         std::string* error) {
  StreamBuilder builder(book, user_name);
  return builder.Build(stream, error);
}

bool BuildWorkbookStream(const WorkbookData& book, const std::string& user_name,
                         std::vector<uint8_t>* stream, std::string* error) {
  ByteBuffer bytes;
  if (!BuildWorkbookStream(book, user_name, &bytes, error)) return false;
  stream->assign(bytes.data(), bytes.data() + bytes.size());
  return true;
}

uint16_t ColumnWidthUnits(double characters) {
  if (characters <= 0) return 0;
  const double pixels = std::trunc(characters * 7 + 5);
  return uint16_t(std::min(65535.0, std::trunc(pixels * 256 / 7)));
}

uint16_t RowHeightForFont(uint16_t font_twips) {
  // Pixels at 96 dpi: the font's line height plus one, 15 twips each (Arial 9/10/12 pt:
  // 240/255/315 twips).
  const int pixels = (font_twips * 8 + 99) / 100 + 1;
  return uint16_t(std::min(8190, pixels * 15));
}

int BuiltInFormatId(const std::string& format) {
  static const std::pair<const char*, int> kBuiltIn[] = {
      {"0", 1},          {"0.00", 2},     {"#,##0", 3},     {"#,##0.00", 4},
      {"0%", 9},         {"0.00%", 10},   {"0.00E+00", 11}, {"# ?/?", 12},
      {"# ?\?/?\?", 13}, {"h:mm", 20},    {"h:mm:ss", 21},  {"mm:ss", 45},
      {"[h]:mm:ss", 46}, {"mm:ss.0", 47}, {"##0.0E+0", 48}, {"@", 49}};
  std::string lower;
  for (char ch : format) lower += char(std::tolower(static_cast<unsigned char>(ch)));
  if (lower == "general" || lower.empty()) return 0;
  for (const auto& [text, id] : kBuiltIn) {
    if (format == text) return id;
  }
  return -1;
}

}  // namespace wb
