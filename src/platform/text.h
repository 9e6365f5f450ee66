// Character-wise operations on UTF-8 text.
//
// The program holds every text in memory as UTF-8. Lengths, positions and cuts
// count characters (code points), never bytes, so no operation splits a
// character. Positions are 1-based, as the program's procedures count them;
// 0 means "not found". A byte that is not part of valid UTF-8 counts as one
// character of its own, so malformed input never stalls a loop.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mirvane {

// Appends the UTF-8 form of code point `c` to `out`.
void AppendUtf8(std::string& out, char32_t c);

// Decodes the character that starts at byte offset `pos`; advances `pos` past it.
char32_t NextChar(std::string_view text, std::size_t& pos);

bool IsValidUtf8(std::string_view bytes);

// The number of ASCII bytes at the start of `bytes`. ASCII reads the same in
// UTF-8 and Windows-1252, so the codecs copy such runs whole: the program's
// files are nearly all ASCII, and every read and write goes through them.
std::size_t AsciiPrefixLength(std::string_view bytes);

std::size_t Len(std::string_view text);

// Characters from 1-based position `start`, at most `count` of them.
std::string Mid(std::string_view text, std::size_t start,
                std::size_t count = std::string_view::npos);
std::string Left(std::string_view text, std::size_t count);
std::string Right(std::string_view text, std::size_t count);

// 1-based character position of the first `needle` at or after character
// `start`, or 0. An empty needle is found at `start` (when start <= Len + 1).
std::size_t InStr(std::string_view text, std::string_view needle, std::size_t start = 1);

// Lower-cases letters of the Latin, Greek and Cyrillic alphabets.
std::string LCase(std::string_view text);
char32_t LowerChar(char32_t c);
// Upper-cases the letters that LCase lower-cases.
std::string UCase(std::string_view text);
char32_t UpperChar(char32_t c);

// Drop spaces (only U+0020) at the ends.
std::string Trim(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);

// Every non-overlapping occurrence of `from`, left to right; the output of a
// replacement is not scanned again. An empty `from` changes nothing.
std::string Replace(std::string_view text, std::string_view from, std::string_view to);

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);

}  // namespace mirvane
