// The program's single-byte code page: Windows-1252.
//
// Text files are read and written in this code page, and the record encoding
// writes a character as its code in it. The five bytes that Windows-1252
// leaves undefined (81, 8D, 8F, 90, 9D) read as U+0081, U+008D, U+008F, U+0090
// and U+009D.
//
// Characters outside the code page:
//  - Character codes: a character the code page lacks has its Unicode code
//    point as its code (always above 255), so every text survives a trip
//    through its codes.
//  - The C1 control characters U+0080..U+009F other than the five above share
//    their numbers with Windows-1252 characters (U+0080 and the euro sign are
//    both 128). Such a character gets the code of its own number and therefore
//    comes back as the Windows-1252 character of that byte. These controls are
//    what text mis-decoded as Latin-1 holds, so this restores what was meant.
//  - Files: a text that the code page can hold entirely is written in it;
//    otherwise the whole file is written as UTF-8 behind a byte-order mark,
//    which the detecting reader recognises. So is the rare code-page text whose
//    bytes would themselves read as UTF-8 ("Ã©" is the UTF-8 of "é"), so that
//    every text reads back as it was written.
#pragma once

#include <string>
#include <string_view>

namespace mirvane {

// The character that byte `b` stands for in Windows-1252.
char32_t CharFromAnsiByte(unsigned char b);

// The code of `c`: its Windows-1252 byte when it has one, else its code point.
long CharCode(char32_t c);

// The character of code `code`; false for negative codes, surrogates and
// numbers beyond U+10FFFF.
bool CharFromCode(long code, char32_t& out);

// True when every character of `text` has a Windows-1252 byte.
bool FitsAnsi(std::string_view text);

// Windows-1252 bytes to UTF-8 text.
std::string DecodeAnsi(std::string_view bytes);

// UTF-8 text to Windows-1252 bytes. A character without a byte becomes "?";
// callers that must not lose characters check FitsAnsi first.
std::string EncodeAnsi(std::string_view text);

enum class TextEncoding {
  // Strictly Windows-1252, as course content files are read before repair.
  Ansi,
  // UTF-8 when the bytes begin with a byte-order mark (which is dropped), or
  // are valid UTF-8 and hold a non-ASCII character; Windows-1252 otherwise.
  Detect,
};

std::string DecodeText(std::string_view bytes, TextEncoding encoding);

// The bytes a text file holding `text` is written as (see above).
std::string EncodeText(std::string_view text);

}  // namespace mirvane
