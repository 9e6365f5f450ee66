// A platform with no display, for tests and the scenario runner.
//
// - Files: a fresh temporary folder stands for the drives (drive C is
//   <temp>/C, drive D is <temp>/D, ...; "/x" is <temp>/root/x). It is removed
//   when the platform goes.
// - Clock and regional formats: fixed, set by the test.
// - Message boxes: every box is recorded; answers are queued in advance, and
//   a box with no queued answer gets its default button (OK, or Yes).
// - Programs: every start is recorded; ending the program records the status
//   and throws ProgramEnded, which unwinds to the test.
// - Windows: every window shown or closed is recorded by name; browsers load
//   nothing and record every operation.
// Everything observable also goes, in order, to one transcript.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/host_file_system.h"
#include "platform/platform.h"

namespace mirvane {

struct ShownMessage {
  std::string text;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  std::string title;
};

struct StartedProgram {
  std::string path;
  ProgramWindow window = ProgramWindow::Normal;
};

class FixedClock : public Clock {
 public:
  LocalDateTime now{2026, 12, 11, 9, 30, 15};
  std::int64_t unix_seconds = 1'797'000'000;
  RegionalFormat regional;

  LocalDateTime Now() override { return now; }
  std::int64_t UnixSeconds() override { return unix_seconds; }
  const RegionalFormat& Regional() override { return regional; }
};

// A message box that came while no answer was queued for it.
struct UnansweredMessageBox {
  std::string text;
};

class ScriptedDialogs : public Dialogs {
 public:
  std::deque<MessageAnswer> answers;
  // Every box must have its answer queued (OK ones too); a box without one
  // throws UnansweredMessageBox.
  bool require_answers = false;
  std::vector<ShownMessage> shown;
  std::vector<std::string>* transcript = nullptr;

  MessageAnswer MessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                           const std::string& title) override;
};

class RecordingProcesses : public Processes {
 public:
  std::vector<StartedProgram> started;  // the program files started, after ResolveProgramPath
  bool start_succeeds = true;
  FileSystem* files = nullptr;  // where programs are looked for
  std::vector<int> ended;  // statuses passed to EndProgram
  std::vector<std::string>* transcript = nullptr;

  bool ProgramExists(std::string_view path) override;
  bool StartProgram(std::string_view path, ProgramWindow window) override;
  [[noreturn]] void EndProgram(int status) override;
};

// A browser that loads nothing: it records every operation, and its events
// happen only when a test or the scenario runner raises them on the window.
class HeadlessBrowser : public Browser {
 public:
  HeadlessBrowser(std::string owner, std::vector<std::string>* transcript)
      : owner_(std::move(owner)), transcript_(transcript) {}

  // What the shown document offers; operations on anything else are ignored.
  int frame_count = 2;
  std::vector<std::string> items = {"flashcertificate"};
  std::string body_html;  // what BodyHtml returns
  std::string title;
  std::string frame_body[2];
  std::string frame_location[2];
  std::vector<std::string> navigations;
  std::vector<std::string> operations;  // every operation, as the transcript shows it
  int prints = 0;

  void Navigate(const std::string& address) override;
  void SetFrameBodyHtml(int frame, const std::string& html) override;
  void SetFrameLocation(int frame, const std::string& address) override;
  void SetTitle(const std::string& title) override;
  std::string BodyHtml() override;
  void SetItemProperty(const std::string& item, const std::string& property,
                       const std::string& value) override;
  void Print() override;

 private:
  void Log(const std::string& line);
  std::string owner_;
  std::vector<std::string>* transcript_;
};

class HeadlessWindows : public WindowSystem {
 public:
  explicit HeadlessWindows(std::vector<std::string>* transcript) : transcript_(transcript) {}

  std::vector<std::string> shown;   // names, each time a window is shown
  std::vector<std::string> closed;  // names, each time a window is closed
  std::vector<std::string> open;    // windows on the screen now, in the order shown

  std::unique_ptr<Browser> CreateBrowser(Form& form, const Control& control) override;
  void ShowWindow(Form& form, ShowMode mode, Form* owner) override;
  void CloseWindow(Form& form) override;

  bool IsOpen(const std::string& name) const;

  // A screen of 1024 x 768 pixels.
  double screen_width = 1024 * kTwipsPerPixel;
  double screen_height = 768 * kTwipsPerPixel;
  double ScreenWidth() override { return screen_width; }
  double ScreenHeight() override { return screen_height; }

 private:
  std::vector<std::string>* transcript_;
};

class HeadlessPlatform {
 public:
  // `program_folder` is the path text of the program's folder, such as
  // "C:\Courses\ABC\" (created when missing).
  explicit HeadlessPlatform(std::string program_folder = "C:\\Course\\");

  // With `host_paths`, a path beginning with "/" is the host's own path (a
  // real course folder, say); the drives still lie in the temporary folder.
  // With `keep_drives`, that folder stays when the platform goes.
  HeadlessPlatform(std::string program_folder, bool host_paths, bool keep_drives);
  ~HeadlessPlatform();
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  Platform platform();

  // The host folder standing for all drives.
  const std::string& root() const { return root_; }
  // The host path that a path text maps to (no lenient lookup).
  std::string HostPath(std::string_view path) const;

  HostFileSystem& files() { return *files_; }
  // Everything observable, in order: windows, message boxes, browser
  // operations, programs started, the end of the program.
  std::vector<std::string> transcript;
  FixedClock clock;
  ScriptedDialogs dialogs;
  RecordingProcesses processes;
  HeadlessWindows windows{&transcript};

  // The headless browser of a window's browser control, or null.
  static HeadlessBrowser* BrowserOf(Form& form, std::string_view control);

 private:
  std::string root_;
  bool host_paths_ = false;
  bool keep_drives_ = false;
  std::unique_ptr<HostFileSystem> files_;
};

}  // namespace mirvane
