// The grid object, its window class and the window procedure (a dispatch table only).
#include "gui/xbrowse.h"

#include <windowsx.h>

#include <algorithm>

#include "gui/module.h"
#include "gui/xbrowse_impl.h"

namespace gui {

namespace {

// Window extra bytes: the grid object (null until a grid is attached) and the font the
// window was given, which a dialog sends before the program attaches the grid.
constexpr int kSlotObject = 0;
constexpr int kSlotFont = sizeof(LONG_PTR);

}  // namespace

bool RegisterGridClass() {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(GetInstance(), kGridClassName, &wc)) return true;
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &GridWindow::Proc;
  wc.cbWndExtra = 2 * sizeof(LONG_PTR);
  wc.hInstance = GetInstance();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kGridClassName;
  if (!RegisterClassExA(&wc)) return false;
  NoteRegisteredClass(kGridClassName);
  return true;
}

ColorBlock Colors(COLORREF text, COLORREF back) {
  return [pair = ColorPair{text, back}] { return pair; };
}

TXBrowse::TXBrowse(std::shared_ptr<GridSource> source) : source_(std::move(source)) {
  RegisterGridClass();
}

TXBrowse::~TXBrowse() {
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, kSlotObject, 0);
  if (own_window_) DestroyWindow(hwnd_);
}

TXBrwColumn* TXBrowse::AddCol() {
  aCols.push_back(std::make_unique<TXBrwColumn>());
  aCols.back()->oBrw = this;
  return aCols.back().get();
}

bool TXBrowse::BindDialogItem(HWND dialog) {
  HWND item = GetDlgItem(dialog, resource_id_);
  return item && Attach(item);
}

bool TXBrowse::Attach(HWND control) {
  char cls[32] = {};
  if (!control || !GetClassNameA(control, cls, sizeof(cls)) || lstrcmpiA(cls, kGridClassName))
    return false;
  if (GridWindow::From(control)) return false;  // another grid holds it
  hwnd_ = control;
  SetWindowLongPtrA(hwnd_, kSlotObject, reinterpret_cast<LONG_PTR>(this));
  GridWindow::Realise(*this);
  return true;
}

HWND TXBrowse::Create(HWND parent, const RECT& r, int id, DWORD style) {
  HWND hwnd = CreateWindowExA(0, kGridClassName, "", style, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                              GetInstance(), nullptr);
  if (!hwnd) return nullptr;
  if (parent) SendMessageA(hwnd, WM_SETFONT, SendMessageA(parent, WM_GETFONT, 0, 0), FALSE);
  resource_id_ = id;
  own_window_ = true;
  Attach(hwnd);
  return hwnd;
}

void TXBrowse::Refresh() {
  if (!hwnd_) return;
  GridWindow::MeasureFonts(*this);
  GridWindow::Normalize(*this);
  GridWindow::UpdateScrollBars(*this);
  GridWindow::InvalidateAll(*this);
  UpdateWindow(hwnd_);
}

void TXBrowse::SetColSel(int column) {
  if (aCols.empty()) return;
  col_sel_ = std::clamp(column, 1, static_cast<int>(aCols.size()));
  if (!hwnd_) return;
  GridWindow::BringColumnIntoView(*this, col_sel_);
  GridWindow::InvalidateAll(*this);
}

int TXBrowse::RowCount() const {
  if (!hwnd_ || row_height_ <= 0) return 0;
  return std::max(0, (GridWindow::ClientHeight(*this) - header_height_) / row_height_);
}

int TXBrowse::SelectorWidth() const {
  return lRecordSelector ? kSelectorWidth : 0;
}

RECT TXBrowse::CellRect(int row, int column) const {
  RECT r{};
  if (row < 1 || row > RowCount()) return r;
  for (const PlacedColumn& p : GridWindow::Placed(*this)) {
    if (p.number != column) continue;
    RECT rr = GridWindow::RowRect(*this, row);
    return RECT{p.left, rr.top, p.right, rr.bottom};
  }
  return r;
}

RECT TXBrowse::HeaderRect(int column) const {
  for (const PlacedColumn& p : GridWindow::Placed(*this)) {
    if (p.number == column) return RECT{p.left, 0, p.right, header_height_};
  }
  return RECT{};
}

TXBrowse* GridWindow::From(HWND hwnd) {
  return reinterpret_cast<TXBrowse*>(GetWindowLongPtrA(hwnd, kSlotObject));
}

void GridWindow::Realise(TXBrowse& g) {
  g.font_ = reinterpret_cast<HFONT>(GetWindowLongPtrA(g.hwnd_, kSlotFont));
  if (g.aCols.empty() && g.source_) {
    for (int i = 0; i < g.source_->FieldCount(); ++i) {
      TXBrwColumn* c = g.AddCol();
      c->cHeader = g.source_->FieldName(i);
      c->bStrData = [src = g.source_.get(), i] { return src->FieldText(i); };
    }
  }
  g.col_sel_ = std::clamp(g.col_sel_, 1, std::max<int>(1, g.aCols.size()));
  MeasureFonts(g);
  MeasureAutoColumns(g);
  Normalize(g);
  UpdateScrollBars(g);
  InvalidateAll(g);
}

LRESULT CALLBACK GridWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TXBrowse* g = From(hwnd);
  switch (msg) {
    case WM_SETFONT:
      SetWindowLongPtrA(hwnd, kSlotFont, static_cast<LONG_PTR>(wp));
      if (g) {
        g->font_ = reinterpret_cast<HFONT>(wp);
        MeasureFonts(*g);
        Normalize(*g);
        if (LOWORD(lp)) InvalidateAll(*g);
      }
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrA(hwnd, kSlotFont);
    case WM_GETDLGCODE: {
      // Arrows and characters stay here. Enter is taken (and ignored) so that the dialog
      // does not press its default button; Esc is taken so that the grid can hand it to
      // onEscape, or to the parent as its cancel command.
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      auto* m = reinterpret_cast<const MSG*>(lp);
      if (m && m->message == WM_KEYDOWN && (m->wParam == VK_ESCAPE || m->wParam == VK_RETURN))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (g) {
        Paint(*g, dc, ps.rcPaint);
      } else {
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_WINDOW));
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_NCDESTROY:
      if (g) {
        g->hwnd_ = nullptr;
        g->own_window_ = false;
      }
      break;
  }
  if (!g) return DefWindowProcA(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_SIZE:
      Normalize(*g);
      if (g->offset_ > MaxOffset(*g)) g->offset_ = MaxOffset(*g);
      UpdateScrollBars(*g);
      InvalidateAll(*g);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The highlighted cell changes its colours: the whole grid is drawn again.
      g->focused_ = msg == WM_SETFOCUS;
      InvalidateAll(*g);
      return 0;
    case WM_KEYDOWN:
      if (KeyDown(*g, wp)) return 0;
      break;
    case WM_CHAR:
      return 0;  // typed letters, digits and Enter do nothing here
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      ButtonDown(*g, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), msg == WM_RBUTTONDOWN);
      return 0;
    case WM_MOUSEMOVE:
      MouseMove(*g, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    case WM_LBUTTONUP:
      ButtonUp(*g, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), wp);
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != hwnd) CancelPress(*g);
      return 0;
    case WM_MOUSEWHEEL:
      Wheel(*g, GET_WHEEL_DELTA_WPARAM(wp));
      return 0;
    case WM_VSCROLL:
      VScroll(*g, LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_HSCROLL:
      HScroll(*g, LOWORD(wp), HIWORD(wp));
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace gui
