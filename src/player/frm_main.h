// The player window: a borderless window filled by the course's browser, with
// the review button. Its browser's navigations carry the course pages'
// commands (page_commands.h); each load of the tracking page receives the
// progress string (progress.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/window_model.h"
#include "player/score_tables.h"
#include "startup/app.h"

namespace mirvane {

inline constexpr const char* kLaunchPage = "qxlaunch.htm";

class FrmMain : public Form {
 public:
  explicit FrmMain(App& app);

  // When the window loaded, in seconds since 1970: the start of this run.
  std::int64_t StartTime = 0;
  // The scores of this run.
  ScoreTables scores;

  // Sends the browser to the course's launch page.
  void LaunchCourse();
  // True when the current screen is listed in the setting "forbiddenscreens".
  bool IsForbiddenScreen();
  // Unloads every loaded window except the one named FormToIgnore.
  void UnloadAllForms(std::string_view FormToIgnore);
  // "." & lesson path & "_" & object & "_" & point & "."
  std::string ScreenId() const;

  Browser& content();

  void Form_Load() override;
  void Form_Resize() override;
  void Click(std::string_view control) override;
  void BeforeNavigate2(std::string_view control, const std::string& url, bool& cancel) override;
  void DocumentComplete(std::string_view control, const std::string& url) override;

  // The address of the player's own navigation after cutting a query from an
  // address: its report must not be refused again.
  std::string own_cut_navigation;

 private:
  App& app_;
};

}  // namespace mirvane
