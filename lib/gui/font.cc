#include "gui/font.h"

#include <algorithm>
#include <vector>

#include "runtime/class_registry.h"

namespace gui {

namespace {
std::vector<TFont*>& fonts() {
  static std::vector<TFont*> f;
  return f;
}
}  // namespace

TFont::TFont(const FontSpec& spec) : spec_(spec) {
  xb::RegisterClassName("TFONT");
  handle_ = CreateFontA(spec.height, spec.width, 0, 0, spec.weight, spec.italic, spec.underline,
                        spec.strikeout, static_cast<DWORD>(spec.charset), OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        spec.face.c_str());
}

TFont::~TFont() {
  if (handle_) DeleteObject(handle_);
}

TFont* TFont::New(const std::string& face, int width, int height, bool /*choose*/, bool bold,
                  bool italic, bool underline, bool strikeout) {
  FontSpec spec;
  spec.face = face;
  spec.width = width;
  spec.height = height;
  spec.weight = bold ? 700 : 0;
  spec.italic = italic;
  spec.underline = underline;
  spec.strikeout = strikeout;
  return New(spec);
}

TFont* TFont::New(const FontSpec& spec) {
  for (TFont* f : fonts()) {
    if (f->spec_ == spec) {
      ++f->uses_;
      return f;
    }
  }
  TFont* f = new TFont(spec);
  fonts().push_back(f);
  return f;
}

void TFont::End() {
  if (--uses_ >= 1) return;
  auto& all = fonts();
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
  delete this;
}

int TFont::LiveFonts() { return static_cast<int>(fonts().size()); }

}  // namespace gui
