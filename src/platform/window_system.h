// The window layer as seen by start-up: it shows a window by its name.
#pragma once

#include <string>

namespace mirvane {

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // Shows the program window `name` ("frmLogin", "frmBackground", ...) modelessly.
  virtual void ShowWindow(const std::string& name) = 0;
};

}  // namespace mirvane
