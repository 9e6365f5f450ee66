#include "player/file_name_text.h"

#include "platform/text.h"

namespace mirvane {

std::string ToFileNameText(std::string_view text) {
  return Replace(Replace(text, ":", "."), "/", "-");
}

}  // namespace mirvane
