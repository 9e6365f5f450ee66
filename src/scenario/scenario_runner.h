// Runs a course installation on the headless platform from a scenario: lines
// that answer message boxes, type, click, and raise the browsers' events. It
// prints a plain transcript of everything the program does that a person
// could see.
//
// Scenario lines (one command per line; blank lines and lines starting with
// "#" are skipped; WINDOW.CONTROL names a control, such as frmLogin.txtId):
//
//   answer yes | no | ok          queue the answer to the next message box
//   type WINDOW.CONTROL TEXT      put TEXT in a text box (the rest of the line)
//   click WINDOW.CONTROL          click a control
//   key WINDOW.CONTROL enter|esc  press a key in a control
//   navigate WINDOW.BROWSER URL   a navigation of a browser (BeforeNavigate2)
//   complete WINDOW.BROWSER URL   a completed load (DocumentComplete)
//   body WINDOW.BROWSER HTML      the markup the browser's page holds now
//   close WINDOW                  the window's close box
//   show WINDOW                   print the window and its controls
//   records                       print the current learner's record
//   wait SECONDS                  let time pass
//
// Start-up runs when the first line that is not an "answer" is reached, so
// answers for start-up's own message boxes come first. A message box without
// a queued answer ends the run with an error.
#pragma once

#include <iosfwd>
#include <string>

namespace mirvane {

struct ScenarioOptions {
  // Keep the temporary folder that stands for the drives (the data folder
  // lies there) and say where it is.
  bool keep_drives = false;
};

// Exit status: 0 when every line ran (or the program ended), 1 on a scenario
// error (an unanswered message box, an unknown window or control, a line
// that cannot be read).
int RunScenario(const std::string& course_folder, std::istream& scenario, std::ostream& out,
                const ScenarioOptions& options = {});

}  // namespace mirvane
