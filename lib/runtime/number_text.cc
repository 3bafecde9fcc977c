#include "runtime/number_text.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <cstdio>

namespace xb {

namespace {

// Powers of ten that a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

double PowerOfTen(int exponent) {
  return exponent < int(std::size(kExactPowers)) ? kExactPowers[exponent]
                                                 : std::pow(10.0, exponent);
}

// Below this a number scaled to its decimals is an exact integer whose quotient by the
// scale lies nearer to it than half the last decimal, so printing the quotient with
// those decimals gives back exactly the integer's digits: they can be written directly,
// which a sheet export does for every value.
constexpr double kDirectDigitsLimit = 1125899906842624.0;  // 2^50

// The digits of |scaled| (a whole number below kDirectDigitsLimit) with a point before
// the last `decimals` of them, the sign in front when it is negative.
std::string DirectDigits(double scaled, int decimals) {
  char buf[40];
  char* end = buf + sizeof buf;
  char* p = end;
  uint64_t u = uint64_t(std::fabs(scaled));
  int written = 0;
  do {
    if (written == decimals && decimals > 0) *--p = '.';
    *--p = char('0' + u % 10);
    u /= 10;
    ++written;
  } while (u != 0 || written <= decimals);
  if (scaled < 0) *--p = '-';
  return std::string(p, end);
}

}  // namespace

std::string Str(double n, int width, int decimals) {
  if (width <= 0) return "";
  if (decimals < 0) decimals = 0;
  std::string text;
  if (std::isfinite(n)) {
    const double scale = PowerOfTen(decimals);
    const double scaled = std::round(n * scale);
    if (decimals < int(std::size(kExactPowers)) && std::fabs(scaled) < kDirectDigitsLimit) {
      text = DirectDigits(scaled, decimals);
    } else {
      char buf[400];
      const double rounded = scaled / scale;
      if (std::fabs(rounded) < 1e300) {
        std::snprintf(buf, sizeof buf, "%.*f", decimals, rounded);
        text = buf;
        if (text == "-0" || text.rfind("-0.", 0) == 0) {
          // "-0.00" reads as zero: drop the sign when every digit is 0.
          if (text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
        }
      }
    }
  }
  if (text.empty() || static_cast<int>(text.size()) > width) return std::string(width, '*');
  if (static_cast<int>(text.size()) == width) return text;
  std::string out(width - text.size(), ' ');
  out += text;
  return out;
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
