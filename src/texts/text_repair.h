// Repairs UTF-8 text that was read as Windows-1252: the letters and marks of
// Spanish text, quotation marks and dashes come back, the byte-order mark and
// stray "Â" go.
#pragma once

#include <string>
#include <string_view>

namespace mirvane {

std::string RepairText(std::string_view text);

}  // namespace mirvane
