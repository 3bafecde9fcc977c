// INDEX_SHOW: chooses the index order of the current work area by a clicked header.
// The pairs (header text, order number) are tested first to last and the last one whose
// text equals the clicked header wins (text equality under the exact setting; an absent
// pair text equals nothing). Each column whose header equals the clicked one gets the red
// header pair, the others black. On a match the order is set, the table goes to its first
// record and the grid shows it on its top row; without one every header goes back to
// black and a warning box "No Index for the Col : <header> exist !" titled "ATTENTION"
// appears, and the table and grid stay where they were.
#pragma once

#include "runtime/value.h"

namespace gui {
class TXBrowse;
}

namespace browser {

inline constexpr unsigned long kHeaderBlack = 0;
inline constexpr unsigned long kHeaderRed = 255;
inline constexpr unsigned long kHeaderBack = 16777215;

void INDEX_SHOW(gui::TXBrowse* grid, const xb::Value& clicked, const xb::Value& text1 = {},
                const xb::Value& order1 = {}, const xb::Value& text2 = {},
                const xb::Value& order2 = {}, const xb::Value& text3 = {},
                const xb::Value& order3 = {}, const xb::Value& text4 = {},
                const xb::Value& order4 = {}, const xb::Value& text5 = {},
                const xb::Value& order5 = {}, const xb::Value& text6 = {},
                const xb::Value& order6 = {}, const xb::Value& text7 = {},
                const xb::Value& order7 = {});

}  // namespace browser
