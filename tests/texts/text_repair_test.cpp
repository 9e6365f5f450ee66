#include "texts/text_repair.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace mirvane {
namespace {

// What a UTF-8 text becomes when its bytes are read one by one as Windows-1252
// characters (and held as UTF-8 again): the damage RepairText undoes. Written
// out here, apart from the program's code page, so that the repair list is
// checked against the code page itself rather than against its own copy.
std::string MisreadAsWindows1252(std::string_view utf8) {
  // Bytes 80..9F; the five that Windows-1252 leaves undefined read as the
  // code point of the same number.
  static constexpr char32_t kHighControls[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
  };
  std::string out;
  for (const char ch : utf8) {
    const auto byte = static_cast<unsigned char>(ch);
    const char32_t c = byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

TEST(TextRepairTest, MisreadingHelperMatchesTheWindows1252Reading) {
  // "á" (C3 A1) is read as "Ã¡"; "Ó" (C3 93) as "Ã“"; the byte-order mark as "ï»¿".
  EXPECT_EQ(MisreadAsWindows1252("\u00E1"), "\u00C3\u00A1");
  EXPECT_EQ(MisreadAsWindows1252("\u00D3"), "\u00C3\u201C");
  EXPECT_EQ(MisreadAsWindows1252("\u00C1"), "\u00C3\u0081");
  EXPECT_EQ(MisreadAsWindows1252("\uFEFF"), "\u00EF\u00BB\u00BF");
}

struct RepairCase {
  const char* name;
  std::string read;  // the text as read
  std::string repaired;
};

void PrintTo(const RepairCase& c, std::ostream* os) { *os << c.name; }

class TextRepairExamples : public testing::TestWithParam<RepairCase> {};

TEST_P(TextRepairExamples, RepairsTheTextAsRead) {
  EXPECT_EQ(RepairText(GetParam().read), GetParam().repaired);
}

// The garbled inputs are spelled out code point by code point, as a
// Windows-1252 reader delivers them.
INSTANTIATE_TEST_SUITE_P(
    WordsAndMarks, TextRepairExamples,
    testing::Values(
        RepairCase{"Introduccion", "Introducci\u00C3\u00B3n", "Introducci\u00F3n"},
        RepairCase{"Matematicas", "Matem\u00C3\u00A1ticas", "Matem\u00E1ticas"},
        RepairCase{"Espana", "Espa\u00C3\u00B1a", "Espa\u00F1a"},
        RepairCase{"QueTal", "\u00C2\u00BFQu\u00C3\u00A9 tal?", "\u00BFQu\u00E9 tal?"},
        RepairCase{"ByteOrderMarkAtStart", "\u00EF\u00BB\u00BFHola", "Hola"},
        RepairCase{"ByteOrderMarkInMiddle", "uno\u00EF\u00BB\u00BFdos", "unodos"},
        RepairCase{"TypographicQuotes", "\u00E2\u20AC\u0153Hola\u00E2\u20AC\u009D", "\"Hola\""},
        RepairCase{"EnDash", "10 \u00E2\u20AC\u201C 20", "10 - 20"},
        RepairCase{"DegreeSign", "25\u00C2\u00B0C", "25\u00B0C"},
        RepairCase{"CopyrightSignLosesItsLeadOnly", "\u00C2\u00A9 2024", "\u00A9 2024"},
        RepairCase{"NoBreakSpaceLosesItsLeadOnly", "a\u00C2\u00A0b", "a\u00A0b"},
        RepairCase{"GenuineCapitalACircumflexIsDropped", "\u00C2ngulo", "ngulo"},
        RepairCase{"EveryOccurrence", "\u00C3\u00A1\u00C3\u00A1 \u00C3\u00A1",
                   "\u00E1\u00E1 \u00E1"},
        RepairCase{"CaseSensitive", "\u00E3\u00A1 \u00C3\u00C1", "\u00E3\u00A1 \u00C3\u00C1"},
        RepairCase{"CorrectlyReadTextUnchanged",
                   "Canci\u00F3n \u00BFs\u00ED? \u00A1Ol\u00E9! 5\u00B0",
                   "Canci\u00F3n \u00BFs\u00ED? \u00A1Ol\u00E9! 5\u00B0"},
        RepairCase{"AsciiUnchanged", "Plain text, 100% ASCII.", "Plain text, 100% ASCII."},
        RepairCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<RepairCase>& info) { return std::string(info.param.name); });

// Every character the repair list knows comes back from its misread form, and
// its neighbours are left alone.
TEST(TextRepairTest, RestoresTheSpanishLettersAndMarks) {
  for (const std::string_view c :
       {"á", "é", "í", "ó", "ú", "ü", "ñ", "Á", "É", "Í", "Ó", "Ú", "Ü", "Ñ", "¡", "¿", "°"}) {
    const std::string expected = "<" + std::string(c) + ">";
    EXPECT_EQ(RepairText("<" + MisreadAsWindows1252(c) + ">"), expected);
  }
}

TEST(TextRepairTest, StraightensQuotesAndDashesAndDropsTheByteOrderMark) {
  const struct {
    std::string_view original;
    std::string_view repaired;
  } kCases[] = {
      {"\u201C", "\""},
      {"\u201D", "\""},
      {"\u2013", "-"},
      {"\uFEFF", ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(RepairText("<" + MisreadAsWindows1252(c.original) + ">"),
              "<" + std::string(c.repaired) + ">")
        << "original: " << c.original;
  }
}

// Two-byte characters outside the list survive because their lead "Â" is dropped.
TEST(TextRepairTest, OtherTwoByteCharactersSurviveByLosingTheirLead) {
  for (const std::string_view c : {"©", "®", "«", "»", "ª", "º", "\u00A0", "\u00AD"}) {
    const std::string expected = "<" + std::string(c) + ">";
    EXPECT_EQ(RepairText("<" + MisreadAsWindows1252(c) + ">"), expected);
  }
}

TEST(TextRepairTest, RepairsAWholeSpanishSentence) {
  const std::string sentence =
      "\uFEFF\u00BFQu\u00E9 significa \u201C\u00D1and\u00FA\u201D? \u00A1Atenci\u00F3n! "
      "\u00C9l, \u00C1frica e \u00CDndice \u2013 \u00DAltimo, ping\u00FCino, PING\u00DCINO, "
      "\u00D3pera, a\u00F1o, \u00EDdolo, 30\u00B0 \u00A9";
  const std::string expected =
      "\u00BFQu\u00E9 significa \"\u00D1and\u00FA\"? \u00A1Atenci\u00F3n! "
      "\u00C9l, \u00C1frica e \u00CDndice - \u00DAltimo, ping\u00FCino, PING\u00DCINO, "
      "\u00D3pera, a\u00F1o, \u00EDdolo, 30\u00B0 \u00A9";
  EXPECT_EQ(RepairText(MisreadAsWindows1252(sentence)), expected);
}

// Each row works once, in order, on what the rows before it left.
TEST(TextRepairTest, RowsApplyOnceInOrder) {
  const struct {
    const char* why;
    std::string read;
    std::string repaired;
  } kCases[] = {
      {"the marks of \"¡\", \"¿\" and \"°\" are kept before every other \"Â\" goes",
       "\u00C2\u00A1\u00C2\u00BF\u00C2\u00B0\u00C2\u00AE", "\u00A1\u00BF\u00B0\u00AE"},
      {"dropping \"Â\" can form \"Ã©\", but the row for \"é\" has already run",
       "\u00C3\u00C2\u00A9", "\u00C3\u00A9"},
      {"a byte-order mark that later rows complete is left in place", "\u00EF\u00BB\u00C2\u00BF",
       "\u00EF\u00BB\u00BF"},
      {"the en dash row comes after the \"Â\" row, so what that row joins is still repaired",
       "\u00E2\u20AC\u00C2\u201C", "-"},
      {"removing a byte-order mark is not rescanned by the same row",
       "\u00EF\u00BB\u00EF\u00BB\u00BF\u00BF", "\u00EF\u00BB\u00BF"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(RepairText(c.read), c.repaired) << c.why;
  }
}

}  // namespace
}  // namespace mirvane
