#include "runtime/text_compare.h"

#include "runtime/settings.h"

namespace xb {

namespace {
bool OnlyBlanks(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }
}  // namespace

bool TextEqualsExact(std::string_view left, std::string_view right) {
  std::string_view shorter = left.size() <= right.size() ? left : right;
  std::string_view longer = left.size() <= right.size() ? right : left;
  return longer.substr(0, shorter.size()) == shorter && OnlyBlanks(longer.substr(shorter.size()));
}

bool TextEquals(std::string_view left, std::string_view right) {
  if (GetLogical(kSetExact)) return TextEqualsExact(left, right);
  if (right.size() <= left.size()) return left.substr(0, right.size()) == right;
  return right.substr(0, left.size()) == left && OnlyBlanks(right.substr(left.size()));
}

bool TextIdentical(std::string_view left, std::string_view right) { return left == right; }

bool ValueEquals(const Value& left, const Value& right) {
  if (left.IsNil() || right.IsNil()) return left.IsNil() && right.IsNil();
  if (left.IsText() && right.IsText()) return TextEquals(left.text(), right.text());
  if (left.IsNumber() && right.IsNumber()) return left.number() == right.number();
  if (left.IsDate() && right.IsDate()) return left.date() == right.date();
  if (left.IsLogical() && right.IsLogical()) return left.logical() == right.logical();
  return false;
}

}  // namespace xb
