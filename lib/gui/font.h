// TFont: the framework's font object. Equal requests share one object: New returns an
// existing font equal in every attribute with its use count raised by one; End lowers
// the count and frees the Windows font when it drops below 1.
#pragma once

#include <windows.h>

#include <string>

namespace gui {

struct FontSpec {
  std::string face;
  int width = 0;
  int height = 0;  // negative: character height in logical units
  int weight = 0;  // 700 bold
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  int charset = DEFAULT_CHARSET;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class TFont {
 public:
  // face, width, height, let the user choose (not supported: ignored), bold, then the
  // further attributes.
  static TFont* New(const std::string& face, int width, int height, bool choose = false,
                    bool bold = false, bool italic = false, bool underline = false,
                    bool strikeout = false);
  static TFont* New(const FontSpec& spec);
  void End();

  HFONT handle() const { return handle_; }
  int uses() const { return uses_; }
  const FontSpec& spec() const { return spec_; }
  static int LiveFonts();  // fonts whose Windows font is still held

 private:
  explicit TFont(const FontSpec& spec);
  ~TFont();
  FontSpec spec_;
  HFONT handle_ = nullptr;
  int uses_ = 1;
};

}  // namespace gui
