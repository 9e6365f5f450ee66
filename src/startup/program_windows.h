// Puts the program's windows together under their names.
#pragma once

#include "startup/app.h"

namespace mirvane {

void RegisterProgramWindows(App& app);

}  // namespace mirvane
