// TClipboard: the Windows clipboard for one format (text by default). Open() takes the
// clipboard for the object's owner window; the destructor closes it if still open.
// Texts are ANSI; GetText() gives "" when the clipboard holds no text.
#pragma once

#include <windows.h>

#include <string>

namespace gui {

class TClipboard {
 public:
  explicit TClipboard(UINT format = CF_TEXT, HWND owner = nullptr);
  ~TClipboard();
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  bool Open();
  void Close();
  bool IsOpen() const { return open_; }
  bool Clear();  // empties the clipboard (opens it for the call when not open)
  bool SetText(const std::string& text);
  std::string GetText();

 private:
  // Runs an action with the clipboard open, opening it for the call when needed.
  template <class F>
  auto WithOpen(F action) -> decltype(action());

  UINT format_;
  HWND owner_;
  bool open_ = false;
};

}  // namespace gui
