#include "runtime/start_time.h"

#include <cmath>

#include "runtime/date_text.h"
#include "runtime/number_text.h"

namespace xb {

namespace {
Date start_date;
double start_seconds = 0;
}  // namespace

void RecordStartTime() {
  start_date = Today();
  start_seconds = SecondsSinceMidnight();
}

Date StartDate() { return start_date; }
double StartSeconds() { return start_seconds; }

double ElapsedSeconds(Date start, double start_secs, Date today, double now_secs) {
  if (today.julian < start.julian) return 0;
  if (today.julian == start.julian) return now_secs - start_secs;
  double days_between = today.julian - start.julian - 1;
  return 86400 - start_secs + 86400 * days_between + now_secs;
}

std::string TimeFromStartText(double elapsed) {
  double hours = std::floor(elapsed / 3600);
  double minutes = std::floor((elapsed - 3600 * hours) / 60);
  double seconds = std::floor(elapsed - 3600 * hours - 60 * minutes);
  return StrTrim(hours) + " hours " + StrTrim(minutes) + " mins " + StrTrim(seconds) + " secs ";
}

std::string TimeFromStart() {
  return TimeFromStartText(ElapsedSeconds(start_date, start_seconds, Today(), SecondsSinceMidnight()));
}

}  // namespace xb
