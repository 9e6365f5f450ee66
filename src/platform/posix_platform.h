// The platform of the program on a POSIX host without the desktop front end:
// real files, clock and programs; message boxes and windows on the terminal.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace mirvane {

class PosixPlatform {
 public:
  PosixPlatform();
  ~PosixPlatform();
  PosixPlatform(const PosixPlatform&) = delete;
  PosixPlatform& operator=(const PosixPlatform&) = delete;

  Platform platform();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// The folder of the running program file as a path text ending in "/".
std::string RunningProgramFolder();

// The user's home folder, the root of drive C.
std::string HomeFolder();

// Starts the program file at a host path without waiting for it; false when
// it could not be started.
bool StartProgramDetached(const std::string& host_path);

// The clock of the host, with the regional formats of its locale.
std::unique_ptr<Clock> MakeSystemClock();

// Programs of the host: started detached; ending the program ends the process
// at once.
std::unique_ptr<Processes> MakePosixProcesses();

// The regional formats of the host's locale (LC_TIME and LC_NUMERIC).
RegionalFormat HostRegionalFormat();

}  // namespace mirvane
