// The running program: the platform it reaches the world through, and the
// global state that start-up sets and the windows and procedures share.
//
// One App is owned by whoever runs the program (main, a test, the scenario
// runner) and handed to everything that needs it; nothing else is global.
#pragma once

#include <string>

#include "platform/platform.h"
#include "startup/forms.h"

namespace mirvane {

struct App {
  explicit App(Platform p) : platform(p), forms(*this) {}
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  Platform platform;
  Forms forms;  // the program's windows

  // Set by start-up; the names are the ones the course authors' documents use.
  bool CourseStarted = false;
  bool ScorePending = false;
  bool AudioEnabled = true;
  std::string Language;       // "es", "en", "fr", "pt", or any other text (English)
  std::string AppFolder;      // folder of the program file, ends with "\"
  std::string ContentFolder;  // folder of the course content, ends with "\"
  std::string CourseCode;
  std::string DataFolder;     // learner data folder, ends with "\"
  std::string CurrentUser;    // learner id; empty until a login
  std::string CurrentLPath;   // position in the course, whole numbers as text
  std::string CurrentLObject;
  std::string CurrentLPoint;
};

}  // namespace mirvane
