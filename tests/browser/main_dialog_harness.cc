#include "main_dialog_harness.h"

#include "tables/workarea.h"

MainDialogHarness::MainDialogHarness(int extra_fields)
    : tables(extra_fields), script_([this] { main_->dialog().End(); }) {
  shell::SetMain(&state);
  font = gui::TFont::New("Arial", 0, -14, false, false);
  browser::ExportEntries entries;
  auto record = [this](int entry) {
    return [this, entry] {
      exports.push_back({entry, tables::CurrentArea(), tables::CurrentOrder()});
      tables::Skip(3);  // an export leaves the table elsewhere
    };
  };
  entries.excel1 = record(1);
  entries.excel2 = record(2);
  entries.excel3 = record(3);
  main_ = std::make_unique<browser::MainDialog>(state, font, entries);
}

MainDialogHarness::~MainDialogHarness() {
  main_.reset();
  font->End();
  shell::SetMain(nullptr);
}

int MainDialogHarness::Run() {
  script_.Start();
  return main_->Run();
}

void MainDialogHarness::ClickButton(int id) {
  script_.Do([this, id] { PostMessageA(item(id), BM_CLICK, 0, 0); }, "click " + std::to_string(id));
}

void MainDialogHarness::ClickHeader(gui::TXBrowse& grid, int column) {
  script_.Do(
      [&grid, column] {
        RECT r = grid.HeaderRect(column);
        if (r.right <= r.left) {
          grid.SetColSel(column);
          r = grid.HeaderRect(column);
        }
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageA(grid.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(grid.hWnd(), WM_LBUTTONUP, 0, at);
      },
      "header click " + std::to_string(column));
}

void MainDialogHarness::Key(gui::TXBrowse& grid, WPARAM vk) {
  script_.Do([&grid, vk] {
    SetFocus(grid.hWnd());
    PostKey(grid.hWnd(), vk);
  });
}

std::vector<long> HeaderTextColours(const gui::TXBrowse& grid) {
  std::vector<long> colours;
  for (const auto& c : grid.aCols)
    colours.push_back(c->bClrHeader ? long(c->bClrHeader().text) : -1L);
  return colours;
}

std::vector<std::string> Headers(const gui::TXBrowse& grid) {
  std::vector<std::string> headers;
  for (const auto& c : grid.aCols) headers.push_back(c->cHeader);
  return headers;
}
