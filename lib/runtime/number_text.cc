#include "runtime/number_text.h"

#include <cmath>
#include <cstdio>

namespace xb {

std::string Str(double n, int width, int decimals) {
  if (width <= 0) return "";
  if (decimals < 0) decimals = 0;
  std::string text;
  if (std::isfinite(n)) {
    char buf[400];
    double rounded = std::round(n * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    if (std::fabs(rounded) < 1e300) {
      std::snprintf(buf, sizeof buf, "%.*f", decimals, rounded);
      text = buf;
      if (text == "-0" || text.rfind("-0.", 0) == 0) {
        // "-0.00" reads as zero: drop the sign when every digit is 0.
        if (text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
      }
    }
  }
  if (text.empty() || static_cast<int>(text.size()) > width) return std::string(width, '*');
  return std::string(width - text.size(), ' ') + text;
}

std::string Str(const Value& n) {
  int decimals = n.decimals();
  return Str(n.number(), decimals > 0 ? 10 + 1 + decimals : 10, decimals);
}

std::string Str(const Value& n, int width) { return Str(n.number(), width, 0); }

std::string Str(const Value& n, int width, int decimals) {
  return Str(n.number(), width, decimals);
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

std::string RTrim(const std::string& s) {
  size_t e = s.find_last_not_of(' ');
  return e == std::string::npos ? "" : s.substr(0, e + 1);
}

std::string StrTrim(const Value& n) { return Trim(Str(n)); }

std::string StrTrim(double n) { return StrTrim(Value::Number(n)); }

std::string Picture(double n, const std::string& picture) {
  int digits = 0;
  for (char c : picture)
    if (c == '9') ++digits;
  std::string number = Str(n, digits, 0);
  std::string out = picture;
  if (number.find('*') != std::string::npos) {
    for (char& c : out)
      if (c == '9' || c == ',') c = '*';
    return out;
  }
  size_t next = 0;  // next character of the right-aligned number
  bool seen_digit = false;
  for (char& c : out) {
    if (c == '9') {
      c = number[next++];
      if (c != ' ') seen_digit = true;
    } else if (c == ',') {
      c = seen_digit ? ',' : ' ';
    }
  }
  return out;
}

std::string PadRight(const std::string& s, size_t width) {
  if (s.size() >= width) return s.substr(0, width);
  return s + std::string(width - s.size(), ' ');
}

}  // namespace xb
