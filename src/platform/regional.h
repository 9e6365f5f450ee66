// Regional formats: the date-time text and the regional number conversion.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mirvane {

struct LocalDateTime {
  int year = 1970, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
};

// Patterns use the letters d, dd, M, MM, yy, yyyy, h, hh (12-hour), H, HH,
// m, mm, s, ss and tt (AM/PM designator); any other character stands as is,
// and text between single quotes is literal.
struct RegionalFormat {
  std::string short_date = "M/d/yyyy";
  std::string long_time = "h:mm:ss tt";
  std::string am = "AM";
  std::string pm = "PM";
  std::string decimal_separator = ".";
  std::string group_separator = ",";
};

std::string FormatDateTimePattern(const LocalDateTime& t, std::string_view pattern,
                                  const RegionalFormat& format);

// The general date form: short date, a space, long time; the date alone at
// exactly midnight.
std::string DateTimeText(const LocalDateTime& t, const RegionalFormat& format);

// The whole text as a number in the regional format: surrounding blanks, a
// sign, digits with group separators, one decimal separator and an exponent
// are accepted; any other character left over makes it fail.
std::optional<double> ConvertRegionalNumber(std::string_view text, const RegionalFormat& format);

}  // namespace mirvane
