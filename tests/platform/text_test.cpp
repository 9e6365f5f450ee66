#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace mirvane {
namespace {

// Malformed texts used throughout: each bad byte is one character.
constexpr std::string_view kLoneHighByte = "\xFF";
constexpr std::string_view kTruncatedEuro = "\xE2\x82";  // "€" without its last byte
constexpr std::string_view kOverlongSlash = "\xC0\xAF";
constexpr std::string_view kEncodedSurrogate = "\xED\xA0\x80";
constexpr std::string_view kBeyondUnicode = "\xF4\x90\x80\x80";

TEST(TextTest, LenCountsCharactersAndEveryMalformedByteOnce) {
  struct Case {
    std::string_view text;
    std::size_t length;
  };
  const std::vector<Case> cases = {
      {"", 0},
      {"abc", 3},
      {"é", 1},
      {"año", 3},
      {"中文", 2},
      {"a😀b", 3},
      {kLoneHighByte, 1},
      {kTruncatedEuro, 2},
      {kOverlongSlash, 2},
      {kEncodedSurrogate, 3},
      {kBeyondUnicode, 4},
      {"\xE2\x82" "x", 3},  // a truncated character does not swallow the "x"
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(Len(c.text), c.length);
  }
}

TEST(TextTest, ACharacterCutOffByTheEndOfTheViewStaysCutOff) {
  // The bytes after the view would complete the character; they must not be read.
  const std::string_view euro = "\xE2\x82\xAC";
  EXPECT_EQ(Len(euro.substr(0, 2)), 2u);
  EXPECT_FALSE(IsValidUtf8(euro.substr(0, 2)));
  std::size_t pos = 0;
  EXPECT_EQ(NextChar(euro.substr(0, 2), pos), U'\uFFFD');
  EXPECT_EQ(pos, 1u);
}

TEST(TextTest, IsValidUtf8RejectsOverlongSurrogateAndOutOfRangeForms) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("año 中 😀 \xF4\x8F\xBF\xBF"));  // U+10FFFF is the last character
  EXPECT_FALSE(IsValidUtf8(kLoneHighByte));
  EXPECT_FALSE(IsValidUtf8(kTruncatedEuro));
  EXPECT_FALSE(IsValidUtf8(kOverlongSlash));
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));  // overlong three-byte form
  EXPECT_FALSE(IsValidUtf8(kEncodedSurrogate));
  EXPECT_FALSE(IsValidUtf8(kBeyondUnicode));
  EXPECT_FALSE(IsValidUtf8("ok\x80"));  // stray continuation byte at the end
}

TEST(TextTest, AppendUtf8AndNextCharAgreeAtEveryEncodingLengthBoundary) {
  for (const char32_t c : {0x00u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xD7FFu, 0xE000u, 0xFFFDu, 0xFFFFu,
                           0x10000u, 0x1F600u, 0x10FFFFu}) {
    SCOPED_TRACE(static_cast<unsigned>(c));
    std::string bytes;
    AppendUtf8(bytes, c);
    EXPECT_TRUE(IsValidUtf8(bytes));
    std::size_t pos = 0;
    EXPECT_EQ(NextChar(bytes, pos), c);
    EXPECT_EQ(pos, bytes.size());
  }
}

TEST(TextTest, AppendUtf8WritesKnownBytes) {
  std::string out;
  AppendUtf8(out, U'A');
  AppendUtf8(out, U'é');
  AppendUtf8(out, U'€');
  AppendUtf8(out, U'😀');
  EXPECT_EQ(out, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}

TEST(TextTest, AppendUtf8NeverWritesMalformedText) {
  for (const char32_t c : {0xD800u, 0xDFFFu, 0x110000u, 0xFFFFFFFFu}) {
    std::string out;
    AppendUtf8(out, c);
    EXPECT_EQ(out, "\xEF\xBF\xBD") << static_cast<unsigned>(c);
  }
}

TEST(TextTest, NextCharStepsOverMalformedBytesOneAtATime) {
  const std::string_view text = "\xE2\x82" "x\xFF€";
  std::size_t pos = 0;
  EXPECT_EQ(NextChar(text, pos), U'\uFFFD');
  EXPECT_EQ(pos, 1u);
  EXPECT_EQ(NextChar(text, pos), U'\uFFFD');
  EXPECT_EQ(pos, 2u);
  EXPECT_EQ(NextChar(text, pos), U'x');
  EXPECT_EQ(NextChar(text, pos), U'\uFFFD');
  EXPECT_EQ(pos, 4u);
  EXPECT_EQ(NextChar(text, pos), U'€');
  EXPECT_EQ(pos, text.size());
}

TEST(TextTest, MidLeftRightCutWholeCharacters) {
  const std::string_view text = "añb中😀";  // 5 characters, 11 bytes
  struct Case {
    std::size_t start;
    std::size_t count;
    std::string_view expected;
  };
  const std::vector<Case> cases = {
      {1, std::string_view::npos, text},
      {2, 1, "ñ"},
      {2, 3, "ñb中"},
      {4, std::string_view::npos, "中😀"},
      {5, 10, "😀"},
      {6, 1, ""},   // just past the end
      {99, 1, ""},  // far past the end
      {3, 0, ""},
      {0, 2, "añ"},  // position 0 is taken as 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "start " << c.start << " count " << c.count);
    EXPECT_EQ(Mid(text, c.start, c.count), c.expected);
  }

  EXPECT_EQ(Left(text, 0), "");
  EXPECT_EQ(Left(text, 2), "añ");
  EXPECT_EQ(Left(text, 99), text);
  EXPECT_EQ(Right(text, 0), "");
  EXPECT_EQ(Right(text, 2), "中😀");
  EXPECT_EQ(Right(text, 5), text);
  EXPECT_EQ(Right(text, 99), text);
}

TEST(TextTest, MidLeftRightKeepMalformedBytesAsSingleCharacters) {
  const std::string text = "a\xFF" "b\xE2\x82";  // a, FF, b, E2, 82
  EXPECT_EQ(Mid(text, 2, 1), "\xFF");
  EXPECT_EQ(Mid(text, 4, 1), "\xE2");
  EXPECT_EQ(Left(text, 3), "a\xFF" "b");
  EXPECT_EQ(Right(text, 1), "\x82");
}

TEST(TextTest, InStrGivesCharacterPositions) {
  struct Case {
    std::string_view text;
    std::string_view needle;
    std::size_t start;
    std::size_t expected;
  };
  const std::vector<Case> cases = {
      {"hello", "l", 1, 3},
      {"hello", "l", 4, 4},
      {"hello", "l", 5, 0},
      {"hello", "lo", 1, 4},
      {"hello", "x", 1, 0},
      {"hello", "hello!", 1, 0},
      {"", "a", 1, 0},
      {"ñandú ñandú", "dú", 1, 4},  // characters, not bytes (bytes would say 5)
      {"ñandú ñandú", "dú", 5, 10},
      {"中文中文", "中", 2, 3},
      {"a😀b😀", "😀", 3, 4},
      {"hello", "", 3, 3},  // an empty needle is found where the search starts
      {"hello", "", 6, 6},
      {"hello", "", 7, 0},
      {"", "", 1, 1},
      {"hello", "h", 0, 1},  // position 0 is taken as 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" / \"" << c.needle << "\" from "
                                    << c.start);
    EXPECT_EQ(InStr(c.text, c.needle, c.start), c.expected);
  }
}

TEST(TextTest, InStrNeverFindsANeedleInsideACharacter) {
  // "€" is E2 82 AC; the malformed needles below match its bytes but are
  // different characters.
  EXPECT_EQ(InStr("x€", "\x82\xAC"), 0u);
  EXPECT_EQ(InStr("x€", "\xE2\x82"), 0u);
  EXPECT_EQ(InStr("€\xE2\x82", "\xE2\x82"), 2u);  // only the real malformed pair matches
  EXPECT_EQ(InStr("\xE2\x82" "x", "\x82"), 2u);
}

TEST(TextTest, LCaseLowersLatinGreekAndCyrillicLetters) {
  struct Case {
    std::string_view text;
    std::string_view expected;
  };
  const std::vector<Case> cases = {
      {"", ""},
      {"Hello, World 123!", "hello, world 123!"},
      {"ÀÉÎÕÜÇÑ ÆØÞ", "àéîõüçñ æøþ"},
      {"×÷", "×÷"},  // signs in the Latin-1 letter block are no letters
      {"ŸÿŒœŠŽ", "ÿÿœœšž"},
      {"ĲŁŃŐŹ", "ĳłńőź"},
      {"İ", "i"},
      {"ǄǅǆǇǈ", "ǆǆǆǉǉ"},
      {"ẞ ỆỲ", "ß ệỳ"},
      {"ΣΟΦΊΑ Ώ", "σοφία ώ"},
      {"ἈᾼῸ", "ἀᾳὸ"},
      {"ПРИВЕТ ЁЖ Їжак Ґ", "привет ёж їжак ґ"},
      {"ӀԀ", "ӏԁ"},
      {"€中😀", "€中😀"},
      {"\xFF" "A\xE2\x82" "B", "\xFF" "a\xE2\x82" "b"},  // malformed bytes stay as they are
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(LCase(c.text), c.expected);
  }
}

TEST(TextTest, LowerCaseIsStableAndNeverUpperCasesALowerCaseLetter) {
  // A letter already in lower case keeps its case, so lowering twice changes
  // nothing; an off-by-one in the letter tables breaks this.
  for (char32_t c = 0; c < 0x2000; ++c) {
    const char32_t lower = LowerChar(c);
    ASSERT_EQ(LowerChar(lower), lower) << std::hex << static_cast<unsigned>(c);
  }
}

TEST(TextTest, TrimDropsOnlySpaces) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("     "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("\ta\t"), "\ta\t");
  EXPECT_EQ(Trim("\xC2\xA0" "a"), "\xC2\xA0" "a");  // no-break space is kept
  EXPECT_EQ(LTrim("  a  "), "a  ");
  EXPECT_EQ(RTrim("  a  "), "  a");
  EXPECT_EQ(RTrim("  中  "), "  中");
}

TEST(TextTest, ReplaceScansLeftToRightWithoutRescanningOutput) {
  struct Case {
    std::string_view text;
    std::string_view from;
    std::string_view to;
    std::string_view expected;
  };
  const std::vector<Case> cases = {
      {"a-b-c", "-", "+", "a+b+c"},
      {"aaa", "aa", "b", "ba"},          // non-overlapping, from the left
      {"aXa", "a", "aa", "aaXaa"},       // replacements are not scanned again
      {"abab", "ab", "abab", "abababab"},
      {"hello", "", "x", "hello"},
      {"hello", "l", "", "heo"},
      {"", "a", "b", ""},
      {"año año", "ñ", "n", "ano ano"},
      {"x€", "\x82", "!", "x€"},  // never into the middle of a character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" " << c.from << " -> " << c.to);
    EXPECT_EQ(Replace(c.text, c.from, c.to), c.expected);
  }
}

TEST(TextTest, StartsWithAndEndsWithCompareWholeCharacters) {
  EXPECT_TRUE(StartsWith("año", "añ"));
  EXPECT_TRUE(StartsWith("año", ""));
  EXPECT_FALSE(StartsWith("año", "o"));
  EXPECT_FALSE(StartsWith("a", "ab"));
  EXPECT_FALSE(StartsWith("€", "\xE2"));  // the first byte of "€" is not its character
  EXPECT_TRUE(EndsWith("año", "ño"));
  EXPECT_TRUE(EndsWith("año", ""));
  EXPECT_FALSE(EndsWith("año", "a"));
  EXPECT_FALSE(EndsWith("€", "\xAC"));
  EXPECT_TRUE(EndsWith("\xE2\x82", "\x82"));  // here 82 is a character of its own
}

}  // namespace
}  // namespace mirvane
