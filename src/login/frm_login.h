// The login screen: the learner's id and password, the input rules, account
// creation, login dates and count, and the links to the Flash player's
// installer, its uninstaller and the two support courses. Before it appears,
// a tester program that has not yet run for this data folder runs instead.
#pragma once

#include <string>
#include <string_view>

#include "platform/window_model.h"
#include "startup/app.h"

namespace mirvane {

// Paths under the content folder.
inline constexpr const char* kTesterProgram = "tester\\kelsortester.exe";
inline constexpr const char* kFlashInstaller = "tester\\files\\tests\\flashplayer7.exe";
inline constexpr const char* kFlashUninstaller = "tester\\files\\tests\\uninstall_flash_player.exe";
inline constexpr const char* kSupportCourse1 = "K1\\mirvane.exe";
inline constexpr const char* kSupportCourse2 = "K2\\mirvane.exe";

// The heights of the window: without and with the link bar in view.
inline constexpr double kLoginHeight = 6360;
inline constexpr double kLoginHeightWithLinks = 6900;

class FrmLogin : public Form {
 public:
  explicit FrmLogin(App& app) : FrmLogin(app, "frmLogin") {}

  // The login steps: input rules, account, records, hand-over to the player.
  void AttemptLogin();

  void Form_Load() override;
  void Click(std::string_view control) override;

 protected:
  FrmLogin(App& app, std::string name);

  // The texts of the note area (its title is the same on every login screen).
  virtual void ShowNoteTexts();
  // A click on the painted start button (Image1 or lblOk).
  virtual void StartClicked() { AttemptLogin(); }

  App& app_;

 private:
  // The tester check; false when the program ends (or should) instead of showing the window.
  bool TesterCheck();
  void StartFlashProgram(const char* program);
  void StartSupportCourse(const char* program);
  std::string Setting(const char* key);
  void Say(const std::string& text);
};

}  // namespace mirvane
