#include "grid_harness.h"

#include <gtest/gtest.h>

namespace {

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND) GridHarness::Commands().push_back(LOWORD(wp));
  return DefWindowProcA(hwnd, msg, wp, lp);
}

const char* ParentClass() {
  static const char* name = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "GridTestParent";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    RegisterClassA(&wc);
    return "GridTestParent";
  }();
  return name;
}

LPARAM Point(int x, int y) {
  return MAKELPARAM(x, y);
}

}  // namespace

std::vector<int>& GridHarness::Commands() {
  static std::vector<int> commands;
  return commands;
}

GridHarness::GridHarness(const GridSetup& s) {
  source_ = std::make_shared<MemorySource>(MemorySource::Numbered(s.records, 6));
  grid_ = std::make_unique<gui::TXBrowse>(source_);
  gui::TXBrowse& g = *grid_;
  g.nMarqueeStyle = s.marquee;
  g.nFreeze = s.freeze;
  g.nColDividerStyle = 1;
  g.nRowDividerStyle = s.row_lines ? 1 : 0;
  g.lColDividerComplete = true;
  if (s.configured_columns) {
    for (int i = 0; i < 6; ++i) {
      gui::TXBrwColumn* c = g.AddCol();
      c->cHeader = "H" + std::to_string(i + 1);
      c->nWidth = kWidths[i];
      c->bStrData = [src = source_.get(), i] { return src->FieldText(i); };
    }
  }
  parent_ = CreateWindowExA(0, ParentClass(), "grid test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                            800, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  g.Create(parent_, RECT{0, 0, 300, 200}, 110);
  // Size the window so that exactly `rows` rows and `client_width` pixels fit.
  const int w = s.client_width + GetSystemMetrics(SM_CXVSCROLL);
  const int h = g.HeaderHeight() + s.rows * g.RowHeight() + GetSystemMetrics(SM_CYHSCROLL);
  SetWindowPos(g.hWnd(), nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOMOVE);
  SetForegroundWindow(parent_);
  SetFocus(g.hWnd());
  g.bChange = [this] { changes.emplace_back(source_->RecNo(), grid_->nRowSel); };
  RECT client{};
  GetClientRect(g.hWnd(), &client);
  EXPECT_EQ(client.right, s.client_width);
  EXPECT_EQ(g.RowCount(), s.rows);
  Commands().clear();
}

GridHarness::~GridHarness() {
  grid_.reset();
  DestroyWindow(parent_);
}

void GridHarness::Start(long key, int row, int column) {
  source_->GoToKeyNo(key);
  grid_->nRowSel = row;
  SendMessageA(hwnd(), WM_HSCROLL, MAKEWPARAM(SB_LEFT, 0), 0);  // back to no sideways offset
  grid_->SetColSel(column);
  grid_->Refresh();
  changes.clear();
  grid_->ClearPaintLog();
}

void GridHarness::Key(WPARAM vk, bool ctrl) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(keys);
  SendMessageA(hwnd(), WM_KEYDOWN, vk, 1);
  SendMessageA(hwnd(), WM_KEYUP, vk, 0xC0000001);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
}

void GridHarness::Press(int x, int y, bool right) {
  SendMessageA(hwnd(), right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON,
               Point(x, y));
}

void GridHarness::Release(int x, int y) {
  SendMessageA(hwnd(), WM_LBUTTONUP, 0, Point(x, y));
}

void GridHarness::Move(int x, int y) {
  SendMessageA(hwnd(), WM_MOUSEMOVE, MK_LBUTTON, Point(x, y));
}

void GridHarness::Click(POINT p, bool right) {
  Press(p.x, p.y, right);
  if (right) {
    SendMessageA(hwnd(), WM_RBUTTONUP, 0, Point(p.x, p.y));
  } else {
    Release(p.x, p.y);
  }
}

POINT GridHarness::CellCenter(int row, int column) const {
  RECT r = grid_->CellRect(row, column);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT GridHarness::SelectorPoint(int row) const {
  RECT r = grid_->CellRect(row, 1);
  return POINT{grid_->SelectorWidth() / 2, (r.top + r.bottom) / 2};
}

POINT GridHarness::HeaderCenter(int column) const {
  RECT r = grid_->HeaderRect(column);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
