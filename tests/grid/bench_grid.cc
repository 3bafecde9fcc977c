// How long the grid takes to open and to jump on a table of 1,000,000 rows, against peers
// measured in the same run: the same grid on 1,000 rows (the cost should not grow with
// the table), a virtual-mode list view of the system's common controls doing the same
// moves, and a plain list box filled with the rows (what opening costs when every row is
// loaded). Prints milliseconds per operation and the ratios.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "gui/xbrowse.h"
#include "memory_source.h"

namespace {

constexpr long kBig = 1000000;
constexpr long kSmall = 1000;

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) * 1000.0 / double(freq.QuadPart);
}

// Milliseconds per call of op, over `times` calls.
double Per(int times, const std::function<void(int)>& op) {
  double start = Now();
  for (int i = 0; i < times; ++i) op(i);
  return (Now() - start) / times;
}

// A source whose rows are made on demand, so that a million rows cost no memory.
class CountingSource : public gui::GridSource {
 public:
  explicit CountingSource(long n) : n_(n) {}
  void GoTop() override { pos_ = 1; }
  void GoBottom() override { pos_ = n_; }
  long Skip(long k) override {
    long target = std::max(1L, std::min(n_, pos_ + k));
    long moved = target - pos_;
    pos_ = target;
    return moved;
  }
  bool Bof() override { return false; }
  bool Eof() override { return n_ == 0; }
  long KeyNo() override { return pos_; }
  long KeyCount() override { return n_; }
  void GoToKeyNo(long k) override { pos_ = std::max(1L, std::min(n_, k)); }
  long RecNo() override { return pos_; }
  void GoToRecNo(long r) override { pos_ = r; }
  std::string Cell(int col) const {
    return "Row " + std::to_string(pos_) + " col " + std::to_string(col);
  }

 private:
  long n_;
  long pos_ = 1;
};

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) {
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(lp);
    if (info->hdr.code == LVN_GETDISPINFOA && (info->item.mask & LVIF_TEXT)) {
      snprintf(info->item.pszText, info->item.cchTextMax, "Row %d col %d", info->item.iItem + 1,
               info->item.iSubItem);
    }
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

HWND Host() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BenchHost";
  RegisterClassA(&wc);
  HWND h = CreateWindowExA(0, "BenchHost", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                           600, nullptr, nullptr, wc.hInstance, nullptr);
  SetForegroundWindow(h);
  return h;
}

struct Figures {
  double open = 0, page_down = 0, end = 0, home = 0, drag = 0;
};

constexpr RECT kRect{0, 0, 640, 420};

Figures MeasureGrid(HWND host, long rows) {
  Figures f;
  auto src = std::make_shared<CountingSource>(rows);
  std::unique_ptr<gui::TXBrowse> grid;
  f.open = Per(20, [&](int) {
    grid = std::make_unique<gui::TXBrowse>(src);
    for (int c = 0; c < 6; ++c) {
      gui::TXBrwColumn* col = grid->AddCol();
      col->cHeader = "Column " + std::to_string(c + 1);
      col->nWidth = 100;
      col->bStrData = [s = src.get(), c] { return s->Cell(c); };
    }
    grid->nFreeze = 2;
    grid->nColDividerStyle = grid->nRowDividerStyle = 1;
    src->GoTop();
    grid->Create(host, kRect, 110);
    UpdateWindow(grid->hWnd());
  });
  HWND w = grid->hWnd();
  SetFocus(w);
  f.page_down = Per(200, [&](int i) {
    SendMessageA(w, WM_KEYDOWN, i % 2 ? VK_PRIOR : VK_NEXT, 1);
    UpdateWindow(w);
  });
  f.end = Per(50, [&](int) {
    SendMessageA(w, WM_KEYDOWN, VK_HOME, 1);
    SendMessageA(w, WM_KEYDOWN, VK_END, 1);
    UpdateWindow(w);
  });
  f.home = Per(50, [&](int) {
    SendMessageA(w, WM_KEYDOWN, VK_END, 1);
    SendMessageA(w, WM_KEYDOWN, VK_HOME, 1);
    UpdateWindow(w);
  });
  std::mt19937 random(7);
  f.drag = Per(200, [&](int) {
    int pos = 1 + int(random() % 32767);
    SendMessageA(w, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
    SendMessageA(w, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
    UpdateWindow(w);
  });
  // Two keys per round for End and Home: count each as half.
  f.end /= 2;
  f.home /= 2;
  return f;
}

Figures MeasureListView(HWND host, long rows) {
  Figures f;
  HWND lv = nullptr;
  const int reps = 6;  // the list view is slow to page under this system: few rounds
  f.open = Per(reps, [&](int) {
    if (lv) DestroyWindow(lv);
    lv = CreateWindowExA(0, WC_LISTVIEWA, "",
                         WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL,
                         kRect.left, kRect.top, kRect.right, kRect.bottom, host, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
    for (int c = 0; c < 6; ++c) {
      std::string title = "Column " + std::to_string(c + 1);
      LVCOLUMNA col{};
      col.mask = LVCF_TEXT | LVCF_WIDTH;
      col.cx = 100;
      col.pszText = title.data();
      SendMessageA(lv, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&col));
    }
    SendMessageA(lv, LVM_SETITEMCOUNT, rows, 0);
    UpdateWindow(lv);
  });
  SetFocus(lv);
  LVITEMA focus{};
  focus.stateMask = focus.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageA(lv, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&focus));
  f.page_down = Per(reps, [&](int i) {
    SendMessageA(lv, WM_KEYDOWN, i % 2 ? VK_PRIOR : VK_NEXT, 1);
    UpdateWindow(lv);
  });
  f.end = Per(reps, [&](int) {
    SendMessageA(lv, WM_KEYDOWN, VK_HOME, 1);
    SendMessageA(lv, WM_KEYDOWN, VK_END, 1);
    UpdateWindow(lv);
  });
  f.home = Per(reps, [&](int) {
    SendMessageA(lv, WM_KEYDOWN, VK_END, 1);
    SendMessageA(lv, WM_KEYDOWN, VK_HOME, 1);
    UpdateWindow(lv);
  });
  std::mt19937 random(7);
  f.drag = Per(reps * 10, [&](int) {  // its jump to a row: make it visible
    SendMessageA(lv, LVM_ENSUREVISIBLE, random() % rows, FALSE);
    UpdateWindow(lv);
  });
  f.end /= 2;
  f.home /= 2;
  DestroyWindow(lv);
  return f;
}

double FillListBox(HWND host, long rows) {
  double start = Now();
  HWND lb = CreateWindowExA(
      0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, kRect.left,
      kRect.top, kRect.right, kRect.bottom, host, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(lb, LB_INITSTORAGE, rows, rows * 24);
  SendMessageA(lb, WM_SETREDRAW, FALSE, 0);
  char text[64];
  for (long r = 1; r <= rows; ++r) {
    snprintf(text, sizeof(text), "Row %ld col 1  Row %ld col 2", r, r);
    SendMessageA(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  SendMessageA(lb, WM_SETREDRAW, TRUE, 0);
  UpdateWindow(lb);
  double ms = Now() - start;
  DestroyWindow(lb);
  return ms;
}

void Line(const char* what, double grid, double peer) {
  printf("  %-28s %10.3f ms %10.3f ms   ratio %.2f\n", what, grid, peer,
         peer > 0 ? grid / peer : 0);
}

}  // namespace

int main() {
  InitCommonControls();
  HWND host = Host();
  Figures big = MeasureGrid(host, kBig);
  Figures small = MeasureGrid(host, kSmall);
  Figures lv = MeasureListView(host, kBig);
  const long box_rows = 200000;
  double box = FillListBox(host, box_rows);

  printf("TXBrowse on %ld rows against the same grid on %ld rows (ratio: big / small)\n", kBig,
         kSmall);
  Line("open (create, lay out, paint)", big.open, small.open);
  Line("Page Down / Page Up", big.page_down, small.page_down);
  Line("End", big.end, small.end);
  Line("Home", big.home, small.home);
  Line("drag the box and release", big.drag, small.drag);
  printf("TXBrowse against a virtual list view, both on %ld rows (ratio: grid / list view)\n",
         kBig);
  Line("open (create, lay out, paint)", big.open, lv.open);
  Line("Page Down / Page Up", big.page_down, lv.page_down);
  Line("End", big.end, lv.end);
  Line("Home", big.home, lv.home);
  Line("jump to a row", big.drag, lv.drag);
  printf("Opening against a list box filled with %ld rows (ratio: grid / list box)\n", box_rows);
  Line("open", big.open, box);
  DestroyWindow(host);
  return 0;
}
