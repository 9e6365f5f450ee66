#include "startup/item_reader.h"

#include <cstdint>
#include <cstring>

namespace mirvane {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

constexpr std::uint64_t kOnes = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;

// True when some byte of `word` is `c` (the classic zero-byte test on the
// word with `c` cleared out; it never misses and never reports a byte that
// is not there).
bool HasByte(std::uint64_t word, unsigned char c) {
  const std::uint64_t x = word ^ (kOnes * c);
  return ((x - kOnes) & ~x & kHighBits) != 0;
}

// The first comma or line end at or after `pos`, or the end of the text.
// Record and settings files are read whole for every operation, so this
// scan is the reader's hot loop: it steps over eight bytes at a time while
// none of them ends an item.
std::size_t ItemEnd(std::string_view text, std::size_t pos) {
  const std::size_t n = text.size();
  for (std::uint64_t word; pos + 8 <= n; pos += 8) {
    std::memcpy(&word, text.data() + pos, 8);
    if (HasByte(word, ',') || HasByte(word, '\r') || HasByte(word, '\n')) break;
  }
  while (pos < n && text[pos] != ',' && !IsLineEnd(text[pos])) ++pos;
  return pos;
}

}  // namespace

bool ItemReader::Next(std::string_view& item) {
  const std::size_t n = text_.size();
  if (pos_ >= n) return false;
  while (pos_ < n && text_[pos_] == ' ') ++pos_;

  std::size_t end;  // where the terminator search starts
  quoted_ = pos_ < n && text_[pos_] == '"';
  if (quoted_) {
    std::size_t start = pos_ + 1;
    std::size_t close = text_.find('"', start);
    if (close == std::string_view::npos) close = n;
    item = text_.substr(start, close - start);
    end = ItemEnd(text_, close < n ? close + 1 : n);
  } else {
    std::size_t start = pos_;
    end = ItemEnd(text_, start);
    std::size_t last = end;
    while (last > start && text_[last - 1] == ' ') --last;
    item = text_.substr(start, last - start);
  }

  // Step over the terminator: a comma, CR LF, or a lone CR or LF.
  pos_ = end;
  if (pos_ < n) {
    if (text_[pos_] == '\r' && pos_ + 1 < n && text_[pos_ + 1] == '\n') {
      pos_ += 2;
    } else {
      ++pos_;
    }
  }
  return true;
}

}  // namespace mirvane
