#include "records/value_encoding.h"

#include "platform/codepage.h"
#include "platform/numbers.h"
#include "platform/text.h"

namespace mirvane {

std::string EncodeValue(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 4);
  std::size_t pos = 0;
  while (pos < text.size()) {
    out += std::to_string(CharCode(NextChar(text, pos)));
    out += '%';
  }
  return out;
}

bool IsCodeDelimiterChar(char32_t c) {
  switch (c) {
    case U'.': case U':': case U'+': case U'#': case U';': case U'&': case U'?': case U'%':
    case U'*': case U'@': case U'A': case U'B': case U'C': case U'D': case U'E': case U'F':
    case U'_':
      return true;
    default:
      return false;
  }
}

bool IsCodeDelimiter(std::string_view ch) {
  std::size_t pos = 0;
  if (ch.empty()) return false;
  char32_t c = NextChar(ch, pos);
  return pos == ch.size() && IsCodeDelimiterChar(c);
}

std::optional<std::string> DecodeValue(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 3);
  std::size_t pos = 0;
  std::size_t pending_start = 0;
  while (pos < text.size()) {
    std::size_t at = pos;
    char32_t c = NextChar(text, pos);
    if (!IsCodeDelimiterChar(c)) continue;
    double number = RoundHalfEven(LeadingNumberValue(text.substr(pending_start, at - pending_start)));
    char32_t decoded;
    if (!(number >= -1.0 && number <= 2147483647.0) ||
        !CharFromCode(static_cast<long>(number), decoded)) {
      return std::nullopt;
    }
    AppendUtf8(out, decoded);
    pending_start = pos;
  }
  return out;
}

}  // namespace mirvane
