// The start of the run: date and seconds since midnight, recorded before MAIN, and the
// report's "time from start" text: "H hours M mins S secs " (with the trailing blank).
#pragma once

#include <string>

#include "runtime/value.h"

namespace xb {

void RecordStartTime();
Date StartDate();
double StartSeconds();

// Elapsed seconds from (start_date, start_seconds) to (today, now_seconds): 0 when today
// is before the start date; across days 86400 - start, 86400 per day between, + now.
double ElapsedSeconds(Date start_date, double start_seconds, Date today, double now_seconds);
std::string TimeFromStartText(double elapsed_seconds);
std::string TimeFromStart();  // from the recorded start to now

}  // namespace xb
