// The two number texts of the sheets. Neither depends on the fixed-decimals setting.
//   ValueText: a VALUE field in its own width and decimals, right-aligned
//     (width 10, 2 decimals: 10 characters).
//   TotalText: a running total in 10 integer places (20 when it is at least
//     10000000000 or at most -999999999), then, with decimals, a point and that many
//     decimals; right-aligned (2 decimals: 13 characters).
#pragma once

#include <string>

namespace exporter {

std::string ValueText(double value, int width, int decimals);
std::string TotalText(double total, int decimals);

}  // namespace exporter
