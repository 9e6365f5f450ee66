#include "player/frm_background.h"

#include "player/frm_main.h"
#include "startup/settings.h"

namespace mirvane {

FrmBackground::FrmBackground(App& app) : Form("frmBackground"), app_(app) {
  back_color = kWhite;
  border = BorderStyle::FixedSingle;
  caption = "";
  control_box = false;
  min_button = false;
  max_button = false;
  state = WindowState::Maximized;
  left = 15;
  top = 15;
  width = 4680;
  height = 3195;
}

void FrmBackground::Form_Load() {
  app_.forms.Show("frmMain", ShowMode::Modeless, "frmBackground");
  FrmMain& player = app_.forms.Get<FrmMain>("frmMain");
  WindowSystem& windows = app_.platform.windows;
  if (ReadSetting(app_, "fullscreen") == "false") {
    player.SetWindowState(WindowState::Normal, windows.ScreenWidth(), windows.ScreenHeight());
    player.control("wbContent").left -= 40;
  } else {
    player.SetWindowState(WindowState::Maximized, windows.ScreenWidth(), windows.ScreenHeight());
  }
}

}  // namespace mirvane
