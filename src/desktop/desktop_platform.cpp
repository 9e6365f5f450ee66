#include "desktop/desktop_platform.h"

#include <QtCore/qglobal.h>

#include "platform/posix_platform.h"

static void InitResourcesOutsideNamespace() { Q_INIT_RESOURCE(resources); }

namespace mirvane {

void InitDesktopResources() { InitResourcesOutsideNamespace(); }

DesktopPlatform::DesktopPlatform()
    : DesktopPlatform(RunningProgramFolder(), HomeFolder(), MakePosixProcesses()) {}

DesktopPlatform::DesktopPlatform(std::string program_folder, std::string home,
                                 std::unique_ptr<Processes> processes)
    : files_(PosixPathMap(std::move(home)), std::move(program_folder)),
      clock_(MakeSystemClock()),
      processes_(std::move(processes)) {}

Platform DesktopPlatform::platform() {
  return Platform{files_, *clock_, dialogs_, *processes_, windows_};
}

}  // namespace mirvane
