#include "records/value_encoding.h"

#include <gtest/gtest.h>

namespace mirvane {
namespace {

TEST(ValueEncodingTest, EncodesEachCharacterAsItsCode) {
  EXPECT_EQ(EncodeValue("abc"), "97%98%99%");
  EXPECT_EQ(EncodeValue(""), "");
  EXPECT_EQ(EncodeValue("é"), "233%");
  EXPECT_EQ(EncodeValue(" "), "32%");
  EXPECT_EQ(EncodeValue("€"), "128%");       // its Windows-1252 byte
  EXPECT_EQ(EncodeValue("→中"), "8594%20013%");  // beyond the code page: the code point
}

TEST(ValueEncodingTest, DecodesAnyDelimiterAndLeadingNumbers) {
  struct Case {
    const char* encoded;
    std::string plain;
  } cases[] = {
      {"97%98%99%", "abc"},
      {"97.98:99_", "abc"},
      {"97%98", "a"},  // a code without its delimiter is dropped
      {"%%", std::string("\0\0", 2)},
      {"65A66B", "AB"},
      {"9a7%", "\t"},    // the run "9a7" reads as 9
      {"7x%", "\a"},
      {"97.5%", "a\x05"},  // "." ends the code: 97, then 5
      {"9.75e1%", "\t\u02EE"},  // "." ends the 9; the run "75e1" is 750
      {" 98%", "b"},
      {"233%8594%", "é→"},
  };
  for (const Case& c : cases) {
    auto decoded = DecodeValue(c.encoded);
    ASSERT_TRUE(decoded.has_value()) << c.encoded;
    EXPECT_EQ(*decoded, c.plain) << c.encoded;
  }
}

TEST(ValueEncodingTest, CodesThatNameNoCharacterDoNotDecode) {
  for (const char* bad : {"-5%", "55296%", "1114112%", "99999999999999999999%", "1e400%"}) {
    EXPECT_FALSE(DecodeValue(bad).has_value()) << bad;
  }
}

TEST(ValueEncodingTest, EveryTextRoundTrips) {
  const std::string texts[] = {
      "", "plain", "line\r\nbreak", "quote \" comma , caret ^ percent %",
      "áéíóúñ ¿¡ €‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ",
      "→ 中文 😀 ĳ", std::string(40'000, 'x') + "long notes",
  };
  for (const std::string& t : texts) {
    auto decoded = DecodeValue(EncodeValue(t));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, t);
  }
}

TEST(ValueEncodingTest, CodeDelimitersAreExactlyTheSeventeen) {
  for (const char* d : {".", ":", "+", "#", ";", "&", "?", "%", "*", "@", "A", "B", "C", "D", "E",
                        "F", "_"}) {
    EXPECT_TRUE(IsCodeDelimiter(d)) << d;
  }
  for (const char* n : {"f", "a", "^", "-", "0", "9", "G", "", "%%", " "}) {
    EXPECT_FALSE(IsCodeDelimiter(n)) << n;
  }
}

}  // namespace
}  // namespace mirvane
