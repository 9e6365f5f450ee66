#include "startup/item_reader.h"

namespace mirvane {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

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
    end = close < n ? close + 1 : n;
    while (end < n && text_[end] != ',' && !IsLineEnd(text_[end])) ++end;
  } else {
    std::size_t start = pos_;
    end = start;
    while (end < n && text_[end] != ',' && !IsLineEnd(text_[end])) ++end;
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
