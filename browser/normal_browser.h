// The normal browser: the lower grid of the main dialog, on work area 2, with automatic
// columns (one per field) and a row-change handler that shows the new row's screen row
// ("Row") and its customer in Windows characters ("Customer") in two warning boxes.
#pragma once

#include <string>

namespace gui {
class TDialog;
class TXBrowse;
}  // namespace gui

namespace shell {
struct MainState;
}

namespace browser {

inline constexpr int kNormalBrowserId = 120;

// Creates the grid on work area 2 (which must be current, with its order set), stores it
// in state.OBRW1 and attaches it to the dialog as control 120.
gui::TXBrowse* CreateNormalBrowser(gui::TDialog& dialog, shell::MainState& state);

// The two texts of the row-change boxes for the grid's current row.
std::string RowText(const gui::TXBrowse& grid);
std::string CustomerText();  // CUSTOMER of work area 2, converted to Windows text

}  // namespace browser
