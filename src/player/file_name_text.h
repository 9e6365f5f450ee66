// A date-time text made fit to stand in a file name.
#pragma once

#include <string>
#include <string_view>

namespace mirvane {

// Every ":" becomes "." and then every "/" becomes "-":
// "09/12/2026 13:37:02" gives "09-12-2026 13.37.02".
std::string ToFileNameText(std::string_view text);

}  // namespace mirvane
