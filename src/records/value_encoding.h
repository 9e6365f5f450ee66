// The encoding of keys and values in learner record files: each character as
// its code in decimal followed by "%" (codepage.h defines the codes). Encoded
// texts hold digits and "%" only, so they never clash with the record file's
// separators, and no text is stored readable.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mirvane {

std::string EncodeValue(std::string_view text);

// The plain text, or nothing when a code names no character (negative, a
// surrogate, beyond U+10FFFF). Any of the code delimiters ends a code; the
// run before it is read as its leading number, made whole; characters after
// the last delimiter are dropped.
std::optional<std::string> DecodeValue(std::string_view text);

// True for the 17 characters that end a code: . : + # ; & ? % * @ A B C D E F _
bool IsCodeDelimiter(std::string_view ch);
bool IsCodeDelimiterChar(char32_t c);

}  // namespace mirvane
