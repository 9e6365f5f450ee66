#include "platform/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace mirvane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Value of `c` as a digit in `base` (8 or 16), or -1.
int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  return value < base ? value : -1;
}

// The digits after "&H", "&O" or "&". Written numbers of up to 16 bits are
// 16-bit two's complement ("&HFFFF" is -1) and those of up to 32 bits are
// 32-bit two's complement, as such constants are meant; longer ones keep their
// plain value.
double PrefixedValue(std::string_view digits, int base) {
  double value = 0;
  for (const char c : digits) {
    const int d = DigitValue(c, base);
    if (d < 0) break;
    value = value * base + d;
  }
  if (value <= 0xFFFF) return value >= 0x8000 ? value - 65536.0 : value;
  if (value <= 0xFFFFFFFF) return value >= 2147483648.0 ? value - 4294967296.0 : value;
  return value;
}

// The value of an unsigned decimal number given as its digits, where a point
// (if any) sits after `integer_digits` of them, times ten to `exponent`.
double DecimalValue(std::string_view digits, std::size_t integer_digits, long exponent) {
  std::string number(digits.substr(0, integer_digits));
  number += '.';
  number.append(digits.substr(integer_digits));
  number += 'e';
  number += std::to_string(exponent);
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  (void)end;
  if (error != std::errc::result_out_of_range) return value;
  // Too large or too small for a double: which one depends on where the
  // first significant digit stands.
  std::size_t first_significant = 0;
  while (first_significant < digits.size() && digits[first_significant] == '0') {
    ++first_significant;
  }
  if (first_significant == digits.size()) return 0.0;
  const long magnitude =
      static_cast<long>(integer_digits) - static_cast<long>(first_significant) + exponent;
  return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

double LeadingNumberValue(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n')) ++pos;
  text.remove_prefix(pos);

  // "&H" and "&O" numbers carry their sign in their bits, so they take none
  // in front.
  if (text.starts_with('&')) {
    const char kind = text.size() >= 2 ? text[1] : '\0';
    if (kind == 'H' || kind == 'h') return PrefixedValue(text.substr(2), 16);
    if (kind == 'O' || kind == 'o') return PrefixedValue(text.substr(2), 8);
    return PrefixedValue(text.substr(1), 8);
  }

  pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  std::string digits;
  std::size_t integer_digits = 0;
  bool seen_point = false;
  for (; pos < text.size(); ++pos) {
    if (IsDigit(text[pos])) {
      digits += text[pos];
      if (!seen_point) ++integer_digits;
    } else if (text[pos] == '.' && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
  }
  if (digits.empty()) return 0;

  long exponent = 0;
  const auto is_exponent_mark = [](char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; };
  if (pos < text.size() && is_exponent_mark(text[pos])) {
    std::size_t p = pos + 1;
    bool exponent_negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
      exponent_negative = text[p] == '-';
      ++p;
    }
    // Capped far beyond any double, so that a long run of digits cannot
    // overflow the counter; the result is 0 or infinite either way.
    constexpr long kExponentCap = 100000;
    for (; p < text.size() && IsDigit(text[p]); ++p) {
      if (exponent < kExponentCap) exponent = exponent * 10 + (text[p] - '0');
    }
    if (exponent_negative) exponent = -exponent;
  }
  const double value = DecimalValue(digits, integer_digits, exponent);
  return negative ? -value : value;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  const double below = std::floor(value);
  // Exact: the fraction of a double is always representable.
  const double fraction = value - below;
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::int64_t WholeNumber(double value) {
  if (std::isnan(value)) return 0;
  const double whole = RoundHalfEven(value);
  // 2^63 is a double, the largest int64 is not; compare against 2^63.
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (whole >= kTwoTo63) return std::numeric_limits<std::int64_t>::max();
  if (whole < -kTwoTo63) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(whole);
}

std::string NumberText(std::int64_t value) {
  char buffer[24];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  (void)error;  // 24 characters hold any 64-bit number
  return std::string(buffer, end);
}

std::string DecimalText(double value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9.0e15) {
    return NumberText(static_cast<std::int64_t>(value));
  }
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace mirvane
