#include "player/frm_main.h"

#include "platform/browser.h"
#include "player/page_commands.h"
#include "player/progress.h"
#include "startup/settings.h"
#include "texts/text_table.h"

namespace mirvane {

FrmMain::FrmMain(App& app) : Form("frmMain"), app_(app) {
  back_color = kWhite;
  border = BorderStyle::None;
  control_box = false;
  min_button = false;
  max_button = false;
  show_in_taskbar = false;
  centered = true;
  left = 0;
  top = 0;
  width = 12135;
  height = 8940;

  AddControl("wbContent", ControlKind::Browser, 0, 0, 4455, 2295);  // resized at once
  Control& review = AddControl("cmdReview", ControlKind::Button, 120, 8160, 1215, 315);
  review.visible = false;
  review.mouse_pointer = MousePointer::Arrow;
  review.font = {"MS Sans Serif", 8.25, true, false, false};
  review.text = "#REVIEW";
}

Browser& FrmMain::content() { return *browser("wbContent"); }

void FrmMain::LaunchCourse() { content().Navigate(app_.ContentFolder + kLaunchPage); }

std::string FrmMain::ScreenId() const {
  return "." + app_.CurrentLPath + "_" + app_.CurrentLObject + "_" + app_.CurrentLPoint + ".";
}

bool FrmMain::IsForbiddenScreen() {
  return ReadSetting(app_, "forbiddenscreens").find(ScreenId()) != std::string::npos;
}

void FrmMain::UnloadAllForms(std::string_view FormToIgnore) {
  for (const std::string& name : app_.forms.LoadedNames()) {
    if (name != FormToIgnore) app_.forms.Unload(name);
  }
}

void FrmMain::Form_Load() {
  StartTime = app_.platform.clock.UnixSeconds();
  LaunchCourse();
  control("cmdReview").text = GetText(app_, "l23");
}

void FrmMain::Form_Resize() {
  Control& browser = control("wbContent");
  browser.width = width + 220;
  browser.height = height + 740;
  browser.top = -330;
  browser.left = 0;
  control("cmdReview").top = height - 530;
}

void FrmMain::Click(std::string_view control) {
  if (control == "cmdReview") app_.forms.Show("frmReview", ShowMode::Modeless, "frmMain");
}

void FrmMain::BeforeNavigate2(std::string_view control, const std::string& url, bool& cancel) {
  if (control == "wbContent") RunPageCommands(app_, *this, url, cancel);
}

void FrmMain::DocumentComplete(std::string_view control, const std::string& url) {
  if (control == "wbContent") WriteProgressOnLoad(app_, *this, url);
}

}  // namespace mirvane
