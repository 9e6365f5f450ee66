#include "platform/program_path.h"

#include "platform/text.h"

namespace mirvane {

std::string ResolveProgramPath(std::string_view path,
                               const std::function<bool(std::string_view)>& file_exists) {
  if (file_exists(path)) return std::string(path);
  if (path.size() > 4 && LCase(path.substr(path.size() - 4)) == ".exe") {
    std::string_view bare = path.substr(0, path.size() - 4);
    if (file_exists(bare)) return std::string(bare);
  }
  return std::string(path);
}

}  // namespace mirvane
