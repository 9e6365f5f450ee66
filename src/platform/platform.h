// Everything the core reaches outside itself, handed in as one bundle.
#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/window_system.h"

namespace mirvane {

struct Platform {
  FileSystem& files;
  Clock& clock;
  Dialogs& dialogs;
  Processes& processes;
  WindowSystem& windows;
};

}  // namespace mirvane
