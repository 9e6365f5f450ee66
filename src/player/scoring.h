// Test scores, the course score and pass/fail, the message or certificate
// after a scored learning object, and closing the course.
#pragma once

#include <string>

#include "startup/app.h"

namespace mirvane {

class FrmMain;

// setscore / setscoreext on a test screen: records the score. `address` is
// lowercased.
void RecordScore(App& app, FrmMain& player, const std::string& address, bool& cancel);

// The mean of the learning objects' scores (this run's first, stored ones
// otherwise); 97 to 99 count as 100; -1 when no object has a score.
long ComputeCourseScore(App& app, FrmMain& player);

// At the end of a scored learning object: the pass or fail message, or the
// certificate.
void EvaluateTestResult(App& app, FrmMain& player);

// tracking.end_course(): asks, then exports the issue report, adds the time
// of this run, removes the anonymous learner's record and ends the program.
void CloseCourse(App& app, FrmMain& player, bool& cancel);

}  // namespace mirvane
