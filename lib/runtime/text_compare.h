// Text equality under the exact-comparison setting, and the strict identity test.
//   Exact on: trailing blanks of the longer text are dropped, not below the length of
//   the shorter; then equal when of the same length with the same bytes.
//   Exact off: the left text equals the right when it starts with it (an empty right
//   text equals everything); a longer right text must be the left text and blanks.
//   Identical: same length, same bytes, whatever the setting.
// Values: a nil equals only a nil; a nil compared with a text is unequal and raises nothing.
#pragma once

#include <string_view>

#include "runtime/value.h"

namespace xb {

bool TextEquals(std::string_view left, std::string_view right);
bool TextEqualsExact(std::string_view left, std::string_view right);
bool TextIdentical(std::string_view left, std::string_view right);
bool ValueEquals(const Value& left, const Value& right);

}  // namespace xb
