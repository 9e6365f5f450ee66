// The page command interpreter: course pages call the player by navigating
// its browser to addresses that hold command keywords. Every navigation of the
// player's browser passes through here before it happens.
#pragma once

#include <string>

#include "startup/app.h"

namespace mirvane {

class FrmMain;

// Looks for each command keyword in the lowercased address, in a fixed order,
// and carries out every command it finds. Sets cancel when the navigation
// must not happen.
void RunPageCommands(App& app, FrmMain& player, const std::string& url, bool& cancel);

}  // namespace mirvane
