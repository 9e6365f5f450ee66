// Item-wise reading: the one rule by which the program reads its text files
// (settings, learner records, comment files, screen content files).
//
// - The text is a sequence of items; an item ends at a comma or at a line end
//   (CR LF, or a lone CR or LF).
// - Spaces before and after an item are dropped.
// - An item that begins with a double quote runs to the next double quote
//   (line ends included); the quotes are removed, and anything after the
//   closing quote up to the next comma or line end is skipped.
#pragma once

#include <string_view>

namespace mirvane {

class ItemReader {
 public:
  explicit ItemReader(std::string_view text) : text_(text) {}

  // The next item, a view into the text; false at the end of the text.
  bool Next(std::string_view& item);

  // True when the last item began with a double quote. A writer that keeps
  // items puts such an item back in quotes, so that its commas and line ends
  // stay inside it.
  bool quoted() const { return quoted_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool quoted_ = false;
};

}  // namespace mirvane
