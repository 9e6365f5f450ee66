#include "platform/text.h"

#include <cstdint>
#include <cstring>
#include <iterator>

namespace mirvane {

namespace {

// What a malformed byte decodes to. Callers that copy text keep the original
// byte instead, so reading a text never changes it.
constexpr char32_t kReplacementChar = 0xFFFD;

struct Decoded {
  char32_t c;
  std::size_t length;  // bytes taken, at least 1
  bool valid;
};

// Strict UTF-8: overlong forms, surrogates and numbers beyond U+10FFFF are
// malformed. A malformed sequence yields its first byte alone; the bytes after
// it are looked at again as characters of their own.
Decoded DecodeAt(std::string_view text, std::size_t pos) {
  const auto b0 = static_cast<unsigned char>(text[pos]);
  if (b0 < 0x80) return {b0, 1, true};
  const Decoded malformed{kReplacementChar, 1, false};
  std::size_t trail = 0;
  char32_t c = 0;
  char32_t smallest = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    trail = 1;
    c = b0 & 0x1Fu;
    smallest = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    trail = 2;
    c = b0 & 0x0Fu;
    smallest = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    trail = 3;
    c = b0 & 0x07u;
    smallest = 0x10000;
  } else {
    return malformed;
  }
  if (text.size() - pos <= trail) return malformed;
  for (std::size_t i = 1; i <= trail; ++i) {
    const auto b = static_cast<unsigned char>(text[pos + i]);
    if ((b & 0xC0u) != 0x80u) return malformed;
    c = (c << 6) | (b & 0x3Fu);
  }
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return malformed;
  return {c, trail + 1, true};
}

std::size_t CharLengthAt(std::string_view text, std::size_t pos) {
  return DecodeAt(text, pos).length;
}

// Byte offset of the 1-based character `position`; text.size() when the text
// is shorter. Position 0 is taken as 1.
std::size_t ByteOffsetOf(std::string_view text, std::size_t position) {
  std::size_t pos = 0;
  for (std::size_t n = 1; n < position && pos < text.size(); ++n) pos += CharLengthAt(text, pos);
  return pos;
}

// Advances `pos` by up to `count` characters.
std::size_t SkipChars(std::string_view text, std::size_t pos, std::size_t count) {
  for (std::size_t n = 0; n < count && pos < text.size(); ++n) pos += CharLengthAt(text, pos);
  return pos;
}

// True when a character of `text` starts at byte `target`, walking from the
// character boundary `from` (<= target).
bool IsBoundaryFrom(std::string_view text, std::size_t from, std::size_t target) {
  while (from < target) from += CharLengthAt(text, from);
  return from == target;
}

// Byte offset of the first occurrence of a non-empty `needle` at or after the
// character boundary `from` that begins and ends on character boundaries, or
// npos. Matching bytes alone could find a needle inside a character (a lone
// continuation byte of a malformed needle matches the middle of "€").
std::size_t FindWhole(std::string_view text, std::string_view needle, std::size_t from) {
  std::size_t boundary = from;
  while (boundary < text.size()) {
    const std::size_t hit = text.find(needle, boundary);
    if (hit == std::string_view::npos) return hit;
    while (boundary < hit) boundary += CharLengthAt(text, boundary);
    if (boundary == hit) {
      if (IsBoundaryFrom(text, hit, hit + needle.size())) return hit;
      boundary += CharLengthAt(text, boundary);
    }
  }
  return std::string_view::npos;
}

struct CaseRange {
  char32_t first;
  char32_t last;
  // Added to an upper-case letter to give its lower-case one.
  int delta;
  // Upper and lower case alternate within the range, starting with upper case
  // at `first`; only every second character is changed.
  bool alternating;
};

// Simple (one-to-one) lower-case mappings of the Latin, Greek and Cyrillic
// letters, sorted by `first`.
constexpr CaseRange kCaseRanges[] = {
    {0x0041, 0x005A, 32, false},
    {0x00C0, 0x00D6, 32, false},
    {0x00D8, 0x00DE, 32, false},
    {0x0100, 0x012F, 1, true},
    {0x0130, 0x0130, 0x0069 - 0x0130, false},  // dotted I loses its dot
    {0x0132, 0x0137, 1, true},
    {0x0139, 0x0148, 1, true},
    {0x014A, 0x0177, 1, true},
    {0x0178, 0x0178, 0x00FF - 0x0178, false},
    {0x0179, 0x017E, 1, true},
    {0x0181, 0x0181, 0x0253 - 0x0181, false},
    {0x0182, 0x0185, 1, true},
    {0x0186, 0x0186, 0x0254 - 0x0186, false},
    {0x0187, 0x0187, 1, false},
    {0x0189, 0x018A, 0x0256 - 0x0189, false},
    {0x018B, 0x018B, 1, false},
    {0x018E, 0x018E, 0x01DD - 0x018E, false},
    {0x018F, 0x018F, 0x0259 - 0x018F, false},
    {0x0190, 0x0190, 0x025B - 0x0190, false},
    {0x0191, 0x0191, 1, false},
    {0x0193, 0x0193, 0x0260 - 0x0193, false},
    {0x0194, 0x0194, 0x0263 - 0x0194, false},
    {0x0196, 0x0196, 0x0269 - 0x0196, false},
    {0x0197, 0x0197, 0x0268 - 0x0197, false},
    {0x0198, 0x0198, 1, false},
    {0x019C, 0x019C, 0x026F - 0x019C, false},
    {0x019D, 0x019D, 0x0272 - 0x019D, false},
    {0x019F, 0x019F, 0x0275 - 0x019F, false},
    {0x01A0, 0x01A5, 1, true},
    {0x01A6, 0x01A6, 0x0280 - 0x01A6, false},
    {0x01A7, 0x01A7, 1, false},
    {0x01A9, 0x01A9, 0x0283 - 0x01A9, false},
    {0x01AC, 0x01AC, 1, false},
    {0x01AE, 0x01AE, 0x0288 - 0x01AE, false},
    {0x01AF, 0x01AF, 1, false},
    {0x01B1, 0x01B2, 0x028A - 0x01B1, false},
    {0x01B3, 0x01B6, 1, true},
    {0x01B7, 0x01B7, 0x0292 - 0x01B7, false},
    {0x01B8, 0x01B8, 1, false},
    {0x01BC, 0x01BC, 1, false},
    // DŽ, LJ, NJ and DZ come as capital, title-case and small letters.
    {0x01C4, 0x01C4, 2, false},
    {0x01C5, 0x01C5, 1, false},
    {0x01C7, 0x01C7, 2, false},
    {0x01C8, 0x01C8, 1, false},
    {0x01CA, 0x01CA, 2, false},
    {0x01CB, 0x01DC, 1, true},
    {0x01DE, 0x01EF, 1, true},
    {0x01F1, 0x01F1, 2, false},
    {0x01F2, 0x01F5, 1, true},
    {0x01F6, 0x01F6, 0x0195 - 0x01F6, false},
    {0x01F7, 0x01F7, 0x01BF - 0x01F7, false},
    {0x01F8, 0x021F, 1, true},
    {0x0220, 0x0220, 0x019E - 0x0220, false},
    {0x0222, 0x0233, 1, true},
    {0x023A, 0x023A, 0x2C65 - 0x023A, false},
    {0x023B, 0x023B, 1, false},
    {0x023D, 0x023D, 0x019A - 0x023D, false},
    {0x023E, 0x023E, 0x2C66 - 0x023E, false},
    {0x0241, 0x0241, 1, false},
    {0x0243, 0x0243, 0x0180 - 0x0243, false},
    {0x0244, 0x0244, 0x0289 - 0x0244, false},
    {0x0245, 0x0245, 0x028C - 0x0245, false},
    {0x0246, 0x024F, 1, true},
    {0x0370, 0x0373, 1, true},
    {0x0376, 0x0376, 1, false},
    {0x037F, 0x037F, 0x03F3 - 0x037F, false},
    {0x0386, 0x0386, 0x03AC - 0x0386, false},
    {0x0388, 0x038A, 0x03AD - 0x0388, false},
    {0x038C, 0x038C, 0x03CC - 0x038C, false},
    {0x038E, 0x038F, 0x03CD - 0x038E, false},
    {0x0391, 0x03A1, 32, false},
    {0x03A3, 0x03AB, 32, false},
    {0x03CF, 0x03CF, 0x03D7 - 0x03CF, false},
    {0x03D8, 0x03EF, 1, true},
    {0x03F4, 0x03F4, 0x03B8 - 0x03F4, false},
    {0x03F7, 0x03F7, 1, false},
    {0x03F9, 0x03F9, 0x03F2 - 0x03F9, false},
    {0x03FA, 0x03FA, 1, false},
    {0x03FD, 0x03FF, 0x037B - 0x03FD, false},
    {0x0400, 0x040F, 80, false},
    {0x0410, 0x042F, 32, false},
    {0x0460, 0x0481, 1, true},
    {0x048A, 0x04BF, 1, true},
    {0x04C0, 0x04C0, 0x04CF - 0x04C0, false},
    {0x04C1, 0x04CE, 1, true},
    {0x04D0, 0x052F, 1, true},
    {0x1E00, 0x1E95, 1, true},
    {0x1E9E, 0x1E9E, 0x00DF - 0x1E9E, false},  // capital sharp s
    {0x1EA0, 0x1EFF, 1, true},
    {0x1F08, 0x1F0F, -8, false},
    {0x1F18, 0x1F1D, -8, false},
    {0x1F28, 0x1F2F, -8, false},
    {0x1F38, 0x1F3F, -8, false},
    {0x1F48, 0x1F4D, -8, false},
    {0x1F59, 0x1F59, -8, false},
    {0x1F5B, 0x1F5B, -8, false},
    {0x1F5D, 0x1F5D, -8, false},
    {0x1F5F, 0x1F5F, -8, false},
    {0x1F68, 0x1F6F, -8, false},
    {0x1F88, 0x1F8F, -8, false},
    {0x1F98, 0x1F9F, -8, false},
    {0x1FA8, 0x1FAF, -8, false},
    {0x1FB8, 0x1FB9, -8, false},
    {0x1FBA, 0x1FBB, 0x1F70 - 0x1FBA, false},
    {0x1FBC, 0x1FBC, -9, false},
    {0x1FC8, 0x1FCB, 0x1F72 - 0x1FC8, false},
    {0x1FCC, 0x1FCC, -9, false},
    {0x1FD8, 0x1FD9, -8, false},
    {0x1FDA, 0x1FDB, 0x1F76 - 0x1FDA, false},
    {0x1FE8, 0x1FE9, -8, false},
    {0x1FEA, 0x1FEB, 0x1F7A - 0x1FEA, false},
    {0x1FEC, 0x1FEC, -7, false},
    {0x1FF8, 0x1FF9, 0x1F78 - 0x1FF8, false},
    {0x1FFA, 0x1FFB, 0x1F7C - 0x1FFA, false},
    {0x1FFC, 0x1FFC, -9, false},
};

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  // A number that is no character would make the output malformed.
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacementChar;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t NextChar(std::string_view text, std::size_t& pos) {
  if (pos >= text.size()) return 0;
  const Decoded d = DecodeAt(text, pos);
  pos += d.length;
  return d.c;
}

std::size_t AsciiPrefixLength(std::string_view bytes) {
  std::size_t n = 0;
  // Eight bytes at a time while none has its high bit set.
  for (std::uint64_t word; n + 8 <= bytes.size(); n += 8) {
    std::memcpy(&word, bytes.data() + n, 8);
    if ((word & 0x8080808080808080u) != 0) break;
  }
  while (n < bytes.size() && static_cast<unsigned char>(bytes[n]) < 0x80) ++n;
  return n;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    pos += AsciiPrefixLength(bytes.substr(pos));  // valid as it stands
    if (pos == bytes.size()) break;
    const Decoded d = DecodeAt(bytes, pos);
    if (!d.valid) return false;
    pos += d.length;
  }
  return true;
}

std::size_t Len(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharLengthAt(text, pos)) ++count;
  return count;
}

std::string Mid(std::string_view text, std::size_t start, std::size_t count) {
  const std::size_t begin = ByteOffsetOf(text, start);
  const std::size_t end = SkipChars(text, begin, count);
  return std::string(text.substr(begin, end - begin));
}

std::string Left(std::string_view text, std::size_t count) {
  return std::string(text.substr(0, SkipChars(text, 0, count)));
}

std::string Right(std::string_view text, std::size_t count) {
  const std::size_t length = Len(text);
  if (count >= length) return std::string(text);
  return std::string(text.substr(SkipChars(text, 0, length - count)));
}

std::size_t InStr(std::string_view text, std::string_view needle, std::size_t start) {
  if (start == 0) start = 1;
  const std::size_t from = ByteOffsetOf(text, start);
  // ByteOffsetOf stops at the end, so check that `start` really exists (or is
  // the place just after the last character).
  if (from == text.size() && start > Len(text) + 1) return 0;
  if (needle.empty()) return start;
  const std::size_t hit = FindWhole(text, needle, from);
  if (hit == std::string_view::npos) return 0;
  std::size_t position = start;
  for (std::size_t pos = from; pos < hit; pos += CharLengthAt(text, pos)) ++position;
  return position;
}

char32_t LowerChar(char32_t c) {
  // Binary search for the last range that starts at or before `c`.
  std::size_t low = 0;
  std::size_t high = std::size(kCaseRanges);
  while (low < high) {
    const std::size_t mid = (low + high) / 2;
    if (kCaseRanges[mid].first <= c) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  if (low == 0) return c;
  const CaseRange& range = kCaseRanges[low - 1];
  if (c > range.last) return c;
  if (range.alternating && (c - range.first) % 2 != 0) return c;
  return static_cast<char32_t>(static_cast<long>(c) + range.delta);
}

std::string LCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const Decoded d = DecodeAt(text, pos);
    const char32_t lower = d.valid ? LowerChar(d.c) : d.c;
    if (d.valid && lower != d.c) {
      AppendUtf8(out, lower);
    } else {
      out.append(text.substr(pos, d.length));
    }
    pos += d.length;
  }
  return out;
}

char32_t UpperChar(char32_t c) {
  // The inverse of LowerChar: the capital whose small letter is `c`.
  for (const CaseRange& range : kCaseRanges) {
    const long upper = static_cast<long>(c) - range.delta;
    if (range.delta == 0 || upper < static_cast<long>(range.first) ||
        upper > static_cast<long>(range.last)) {
      continue;
    }
    const auto candidate = static_cast<char32_t>(upper);
    if (LowerChar(candidate) == c) return candidate;
  }
  return c;
}

std::string UCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const Decoded d = DecodeAt(text, pos);
    const char32_t upper = d.valid ? UpperChar(d.c) : d.c;
    if (d.valid && upper != d.c) {
      AppendUtf8(out, upper);
    } else {
      out.append(text.substr(pos, d.length));
    }
    pos += d.length;
  }
  return out;
}

std::string LTrim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string RTrim(std::string_view text) {
  const std::size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) {
  // A space byte is never part of a longer UTF-8 character, so cutting bytes
  // here cannot split one.
  return RTrim(LTrim(text));
}

std::string Replace(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t hit = FindWhole(text, from, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.starts_with(prefix) && IsBoundaryFrom(text, 0, prefix.size());
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.ends_with(suffix) && IsBoundaryFrom(text, 0, text.size() - suffix.size());
}

}  // namespace mirvane
