#include "platform/regional.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <vector>

namespace mirvane {
namespace {

LocalDateTime At(int year, int month, int day, int hour, int minute, int second) {
  LocalDateTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

RegionalFormat German() {
  RegionalFormat format;
  format.short_date = "dd.MM.yyyy";
  format.long_time = "HH:mm:ss";
  format.decimal_separator = ",";
  format.group_separator = ".";
  return format;
}

TEST(RegionalTest, DateTimeTextWithTheDefaultFormats) {
  struct Case {
    LocalDateTime t;
    std::string_view text;
  };
  const std::vector<Case> cases = {
      {At(2026, 12, 11, 9, 30, 15), "12/11/2026 9:30:15 AM"},
      {At(2026, 12, 11, 13, 5, 9), "12/11/2026 1:05:09 PM"},
      {At(2026, 12, 11, 12, 0, 0), "12/11/2026 12:00:00 PM"},
      {At(2026, 12, 11, 0, 0, 1), "12/11/2026 12:00:01 AM"},
      {At(2026, 12, 11, 23, 59, 59), "12/11/2026 11:59:59 PM"},
      {At(2026, 1, 2, 0, 0, 0), "1/2/2026"},  // midnight: the date alone
      {At(2026, 1, 2, 0, 1, 0), "1/2/2026 12:01:00 AM"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DateTimeText(c.t, RegionalFormat{}), c.text);
  }
}

TEST(RegionalTest, DateTimeTextFollowsTheGivenFormats) {
  EXPECT_EQ(DateTimeText(At(2026, 3, 4, 7, 8, 9), German()), "04.03.2026 07:08:09");
  EXPECT_EQ(DateTimeText(At(2026, 3, 4, 0, 0, 0), German()), "04.03.2026");

  RegionalFormat custom;
  custom.long_time = "tt h:mm";
  custom.am = "vorm.";
  custom.pm = "nachm.";
  EXPECT_EQ(DateTimeText(At(2026, 3, 4, 15, 8, 0), custom), "3/4/2026 nachm. 3:08");
}

TEST(RegionalTest, PatternLettersAndTheirWidths) {
  const LocalDateTime morning = At(2005, 3, 4, 7, 8, 9);
  const LocalDateTime evening = At(2026, 11, 24, 19, 48, 59);
  struct Case {
    std::string_view pattern;
    std::string_view morning_text;
    std::string_view evening_text;
  };
  const std::vector<Case> cases = {
      {"d dd", "4 04", "24 24"},
      {"M MM", "3 03", "11 11"},
      {"y yy yyyy", "5 05 2005", "26 26 2026"},
      {"h hh", "7 07", "7 07"},
      {"H HH", "7 07", "19 19"},
      {"m mm", "8 08", "48 48"},
      {"s ss", "9 09", "59 59"},
      {"t tt", "A AM", "P PM"},
      {"yyyy-MM-dd HH:mm:ss", "2005-03-04 07:08:09", "2026-11-24 19:48:59"},
      {"ddd dddd", "Fri Friday", "Tue Tuesday"},
      {"MMM MMMM", "Mar March", "Nov November"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(FormatDateTimePattern(morning, c.pattern, RegionalFormat{}), c.morning_text);
    EXPECT_EQ(FormatDateTimePattern(evening, c.pattern, RegionalFormat{}), c.evening_text);
  }
}

TEST(RegionalTest, YearsBeforeOneThousandArePaddedToFourDigits) {
  EXPECT_EQ(FormatDateTimePattern(At(987, 6, 5, 0, 0, 0), "yyyy|yy|y", RegionalFormat{}),
            "0987|87|87");
  EXPECT_EQ(FormatDateTimePattern(At(2001, 6, 5, 0, 0, 0), "yyyy|yy|y", RegionalFormat{}),
            "2001|01|1");
}

TEST(RegionalTest, PatternLiterals) {
  const LocalDateTime t = At(2026, 3, 4, 7, 8, 9);
  struct Case {
    std::string_view pattern;
    std::string_view text;
  };
  const std::vector<Case> cases = {
      {"'day' d", "day 4"},              // letters in quotes stand as they are
      {"h 'o''clock'", "7 o'clock"},     // two quotes make one
      {"h''mm", "7'08"},
      {"'unterminated d", "unterminated d"},
      {"d. xyz!", "4. x26z!"},           // other characters stand as they are
      {"H時m分", "7時8分"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDateTimePattern(t, c.pattern, RegionalFormat{}), c.text) << c.pattern;
  }
}

TEST(RegionalTest, DayNamesFollowTheCalendar) {
  struct Case {
    LocalDateTime t;
    std::string_view name;
  };
  const std::vector<Case> cases = {
      {At(1970, 1, 1, 0, 0, 0), "Thursday"},  {At(2000, 2, 29, 0, 0, 0), "Tuesday"},
      {At(1900, 3, 1, 0, 0, 0), "Thursday"},  {At(2024, 1, 1, 0, 0, 0), "Monday"},
      {At(2026, 12, 11, 0, 0, 0), "Friday"},  {At(1, 1, 1, 0, 0, 0), "Monday"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDateTimePattern(c.t, "dddd", RegionalFormat{}), c.name)
        << c.t.year << '-' << c.t.month << '-' << c.t.day;
  }
}

struct NumberCase {
  std::string_view text;
  std::optional<double> value;
};

void ExpectConversions(const RegionalFormat& format, const std::vector<NumberCase>& cases) {
  for (const NumberCase& c : cases) {
    EXPECT_EQ(ConvertRegionalNumber(c.text, format), c.value) << '"' << c.text << '"';
  }
}

TEST(RegionalTest, ConvertRegionalNumberAcceptsWholeNumbers) {
  ExpectConversions(RegionalFormat{}, {
                                          {"00123", 123},
                                          {"1,234.5", 1234.5},
                                          {"1,234,567", 1234567},
                                          {"1,2,3", 123},  // groups of any size
                                          {" 42 ", 42},
                                          {"\t8\n", 8},
                                          {"-7", -7},
                                          {"+7", 7},
                                          {".5", 0.5},
                                          {"5.", 5},
                                          {"-0.25", -0.25},
                                          {"1e3", 1000},
                                          {"1.5E-2", 0.015},
                                          {"2D2", 200},
                                          {"1,000e+1", 10000},
                                      });
}

TEST(RegionalTest, ConvertRegionalNumberFailsOnAnythingLeftOver) {
  const std::optional<double> fail;
  ExpectConversions(RegionalFormat{}, {
                                          {"", fail},
                                          {"   ", fail},
                                          {"-", fail},
                                          {"+", fail},
                                          {".", fail},
                                          {"12a", fail},
                                          {"a12", fail},
                                          {"1.2.3", fail},
                                          {"1..2", fail},
                                          {"1,,234", fail},
                                          {",123", fail},
                                          {"123,", fail},
                                          {"1.5,000", fail},  // no groups after the decimal separator
                                          {"1 2", fail},
                                          {"- 7", fail},
                                          {"--7", fail},
                                          {"1e", fail},
                                          {"1e+", fail},
                                          {"1e3.5", fail},
                                          {"&H10", fail},
                                          {"1e400", fail},  // beyond the range of a double
                                      });
}

TEST(RegionalTest, ConvertRegionalNumberUsesTheGivenSeparators) {
  const std::optional<double> fail;
  ExpectConversions(German(), {
                                  {"1,5", 1.5},
                                  {"1.234,5", 1234.5},
                                  {"-0,75", -0.75},
                                  {"1,5e2", 150},
                                  {"1.5", 15},  // "." groups digits here
                                  {"1,2,3", fail},
                                  {"1,234.5", fail},
                              });

  RegionalFormat french;
  french.decimal_separator = ",";
  french.group_separator = "\u00A0";  // two bytes in UTF-8
  ExpectConversions(french, {
                                {"1\u00A0234,5", 1234.5},
                                {"1\u00A0\u00A0234", fail},
                                {"\u00A0" "1", fail},
                            });

  RegionalFormat spaced;
  spaced.group_separator = " ";
  ExpectConversions(spaced, {
                                {" 1 234 ", 1234},
                                {"1  234", fail},
                            });

  RegionalFormat ungrouped;
  ungrouped.group_separator = "";
  ExpectConversions(ungrouped, {
                                   {"1234.5", 1234.5},
                                   {"1,234", fail},
                               });
}

}  // namespace
}  // namespace mirvane
