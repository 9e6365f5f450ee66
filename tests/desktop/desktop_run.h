// The real desktop program in this process, for end-to-end tests: a course
// installation copied into a temporary folder, the real windows and browser
// engine, and hands that type, click and answer message boxes.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QVariant>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "desktop/desktop_platform.h"
#include "desktop/form_widget.h"
#include "startup/app.h"

namespace mirvane::test {

// Programs are recorded; the end of the program unwinds instead of ending
// the test process.
class RecordingHostProcesses : public Processes {
 public:
  explicit RecordingHostProcesses(FileSystem*& files) : files_(files) {}
  bool ProgramExists(std::string_view path) override;
  bool StartProgram(std::string_view path, ProgramWindow window) override;
  [[noreturn]] void EndProgram(int status) override;
  std::vector<std::string> started;

 private:
  FileSystem*& files_;
};

class DesktopRun {
 public:
  // Copies `course` (a folder under the source tree) and replaces lines of its
  // settings file: each "key=value" of `settings` replaces that key's line or
  // is added.
  DesktopRun(const std::string& course, const std::vector<std::string>& settings);
  ~DesktopRun();

  App& app() { return *app_; }
  const std::string& folder() const { return folder_; }
  const std::string& home() const { return home_; }

  void Start();
  // Runs the event loop until `done` holds or `ms` pass; false on timeout.
  bool WaitFor(const std::function<bool()>& done, int ms = 20000);

  FormWidget* Window(const std::string& name);
  QWidget* Control(const std::string& window, const std::string& control);
  void Type(const std::string& window, const std::string& control, const QString& text);
  void Click(const std::string& window, const std::string& control);

  // Runs `js` in a window's browser (main world) and returns its value.
  QVariant Eval(const std::string& window, const std::string& browser, const QString& js);
  // Clicks an element of a frame ("" for the top page, else the frame's
  // name) with the mouse, at its place on the screen.
  bool ClickInPage(const std::string& window, const std::string& browser, const QString& frame,
                   const QString& selector);

  // Answers the coming message boxes in order; their texts are kept.
  void Answer(std::vector<QMessageBox::StandardButton> buttons);
  std::vector<std::string> messages;
  // Takes a picture of the screen into the artifacts folder when the next
  // message box appears.
  std::string shoot_next_message;

  // A picture of the whole screen, saved as <artifacts>/<name>.png.
  std::string Screenshot(const std::string& name);

  std::vector<std::pair<std::string, std::string>> Record(const std::string& user);
  // One value of a learner's record, or "<absent>".
  std::string RecordValue(const std::string& user, const std::string& key);
  // What the player wrote into the launch page's tracking frame.
  std::string Progress();
  // The path of the page in the launch page's content frame.
  std::string ContentPage();
  std::optional<int> ended() const;

 private:
  void Watch();

  std::string folder_;
  std::string home_;
  FileSystem* files_ = nullptr;
  std::unique_ptr<DesktopPlatform> host_;
  std::unique_ptr<App> app_;
  std::deque<QMessageBox::StandardButton> answers_;
  QObject* watcher_ = nullptr;
};

}  // namespace mirvane::test
