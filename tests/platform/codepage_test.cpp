#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"

namespace mirvane {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string Utf8(char32_t c) {
  std::string out;
  AppendUtf8(out, c);
  return out;
}

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

bool IsUndefinedAnsiByte(long b) {
  return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

TEST(CodepageTest, BytesReadAsWindows1252Characters) {
  struct Case {
    unsigned char byte;
    char32_t c;
  };
  const std::vector<Case> cases = {
      {0x00, U'\0'},     {0x41, U'A'},      {0x7F, 0x7F},      {0x80, U'€'},
      {0x82, 0x201A},      {0x8A, U'Š'},      {0x8C, U'Œ'},      {0x93, U'“'},
      {0x96, U'–'},      {0x99, U'™'},      {0x9F, U'Ÿ'},      {0xA0, 0xA0},
      {0xE9, U'é'},      {0xFF, U'ÿ'},
      // The bytes the code page leaves undefined read as the C1 control of
      // the same number.
      {0x81, 0x81},      {0x8D, 0x8D},      {0x8F, 0x8F},      {0x90, 0x90},
      {0x9D, 0x9D},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharFromAnsiByte(c.byte), c.c) << "byte " << static_cast<int>(c.byte);
  }
}

TEST(CodepageTest, CharCodeIsTheAnsiByteOrElseTheCodePoint) {
  struct Case {
    char32_t c;
    long code;
  };
  const std::vector<Case> cases = {
      {U'A', 65},         {U'é', 0xE9},        {U'€', 128},       {U'Œ', 140},
      {U'™', 153},        {U'Ÿ', 159},         {0x81, 0x81},      {0x9D, 0x9D},
      {0x80, 128},        // a C1 control keeps its own number
      {0x9F, 159},        {U'ĳ', 0x133},       {U'→', 0x2192},    {U'中', 0x4E2D},
      {U'😀', 0x1F600},   {0x10FFFF, 0x10FFFF},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharCode(c.c), c.code) << "U+" << std::hex << static_cast<unsigned>(c.c);
  }
}

TEST(CodepageTest, CharFromCodeRefusesNumbersThatAreNoCharacter) {
  for (const long code : {-1L, -128L, 0xD800L, 0xDBFFL, 0xDC00L, 0xDFFFL, 0x110000L, 0x7FFFFFFFL}) {
    char32_t out = U'x';
    EXPECT_FALSE(CharFromCode(code, out)) << code;
  }
  for (const long code : {0L, 0xD7FFL, 0xE000L, 0x10FFFFL}) {
    char32_t out = U'x';
    ASSERT_TRUE(CharFromCode(code, out)) << code;
    EXPECT_EQ(out, static_cast<char32_t>(code));
  }
}

TEST(CodepageTest, EveryByteCodeSurvivesTheTripThroughItsCharacter) {
  for (long b = 0; b < 256; ++b) {
    char32_t c = 0;
    ASSERT_TRUE(CharFromCode(b, c)) << b;
    EXPECT_EQ(c, CharFromAnsiByte(static_cast<unsigned char>(b))) << b;
    EXPECT_EQ(CharCode(c), b) << b;
  }
}

TEST(CodepageTest, CharactersUpToU00FFComeBackFromTheirCodes) {
  for (char32_t c = 0; c <= 0xFF; ++c) {
    SCOPED_TRACE(testing::Message() << "U+" << std::hex << static_cast<unsigned>(c));
    char32_t back = 0;
    ASSERT_TRUE(CharFromCode(CharCode(c), back));
    if (c >= 0x80 && c <= 0x9F && !IsUndefinedAnsiByte(static_cast<long>(c))) {
      // A C1 control comes back as the code page's character for its number.
      EXPECT_NE(back, c);
      EXPECT_EQ(EncodeAnsi(Utf8(back)), std::string(1, static_cast<char>(c)));
    } else {
      EXPECT_EQ(back, c);
    }
  }
  char32_t back = 0;
  ASSERT_TRUE(CharFromCode(CharCode(0x80), back));
  EXPECT_EQ(back, U'€');
  ASSERT_TRUE(CharFromCode(CharCode(0x9F), back));
  EXPECT_EQ(back, U'Ÿ');
}

TEST(CodepageTest, CharactersBeyondU00FFComeBackFromTheirCodes) {
  for (const char32_t c : {U'Œ', U'€', U'™', U'ĳ', U'→', U'中', U'😀', U'\uFFFD', U'\U0010FFFF'}) {
    char32_t back = 0;
    ASSERT_TRUE(CharFromCode(CharCode(c), back)) << static_cast<unsigned>(c);
    EXPECT_EQ(back, c) << static_cast<unsigned>(c);
  }
}

TEST(CodepageTest, FitsAnsiOnlyWhenEveryCharacterHasAByte) {
  struct Case {
    std::string_view text;
    bool fits;
  };
  const std::vector<Case> cases = {
      {"", true},
      {"plain ASCII", true},
      {"café – “€” Œuvre™", true},
      {"\u0081\u008D\u008F\u0090\u009D", true},
      {"\u0080", false},  // its number belongs to "€"
      {"ĳ", false},
      {"a中", false},
      {"😀", false},
      {"\xFF", false},  // a malformed byte has no character to write
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(FitsAnsi(c.text), c.fits);
  }
}

TEST(CodepageTest, AnsiCodecCoversAllBytes) {
  const std::string bytes = AllBytes();
  const std::string text = DecodeAnsi(bytes);
  EXPECT_TRUE(IsValidUtf8(text));
  EXPECT_EQ(Len(text), 256u);
  EXPECT_TRUE(FitsAnsi(text));
  EXPECT_EQ(EncodeAnsi(text), bytes);
}

TEST(CodepageTest, AnsiCodecExamples) {
  EXPECT_EQ(DecodeAnsi("\x93" "caf\xE9\x94 \x80" "5"), "“café” €5");
  EXPECT_EQ(EncodeAnsi("“café” €5"), "\x93" "caf\xE9\x94 \x80" "5");
  EXPECT_EQ(EncodeAnsi("a中b😀"), "a?b?");
  EXPECT_EQ(EncodeAnsi("\u0080"), "?");
  EXPECT_EQ(EncodeAnsi("x\xFFy"), "x?y");
}

TEST(CodepageTest, DetectingReaderChoosesTheEncoding) {
  struct Case {
    std::string_view name;
    std::string bytes;
    std::string_view text;
  };
  const std::vector<Case> cases = {
      {"empty", "", ""},
      {"ASCII", "plain", "plain"},
      {"byte-order mark is dropped", std::string(kByteOrderMark) + "h\xC3\xA9llo", "héllo"},
      {"byte-order mark alone", std::string(kByteOrderMark), ""},
      {"byte-order mark before ASCII", std::string(kByteOrderMark) + "abc", "abc"},
      {"UTF-8 without mark", "h\xC3\xA9llo \xE4\xB8\xAD", "héllo 中"},
      {"code page", "caf\xE9", "café"},
      {"code page quotes", "\x93hi\x94", "“hi”"},
      {"UTF-8 spoilt by one code-page byte", "\xC3\xA9 \xE9", "Ã© é"},
      {"truncated UTF-8 at the end", "ok\xE2\x82", "okâ\u201A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeText(c.bytes, TextEncoding::Detect), c.text);
  }
}

TEST(CodepageTest, AnsiReaderIgnoresUtf8) {
  EXPECT_EQ(DecodeText(std::string(kByteOrderMark) + "a", TextEncoding::Ansi), "ï»¿a");
  EXPECT_EQ(DecodeText("h\xC3\xA9llo", TextEncoding::Ansi), "hÃ©llo");
  EXPECT_EQ(DecodeText("caf\xE9", TextEncoding::Ansi), "café");
}

TEST(CodepageTest, EncodeTextWritesTheCodePageWhenItCanOtherwiseMarkedUtf8) {
  EXPECT_EQ(EncodeText(""), "");
  EXPECT_EQ(EncodeText("plain"), "plain");
  EXPECT_EQ(EncodeText("“café” €5"), "\x93" "caf\xE9\x94 \x80" "5");
  EXPECT_EQ(EncodeText("café 中"), std::string(kByteOrderMark) + "café 中");
  EXPECT_EQ(EncodeText("\u0080"), std::string(kByteOrderMark) + "\u0080");
  // These fit the code page, but their bytes would read back as UTF-8.
  EXPECT_EQ(EncodeText("Ã©"), std::string(kByteOrderMark) + "Ã©");
  EXPECT_EQ(EncodeText("ï»¿x"), std::string(kByteOrderMark) + "ï»¿x");
}

TEST(CodepageTest, EveryTextReadsBackAsWritten) {
  const std::vector<std::string> texts = {
      "",
      "plain ASCII\r\nsecond line\t",
      "café – “quoted” €100 Œuvre™",
      "\u0081\u008D\u008F\u0090\u009D",
      "\u0080 and \u009F",  // C1 controls that have no byte
      "Ã©",                 // code-page text that looks like UTF-8
      "ï»¿ at the start",
      "ĳ",
      "中文",
      "a😀b → c",
      "café 中",
      "\xFF" "malformed \xE2\x82",
      DecodeAnsi(AllBytes()),
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(DecodeText(EncodeText(text), TextEncoding::Detect), text);
  }
}

}  // namespace
}  // namespace mirvane
