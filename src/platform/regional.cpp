#include "platform/regional.h"

#include <cmath>

#include "platform/numbers.h"

namespace mirvane {

namespace {

// Used when a pattern asks for names ("MMM", "dddd"): the regional format
// carries no names of its own, and its default designators are English too.
constexpr std::string_view kMonthNames[12] = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};
constexpr std::string_view kDayNames[7] = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday",
};

// 0 for Sunday, in the proleptic Gregorian calendar.
int DayOfWeek(int year, int month, int day) {
  static constexpr int kMonthOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) --year;
  // Floor division, so that years before 1 still give a day from 0 to 6.
  const auto floor_div = [](int a, int b) { return a / b - (a % b != 0 && a < 0 ? 1 : 0); };
  const int sum = year + floor_div(year, 4) - floor_div(year, 100) + floor_div(year, 400) +
                  kMonthOffsets[((month - 1) % 12 + 12) % 12] + day;
  return ((sum % 7) + 7) % 7;
}

std::string Padded(int value, std::size_t width) {
  std::string digits = NumberText(value < 0 ? -static_cast<long long>(value) : value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

// Month and day names are only as valid as the month in the date.
std::string_view MonthName(int month) {
  return month >= 1 && month <= 12 ? kMonthNames[month - 1] : std::string_view();
}

// One run of a pattern letter, `count` long, as text. A run longer than the
// longest form of its letter takes that form.
std::string FormatField(const LocalDateTime& t, char letter, std::size_t count,
                        const RegionalFormat& format) {
  const std::size_t width = count >= 2 ? 2 : 1;
  switch (letter) {
    case 'd':
      if (count == 3) {
        return std::string(kDayNames[DayOfWeek(t.year, t.month, t.day)].substr(0, 3));
      }
      if (count >= 4) return std::string(kDayNames[DayOfWeek(t.year, t.month, t.day)]);
      return Padded(t.day, width);
    case 'M':
      if (count == 3) return std::string(MonthName(t.month).substr(0, 3));
      if (count >= 4) return std::string(MonthName(t.month));
      return Padded(t.month, width);
    case 'y': {
      if (count >= 3) return Padded(t.year, 4);
      const int short_year = ((t.year % 100) + 100) % 100;
      return Padded(short_year, width);
    }
    case 'h': {
      const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
      return Padded(hour12, width);
    }
    case 'H':
      return Padded(t.hour, width);
    case 'm':
      return Padded(t.minute, width);
    case 's':
      return Padded(t.second, width);
    case 't': {
      const std::string& designator = t.hour < 12 ? format.am : format.pm;
      // A single "t" asks for the first character of the designator.
      return count == 1 ? designator.substr(0, 1) : designator;
    }
    default:
      return std::string(count, letter);
  }
}

bool IsPatternLetter(char c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'h' || c == 'H' || c == 'm' || c == 's' ||
         c == 't';
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatDateTimePattern(const LocalDateTime& t, std::string_view pattern,
                                  const RegionalFormat& format) {
  std::string out;
  std::size_t pos = 0;
  while (pos < pattern.size()) {
    const char c = pattern[pos];
    if (c == '\'') {
      // Two quotes in a row stand for one quote, inside quoted text or not.
      ++pos;
      if (pos < pattern.size() && pattern[pos] == '\'') {
        out += '\'';
        ++pos;
        continue;
      }
      // Quoted text runs to the closing quote, or to the end when there is none.
      while (pos < pattern.size()) {
        if (pattern[pos] == '\'') {
          if (pos + 1 < pattern.size() && pattern[pos + 1] == '\'') {
            out += '\'';
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        out += pattern[pos++];
      }
      continue;
    }
    if (IsPatternLetter(c)) {
      std::size_t count = 0;
      while (pos < pattern.size() && pattern[pos] == c) {
        ++count;
        ++pos;
      }
      out += FormatField(t, c, count, format);
      continue;
    }
    out += c;
    ++pos;
  }
  return out;
}

std::string DateTimeText(const LocalDateTime& t, const RegionalFormat& format) {
  std::string text = FormatDateTimePattern(t, format.short_date, format);
  if (t.hour == 0 && t.minute == 0 && t.second == 0) return text;
  text += ' ';
  text += FormatDateTimePattern(t, format.long_time, format);
  return text;
}

std::optional<double> ConvertRegionalNumber(std::string_view text, const RegionalFormat& format) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

  const std::string_view decimal = format.decimal_separator;
  const std::string_view group = format.group_separator;
  // The number is rewritten in the plain form that LeadingNumberValue reads in
  // full, so both readers agree on every value.
  std::string plain;
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) plain += text[pos++];

  bool any_digit = false;
  bool seen_decimal = false;
  while (pos < text.size()) {
    const std::string_view rest = text.substr(pos);
    if (IsDigit(rest.front())) {
      plain += rest.front();
      any_digit = true;
      ++pos;
    } else if (!seen_decimal && !decimal.empty() && rest.starts_with(decimal)) {
      plain += '.';
      seen_decimal = true;
      pos += decimal.size();
    } else if (!seen_decimal && !group.empty() && pos > 0 && IsDigit(text[pos - 1]) &&
               rest.starts_with(group) && rest.size() > group.size() &&
               IsDigit(rest[group.size()])) {
      // A group separator only ever stands between two digits of the whole part.
      pos += group.size();
    } else {
      break;
    }
  }
  if (!any_digit) return std::nullopt;

  const auto is_exponent_mark = [](char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; };
  if (pos < text.size() && is_exponent_mark(text[pos])) {
    plain += 'e';
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) plain += text[pos++];
    if (pos >= text.size() || !IsDigit(text[pos])) return std::nullopt;
    while (pos < text.size() && IsDigit(text[pos])) plain += text[pos++];
  }
  if (pos != text.size()) return std::nullopt;

  const double value = LeadingNumberValue(plain);
  // A number beyond the range of a double cannot be held; fail as for any
  // other text that is no number.
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace mirvane
