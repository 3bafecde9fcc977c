#include "export/value_text.h"

#include "runtime/number_text.h"

namespace exporter {

std::string ValueText(double value, int width, int decimals) {
  return xb::Str(value, width, decimals);
}

std::string TotalText(double total, int decimals) {
  const int places = (total >= 10000000000.0 || total <= -999999999.0) ? 20 : 10;
  return xb::Str(total, places + (decimals > 0 ? decimals + 1 : 0), decimals);
}

}  // namespace exporter
