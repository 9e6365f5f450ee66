#include "desktop/desktop_platform.h"

#include <QtCore/qglobal.h>

#include "platform/posix_platform.h"

static void InitResourcesOutsideNamespace() { Q_INIT_RESOURCE(resources); }

namespace mirvane {

void InitDesktopResources() { InitResourcesOutsideNamespace(); }

DesktopPlatform::DesktopPlatform()
    : files_(PosixPathMap(HomeFolder()), RunningProgramFolder()),
      clock_(MakeSystemClock()),
      processes_(MakePosixProcesses()) {}

Platform DesktopPlatform::platform() {
  return Platform{files_, *clock_, dialogs_, *processes_, windows_};
}

}  // namespace mirvane
