#include "gui/clipboard.h"

#include <cstring>

namespace gui {

TClipboard::TClipboard(UINT format, HWND owner) : format_(format), owner_(owner) {}

TClipboard::~TClipboard() {
  Close();
}

bool TClipboard::Open() {
  if (!open_) open_ = OpenClipboard(owner_) != 0;
  return open_;
}

void TClipboard::Close() {
  if (open_) CloseClipboard();
  open_ = false;
}

template <class F>
auto TClipboard::WithOpen(F action) -> decltype(action()) {
  const bool was_open = open_;
  if (!Open()) return decltype(action())();
  auto result = action();
  if (!was_open) Close();
  return result;
}

bool TClipboard::Clear() {
  return WithOpen([] { return EmptyClipboard() != 0; });
}

bool TClipboard::SetText(const std::string& text) {
  return WithOpen([&] {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return false;
    char* data = static_cast<char*>(GlobalLock(memory));
    std::memcpy(data, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    EmptyClipboard();
    if (!SetClipboardData(format_, memory)) {
      GlobalFree(memory);  // still ours when the clipboard refused it
      return false;
    }
    return true;
  });
}

std::string TClipboard::GetText() {
  return WithOpen([&] {
    HANDLE memory = GetClipboardData(format_);
    if (!memory) return std::string();
    const char* data = static_cast<const char*>(GlobalLock(memory));
    std::string text = data ? std::string(data, strnlen(data, GlobalSize(memory))) : "";
    GlobalUnlock(memory);
    return text;
  });
}

}  // namespace gui
