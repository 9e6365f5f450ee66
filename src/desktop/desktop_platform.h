// The platform of the desktop program: the host's files, clock and programs,
// and Qt's windows, browsers and message boxes.
#pragma once

#include <memory>

#include "desktop/qt_dialogs.h"
#include "desktop/qt_window_system.h"
#include "platform/host_file_system.h"
#include "platform/platform.h"

namespace mirvane {

// Makes the pictures compiled into the program available (the desktop code is
// a static library, whose resources are not registered by themselves).
void InitDesktopResources();

class DesktopPlatform {
 public:
  DesktopPlatform();
  // A program in `program_folder` whose drive C is `home`, and whose programs
  // start and end through `processes` (tests keep the process alive).
  DesktopPlatform(std::string program_folder, std::string home,
                  std::unique_ptr<Processes> processes);
  Platform platform();
  QtWindowSystem& windows() { return windows_; }
  QtDialogs& dialogs() { return dialogs_; }

 private:
  HostFileSystem files_;
  std::unique_ptr<Clock> clock_;
  QtDialogs dialogs_;
  std::unique_ptr<Processes> processes_;
  QtWindowSystem windows_;
};

}  // namespace mirvane
