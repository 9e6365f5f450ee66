#include "platform/path_map.h"

#include <cctype>
#include <utility>
#include <vector>

namespace mirvane {

PathMap::PathMap(std::function<std::string(char)> drive_root, std::string root)
    : drive_root_(std::move(drive_root)), root_(std::move(root)) {}

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string JoinUnder(std::string base, const std::vector<std::string_view>& parts,
                      bool trailing) {
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  std::string out = base;
  for (std::string_view part : parts) {
    if (out.empty() || out.back() != '/') out += '/';
    out += part;
  }
  if (trailing && (out.empty() || out.back() != '/')) out += '/';
  return out;
}

}  // namespace

std::string PathMap::ToHost(std::string_view path) const {
  std::string base;
  std::string_view rest = path;
  if (rest.size() >= 2 && std::isalpha(static_cast<unsigned char>(rest[0])) && rest[1] == ':') {
    base = drive_root_(static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0]))));
    rest.remove_prefix(2);
  } else if (!rest.empty() && rest[0] == '/') {
    base = root_;
  } else {
    base = drive_root_('C');
  }

  // Resolve "." and ".." by the text alone, as Windows does.
  std::vector<std::string_view> parts;
  std::size_t i = 0;
  while (i < rest.size()) {
    while (i < rest.size() && IsSeparator(rest[i])) ++i;
    std::size_t start = i;
    while (i < rest.size() && !IsSeparator(rest[i])) ++i;
    std::string_view part = rest.substr(start, i - start);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  bool trailing = !rest.empty() && IsSeparator(rest.back());
  return JoinUnder(base, parts, trailing && !parts.empty());
}

PathMap PosixPathMap(std::string home) {
  return PathMap(
      [home = std::move(home)](char letter) -> std::string {
        if (letter == 'C') return home;
        return std::string("/mnt/") + static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
      },
      "/");
}

}  // namespace mirvane
