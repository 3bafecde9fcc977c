// Number to text, as the run time's STR and picture transforms write it.
//   Str(n, width, decimals): right-aligned in width, rounded to decimals; a number that
//   does not fit shows as width asterisks.
//   Str(value): without a width an integer takes 10 characters; a fraction takes 10 for
//   its integer part, a point and its decimals.
//   Picture: '9' is a digit position, ',' a comma shown only with a digit to its left,
//   any other character stands as it is ("9,999,999 bytes").
#pragma once

#include <string>

#include "runtime/value.h"

namespace xb {

std::string Str(double n, int width, int decimals = 0);
std::string Str(const Value& n);
std::string Str(const Value& n, int width);
std::string Str(const Value& n, int width, int decimals);
std::string Trim(const std::string& s);   // leading and trailing blanks removed
std::string RTrim(const std::string& s);  // trailing blanks removed
std::string StrTrim(const Value& n);      // Trim(Str(n))
std::string StrTrim(double n);
std::string Picture(double n, const std::string& picture);
std::string PadRight(const std::string& s, size_t width);  // padded with blanks or cut

}  // namespace xb
