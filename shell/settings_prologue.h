// Steps 1 to 10 and 13 of MAIN's prologue: the run-time settings the program relies on
// (date format DD.MM.YYYY, epoch 2000, scoreboard off, soft seek on, century on, exact
// comparison on, fixed decimals on, decimals 2, exclusive opening off, driver DBFCDX).
#pragma once

namespace shell {

void ApplySettingsPrologue();
void SetDefaultTableDriver();

}  // namespace shell
