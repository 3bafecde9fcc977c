#include "runtime/settings.h"

#include <array>
#include <cctype>

namespace xb {

namespace {

struct Store {
  std::array<Value, kSetCount> values;
  bool century = false;
  std::string driver = "DBFCDX";
};

Store& store() {
  static Store s = [] {
    Store fresh;
    return fresh;
  }();
  return s;
}

bool started = false;

void EnsureStarted() {
  if (!started) {
    started = true;
    ResetSettings();
  }
}

Value Normalised(const Value& v) {
  if (v.IsText()) {
    std::string upper;
    for (char c : v.text()) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "ON") return Value::Logical(true);
    if (upper == "OFF") return Value::Logical(false);
  }
  return v;
}

// Length of the first run of year letters in a date format, and where it starts.
std::pair<size_t, size_t> YearRun(const std::string& format) {
  size_t begin = std::string::npos;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == 'y' || format[i] == 'Y') {
      begin = i;
      break;
    }
  }
  if (begin == std::string::npos) return {begin, 0};
  size_t end = begin;
  while (end < format.size() && (format[end] == 'y' || format[end] == 'Y')) ++end;
  return {begin, end - begin};
}

}  // namespace

void ResetSettings() {
  started = true;
  Store& s = store();
  for (auto& v : s.values) v = Value();
  s.values[kSetExact] = Value::Logical(false);
  s.values[kSetFixed] = Value::Logical(false);
  s.values[kSetDecimals] = Value::Number(2);
  s.values[kSetDateFormat] = Value::Text("mm/dd/yy");
  s.values[kSetEpoch] = Value::Number(1900);
  s.values[kSetExclusive] = Value::Logical(true);
  s.values[kSetSoftSeek] = Value::Logical(false);
  s.values[kSetScoreboard] = Value::Logical(true);
  s.century = false;
  s.driver = "DBFCDX";
}

Value Set(int setting, const Value& value) {
  EnsureStarted();
  if (setting <= 0 || setting >= kSetCount) return Value();
  Store& s = store();
  Value old = s.values[setting];
  Value v = setting == kSetDateFormat ? value : Normalised(value);
  s.values[setting] = v;
  if (setting == kSetDateFormat) s.century = YearRun(v.text()).second >= 4;
  return old;
}

Value Get(int setting) {
  EnsureStarted();
  if (setting <= 0 || setting >= kSetCount) return Value();
  return store().values[setting];
}

bool GetLogical(int setting) { return Get(setting).logical(); }

std::string GetDateFormat() { return Get(kSetDateFormat).text(); }

void SetCentury(bool on) {
  EnsureStarted();
  Store& s = store();
  std::string format = s.values[kSetDateFormat].text();
  for (char& c : format) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  auto [begin, length] = YearRun(format);
  if (begin != std::string::npos) format.replace(begin, length, on ? "YYYY" : "YY");
  s.values[kSetDateFormat] = Value::Text(format);
  s.century = on;
}

bool Century() {
  EnsureStarted();
  return store().century;
}

void SetDefaultDriver(const std::string& name) {
  EnsureStarted();
  store().driver = name;
}

const std::string& DefaultDriver() {
  EnsureStarted();
  return store().driver;
}

}  // namespace xb
