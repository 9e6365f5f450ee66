// The user-interface texts by key (l1..l44, e1..e5) in Spanish, English,
// French and Portuguese.
#pragma once

#include <string>
#include <string_view>

#include "startup/app.h"

namespace mirvane {

// The text of `key` (compared in lower case) in app.Language: "es", "pt" and
// "fr" select their language, anything else English. Reads the setting
// "languagestyle" on every call ("0": formal Spanish) and "customize" for l5.
// A key the table lacks is returned lower-cased.
std::string GetText(App& app, std::string_view key);

}  // namespace mirvane
