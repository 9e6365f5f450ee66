#include "platform/codepage.h"

#include <optional>

#include "platform/text.h"

namespace mirvane {

namespace {

// Bytes 80..9F of Windows-1252. The five bytes it leaves undefined stand for
// the C1 control of the same number, so every byte reads as some character.
constexpr char32_t kHighControlsRow[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The Windows-1252 byte of `c`, if it has one. The C1 controls other than the
// five undefined bytes have none: their numbers belong to other characters.
std::optional<unsigned char> AnsiByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (unsigned i = 0; i < 32; ++i) {
    if (kHighControlsRow[i] == c) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace

char32_t CharFromAnsiByte(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHighControlsRow[b - 0x80];
  return b;
}

long CharCode(char32_t c) {
  // Every character up to U+00FF, the C1 controls included, keeps its own
  // number; see the header for why the controls do.
  if (c <= 0xFF) return static_cast<long>(c);
  if (const auto b = AnsiByteOf(c)) return *b;
  return static_cast<long>(c);
}

bool CharFromCode(long code, char32_t& out) {
  if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
  out = code <= 0xFF ? CharFromAnsiByte(static_cast<unsigned char>(code))
                     : static_cast<char32_t>(code);
  return true;
}

bool FitsAnsi(std::string_view text) {
  // A malformed byte reads as U+FFFD, which has no byte, so such a text is
  // written as UTF-8 with its bytes unchanged rather than turned into "?".
  for (std::size_t pos = AsciiPrefixLength(text); pos < text.size();
       pos += AsciiPrefixLength(text.substr(pos))) {
    if (!AnsiByteOf(NextChar(text, pos))) return false;
  }
  return true;
}

std::string DecodeAnsi(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t ascii = AsciiPrefixLength(bytes.substr(pos));
    out.append(bytes.substr(pos, ascii));
    pos += ascii;
    if (pos < bytes.size()) AppendUtf8(out, CharFromAnsiByte(static_cast<unsigned char>(bytes[pos++])));
  }
  return out;
}

std::string EncodeAnsi(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t ascii = AsciiPrefixLength(text.substr(pos));
    out.append(text.substr(pos, ascii));
    pos += ascii;
    if (pos < text.size()) {
      const auto b = AnsiByteOf(NextChar(text, pos));
      out += b ? static_cast<char>(*b) : '?';
    }
  }
  return out;
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::Detect) {
    if (bytes.starts_with(kByteOrderMark)) return std::string(bytes.substr(kByteOrderMark.size()));
    // ASCII reads the same either way, so valid UTF-8 needs no further test.
    if (IsValidUtf8(bytes)) return std::string(bytes);
  }
  return DecodeAnsi(bytes);
}

std::string EncodeText(std::string_view text) {
  if (FitsAnsi(text)) {
    std::string ansi = EncodeAnsi(text);
    // A few code-page texts have bytes that the detecting reader takes for
    // UTF-8: "Ã©" is C3 A9, which is "é" in UTF-8, and "ï»¿" is the byte-order
    // mark. Those are written as UTF-8 too, so that every text reads back as
    // it was written.
    if (DecodeText(ansi, TextEncoding::Detect) == text) return ansi;
  }
  std::string out(kByteOrderMark);
  out.append(text);
  return out;
}

}  // namespace mirvane
