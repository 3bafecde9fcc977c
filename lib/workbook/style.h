// Cell styles: everything the object model can set on a cell, kept as one small value,
// interned so that each cell carries only a 32-bit style id. A format call on a cell is a
// StyleChange; StyleTable::Apply gives the id of the changed style through a cache, so
// the thousands of identical calls of an export cost one hash lookup each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace wb {

// Border edges as the automation constants number them (7 left ... 10 right).
enum class Edge : uint8_t { kLeft = 0, kTop = 1, kBottom = 2, kRight = 3 };
constexpr int kEdgeCount = 4;

// Line styles and weights as the automation constants give them.
constexpr int16_t kLineNone = -4142;
constexpr int16_t kLineContinuous = 1;
constexpr int16_t kWeightThin = 2;

struct Border {
  int16_t line_style = kLineNone;
  int16_t weight = kWeightThin;
  uint16_t colour = 64;  // palette index; 64 automatic
  bool operator==(const Border&) const = default;
};

struct Style {
  uint16_t font_name = 0;     // id in the workbook's name table; 0 is "Arial"
  uint16_t font_twips = 200;  // 10 pt
  bool bold = false;
  bool italic = false;
  int32_t font_colour = -1;    // COLORREF; -1 automatic
  int32_t fill_colour = -1;    // COLORREF; -1 no fill
  uint8_t horizontal = 0;      // file alignment code: 0 general, 1 left, 2 centre, 3 right...
  uint16_t number_format = 0;  // id in the workbook's format table; 0 is "General"
  Border borders[kEdgeCount];
  bool operator==(const Style&) const = default;
};

enum class StyleProperty : uint8_t {
  kFontName,
  kFontTwips,
  kBold,
  kItalic,
  kFontColour,
  kFillColour,
  kHorizontal,
  kNumberFormat,
  kBorderLineStyle,  // value: edge * 65536 + (line style & 0xFFFF)
  kBorderWeight,     // value: edge * 65536 + (weight & 0xFFFF)
  kBorderColour,     // value: edge * 65536 + palette index
};

struct StyleChange {
  StyleProperty property;
  int32_t value;
  static StyleChange ForEdge(StyleProperty p, Edge e, int16_t v) {
    return {p, int32_t(uint32_t(e) << 16 | uint16_t(v))};
  }
};

void ApplyChange(Style& style, StyleChange change);

class StyleTable {
 public:
  StyleTable();  // id 0 is the default style
  uint32_t Intern(const Style& style);
  uint32_t Apply(uint32_t id, StyleChange change);
  const Style& Get(uint32_t id) const { return styles_[id]; }
  size_t size() const { return styles_.size(); }

 private:
  struct StyleHash {
    size_t operator()(const Style& s) const;
  };
  std::vector<Style> styles_;
  std::unordered_map<Style, uint32_t, StyleHash> ids_;
  std::unordered_map<uint64_t, uint32_t> transitions_;  // (id, property, value) -> id
};

}  // namespace wb
