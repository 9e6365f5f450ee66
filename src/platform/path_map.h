// Maps the program's Windows-style path texts onto host paths.
//
// - "\" and "/" both separate folders; repeated separators count as one.
// - A path that begins with a drive letter and ":" starts at that drive's
//   root, which the map is given per letter.
// - A path that begins with "/" is an absolute host path and stays one (under
//   `root`, which is "/" on a real host).
// - A path that begins with "\" starts at the root of drive C.
// - Any other path is relative to drive C's root as well: the program builds
//   every path from absolute folders, so this only catches stray texts.
// - "." steps nowhere and ".." steps up one folder, by the text alone, as
//   Windows resolves them; a ".." at a root stays at the root.
// - A trailing separator is kept, so a folder text stays a folder text.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace mirvane {

class PathMap {
 public:
  // `drive_root` gives the host folder of a drive letter (always upper case).
  PathMap(std::function<std::string(char)> drive_root, std::string root);

  std::string ToHost(std::string_view path) const;

 private:
  std::function<std::string(char)> drive_root_;
  std::string root_;
};

// The map of a real POSIX host: C: is the user's home folder, any other drive
// letter X: is /mnt/x (where systems mount Windows drives), "/" is "/".
PathMap PosixPathMap(std::string home);

}  // namespace mirvane
