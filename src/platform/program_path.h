// Which file a program's path text names on this host.
//
// Courses name programs the Windows way ("K1\mirvane.exe"). The path names
// that file when it exists; otherwise, when it ends in ".exe" (any case), the
// file of the same folder and name without the extension stands for it, as
// programs on POSIX hosts carry none. This is the one place that decides it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace mirvane {

// `file_exists` tells whether a path text names an existing file. Returns the
// path text to start; the path itself when neither exists.
std::string ResolveProgramPath(std::string_view path,
                               const std::function<bool(std::string_view)>& file_exists);

}  // namespace mirvane
