// The progress string: the learner's status in every lesson path and learning
// object, the current lesson path, the sound state and whether the
// introduction was seen, written into the launch page's tracking frame for
// the course menu to read.
#pragma once

#include <string>

#include "startup/app.h"

namespace mirvane {

class FrmMain;

inline constexpr const char* kTrackingPage = "trackingdata.htm";

// For example showintro=false&bMute=true&CurrentUnit=2&sUnits=210&sTopics1=22&...&
std::string ProgressString(App& app);

// On a completed load of the tracking page: the progress string goes into
// the tracking frame. Other loads change nothing.
void WriteProgressOnLoad(App& app, FrmMain& player, const std::string& url);

}  // namespace mirvane
