// The program on a POSIX host. Until the desktop front end is in place this
// runs start-up with message boxes and windows on the terminal.
#include <iostream>

#include "platform/posix_platform.h"
#include "startup/program_windows.h"
#include "startup/startup.h"

int main() {
  mirvane::PosixPlatform host;
  mirvane::App app(host.platform());
  mirvane::RegisterProgramWindows(app);
  mirvane::RunStartup(app);
  std::cout << "program folder: " << app.AppFolder << "\n"
            << "content folder: " << app.ContentFolder << "\n"
            << "data folder:    " << app.DataFolder << " ("
            << app.platform.files.DisplayPath(app.DataFolder) << ")\n"
            << "language:       " << app.Language << "\n";
  if (!app.CurrentUser.empty()) std::cout << "learner:        " << app.CurrentUser << "\n";
  return 0;
}
