#include "runtime/date_text.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "runtime/settings.h"

namespace xb {

// Julian day numbers (Fliegel and Van Flandern).
Date Date::FromYmd(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return Date{};
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  int max_day = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  if (day > max_day) return Date{};
  int a = (14 - month) / 12;
  int y = year + 4800 - a;
  int m = month + 12 * a - 3;
  int jd = day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
  return Date{jd};
}

namespace {
void ToYmd(int32_t jd, int& year, int& month, int& day) {
  int a = jd + 32044;
  int b = (4 * a + 3) / 146097;
  int c = a - 146097 * b / 4;
  int d = (4 * c + 3) / 1461;
  int e = c - 1461 * d / 4;
  int m = (5 * e + 2) / 153;
  day = e - (153 * m + 2) / 5 + 1;
  month = m + 3 - 12 * (m / 10);
  year = 100 * b + d - 4800 + m / 10;
}
}  // namespace

int Date::year() const {
  int y = 0, m = 0, d = 0;
  if (julian) ToYmd(julian, y, m, d);
  return y;
}
int Date::month() const {
  int y = 0, m = 0, d = 0;
  if (julian) ToYmd(julian, y, m, d);
  return m;
}
int Date::day() const {
  int y = 0, m = 0, d = 0;
  if (julian) ToYmd(julian, y, m, d);
  return d;
}

std::string Dtoc(Date d) { return Dtoc(d, GetDateFormat()); }

std::string Dtoc(Date d, const std::string& format) {
  int year = 0, month = 0, day = 0;
  if (!d.empty()) ToYmd(d.julian, year, month, day);
  std::string out;
  for (size_t i = 0; i < format.size();) {
    char c = static_cast<char>(std::toupper(static_cast<unsigned char>(format[i])));
    size_t run = 1;
    while (i + run < format.size() &&
           std::toupper(static_cast<unsigned char>(format[i + run])) == c)
      ++run;
    int value = -1;
    if (c == 'D') value = day;
    else if (c == 'M') value = month;
    else if (c == 'Y') value = year;
    if (value < 0) {
      out.append(format, i, run);
    } else if (d.empty()) {
      out.append(run, ' ');
    } else {
      char buf[16];
      std::snprintf(buf, sizeof buf, "%0*d", static_cast<int>(run), value);
      std::string digits = buf;
      out += digits.substr(digits.size() - run);  // the last run digits: "yy" gives 08
    }
    i += run;
  }
  return out;
}

std::string Dtos(Date d) {
  if (d.empty()) return std::string(8, ' ');
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year(), d.month(), d.day());
  return buf;
}

Date Stod(const std::string& s) {
  if (s.size() != 8) return Date{};
  for (char c : s)
    if (c < '0' || c > '9') return Date{};
  return Date::FromYmd(std::stoi(s.substr(0, 4)), std::stoi(s.substr(4, 2)),
                       std::stoi(s.substr(6, 2)));
}

namespace {
std::tm LocalNow(double* fraction) {
  auto now = std::chrono::system_clock::now();
  std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  if (fraction) {
    auto since = now.time_since_epoch();
    auto whole = std::chrono::duration_cast<std::chrono::seconds>(since);
    *fraction = std::chrono::duration<double>(since - whole).count();
  }
  return tm;
}
}  // namespace

Date Today() {
  std::tm tm = LocalNow(nullptr);
  return Date::FromYmd(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

double SecondsSinceMidnight() {
  double fraction = 0;
  std::tm tm = LocalNow(&fraction);
  return tm.tm_hour * 3600.0 + tm.tm_min * 60.0 + tm.tm_sec + fraction;
}

std::string TimeText() {
  std::tm tm = LocalNow(nullptr);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

}  // namespace xb
