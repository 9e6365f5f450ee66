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
// - Windows: every window shown is recorded by name.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/host_file_system.h"
#include "platform/platform.h"

namespace mirvane {

// Thrown by the headless platform where the real one would end the process.
struct ProgramEnded {
  int status = 0;
};

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

class ScriptedDialogs : public Dialogs {
 public:
  std::deque<MessageAnswer> answers;
  std::vector<ShownMessage> shown;

  MessageAnswer MessageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                           const std::string& title) override;
};

class RecordingProcesses : public Processes {
 public:
  std::vector<StartedProgram> started;
  bool start_succeeds = true;
  std::vector<int> ended;  // statuses passed to EndProgram

  bool StartProgram(std::string_view path, ProgramWindow window) override;
  [[noreturn]] void EndProgram(int status) override;
};

class RecordingWindows : public WindowSystem {
 public:
  std::vector<std::string> shown;
  void ShowWindow(const std::string& name) override { shown.push_back(name); }
};

class HeadlessPlatform {
 public:
  // `program_folder` is the path text of the program's folder, such as
  // "C:\Courses\ABC\" (created when missing).
  explicit HeadlessPlatform(std::string program_folder = "C:\\Course\\");
  ~HeadlessPlatform();
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  Platform platform();

  // The host folder standing for all drives.
  const std::string& root() const { return root_; }
  // The host path that a path text maps to (no lenient lookup).
  std::string HostPath(std::string_view path) const;

  HostFileSystem& files() { return *files_; }
  FixedClock clock;
  ScriptedDialogs dialogs;
  RecordingProcesses processes;
  RecordingWindows windows;

 private:
  std::string root_;
  std::unique_ptr<HostFileSystem> files_;
};

}  // namespace mirvane
