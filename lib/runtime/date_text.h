// Dates as text. Dtoc writes a date in the current date format (runs of D, M and Y
// letters, case-insensitive); an empty date gives the format's separators with blanks.
// Dtos always writes YYYYMMDD, and 8 blanks for the empty date.
#pragma once

#include <string>

#include "runtime/value.h"

namespace xb {

std::string Dtoc(Date d);
std::string Dtoc(Date d, const std::string& format);
std::string Dtos(Date d);
Date Stod(const std::string& yyyymmdd);  // empty date for anything but 8 valid digits

// The local calendar date and the seconds since local midnight, with fractions.
Date Today();
double SecondsSinceMidnight();
std::string TimeText();  // now as "hh:mm:ss", 24-hour clock

}  // namespace xb
