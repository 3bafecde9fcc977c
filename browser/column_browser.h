// The column browser: the upper grid of the main dialog, on work area 1, with six
// configured columns and a header click that chooses the index order (INDEX_SHOW).
#pragma once

namespace gui {
class TDialog;
class TFont;
class TXBrowse;
}  // namespace gui

namespace shell {
struct MainState;
}

namespace browser {

inline constexpr int kColumnBrowserId = 110;

// Creates and configures the grid on work area 1 (which must be current, with its
// order set), attaches it to the dialog as control 110, and returns it. data_font is the
// cells' font (not owned); state.OCOL ends up on the sixth column.
gui::TXBrowse* CreateColumnBrowser(gui::TDialog& dialog, gui::TFont* data_font,
                                   shell::MainState& state);

// What a header click runs: INDEX_SHOW with the clicked column's header and the pairs
// "ID-No." 1, "Customer" 2, "Product" 3 and four empty pairs with 0.
void HeaderClicked(gui::TXBrowse* grid, const char* header);

}  // namespace browser
