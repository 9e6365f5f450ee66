// The program's entry: fixes the folders and global state, prepares the
// learner data folder and shows the first window.
#pragma once

#include "startup/app.h"

namespace mirvane {

inline constexpr const char* kAnonymousUser = "anonymous_iusr_localmachine_x86";

// Runs the start-up steps in order and returns once the first window is shown.
// Ends the program through the platform when there is no course code.
// A missing settings file throws SettingsFileError.
void Startup(App& app);

// Start-up as the program runs it: a missing or unreadable settings file ends
// the program with a message naming the file and a non-zero exit status
// (kExitNoSettings) before any window opens.
void RunStartup(App& app);

inline constexpr int kExitNoSettings = 2;

}  // namespace mirvane
