// Reading numbers from texts and writing them back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mirvane {

// The number with which `text` begins: blanks (space, tab, line feed) skipped,
// then an optional sign, decimal digits with at most one "." and an optional
// exponent ("e" or "d", either case, with an optional sign), or a number
// written with the prefix "&H" (hexadecimal) or "&O" / "&" (octal). Reading
// stops at the first character that does not fit; 0 when there is no number.
double LeadingNumberValue(std::string_view text);

// Nearest whole number, halves to the even one.
double RoundHalfEven(double value);

// `value` made whole and clamped into the range of a 64-bit integer.
std::int64_t WholeNumber(double value);

// Decimal text without leading zeros ("-" for negatives).
std::string NumberText(std::int64_t value);

// A number as text: whole numbers as NumberText, others in the shortest
// decimal form that reads back the same ("3.5").
std::string DecimalText(double value);

}  // namespace mirvane
