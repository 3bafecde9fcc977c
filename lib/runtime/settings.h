// The process-wide settings store. Settings are identified by number; on/off settings
// hold logicals (set as "ON"/"OFF" texts or logicals). Only the effects that the program
// relies on are implemented: the date format with the century switch, exact comparison,
// exclusive opening, the default table driver. The others are kept and reported.
#pragma once

#include <string>

#include "runtime/value.h"

namespace xb {

enum Setting : int {
  kSetExact = 1,
  kSetFixed = 2,
  kSetDecimals = 3,
  kSetDateFormat = 4,
  kSetEpoch = 5,
  kSetExclusive = 8,
  kSetSoftSeek = 9,
  kSetScoreboard = 32,
  kSetCount = 48,
};

// Every setting back to its start-up default (date format "mm/dd/yy", century off,
// epoch 1900, exact off, fixed off, decimals 2, exclusive on, soft seek off,
// scoreboard on, default driver "DBFCDX").
void ResetSettings();

// Sets a setting and hands back its previous value. "ON"/"OFF" become logicals.
// Setting the date format also sets the century switch: on when the first run of year
// letters has four letters or more.
Value Set(int setting, const Value& value);
Value Get(int setting);
bool GetLogical(int setting);
std::string GetDateFormat();

// The century switch: switching it rewrites the date format (letters upper-cased, the
// first run of year letters made four long when on, two when off).
void SetCentury(bool on);
bool Century();

void SetDefaultDriver(const std::string& name);
const std::string& DefaultDriver();

}  // namespace xb
