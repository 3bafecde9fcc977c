#include "workbook/style.h"

#include <cstring>

namespace wb {

void ApplyChange(Style& s, StyleChange c) {
  const int edge = (uint32_t(c.value) >> 16) & 3;
  const int16_t low = int16_t(uint16_t(c.value));
  switch (c.property) {
    case StyleProperty::kFontName:
      s.font_name = uint16_t(c.value);
      break;
    case StyleProperty::kFontTwips:
      s.font_twips = uint16_t(c.value);
      break;
    case StyleProperty::kBold:
      s.bold = c.value != 0;
      break;
    case StyleProperty::kItalic:
      s.italic = c.value != 0;
      break;
    case StyleProperty::kFontColour:
      s.font_colour = c.value;
      break;
    case StyleProperty::kFillColour:
      s.fill_colour = c.value;
      break;
    case StyleProperty::kHorizontal:
      s.horizontal = uint8_t(c.value);
      break;
    case StyleProperty::kNumberFormat:
      s.number_format = uint16_t(c.value);
      break;
    case StyleProperty::kBorderLineStyle:
      s.borders[edge].line_style = low;
      break;
    case StyleProperty::kBorderWeight:
      s.borders[edge].weight = low;
      break;
    case StyleProperty::kBorderColour:
      s.borders[edge].colour = uint16_t(low);
      break;
  }
}

size_t StyleTable::StyleHash::operator()(const Style& s) const {
  // FNV-1a over the fields (not over the struct bytes: padding is indeterminate).
  uint64_t h = 1469598103934665603ull;
  auto mix = [&h](uint64_t v) {
    for (int i = 0; i < 8; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  };
  mix(uint64_t(s.font_name) << 32 | uint64_t(s.font_twips) << 16 | uint64_t(s.bold) << 8 |
      uint64_t(s.italic));
  mix(uint64_t(uint32_t(s.font_colour)) << 32 | uint32_t(s.fill_colour));
  mix(uint64_t(s.horizontal) << 16 | s.number_format);
  for (const Border& b : s.borders)
    mix(uint64_t(uint16_t(b.line_style)) << 32 | uint64_t(uint16_t(b.weight)) << 16 | b.colour);
  return size_t(h);
}

StyleTable::StyleTable() {
  Intern(Style{});
}

uint32_t StyleTable::Intern(const Style& style) {
  auto [it, inserted] = ids_.try_emplace(style, uint32_t(styles_.size()));
  if (inserted) styles_.push_back(style);
  return it->second;
}

uint32_t StyleTable::Apply(uint32_t id, StyleChange change) {
  const uint64_t key =
      uint64_t(id) << 36 | uint64_t(change.property) << 32 | uint32_t(change.value);
  auto it = transitions_.find(key);
  if (it != transitions_.end()) return it->second;
  Style changed = styles_[id];
  ApplyChange(changed, change);
  const uint32_t result = Intern(changed);
  transitions_.emplace(key, result);
  return result;
}

}  // namespace wb
