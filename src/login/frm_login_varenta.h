// The employee-number login: the login screen with the password row hidden,
// the id standing in for the password when the start button is clicked, and
// two notes of its own.
#pragma once

#include "login/frm_login.h"

namespace mirvane {

class FrmLoginVarenta : public FrmLogin {
 public:
  explicit FrmLoginVarenta(App& app);

 protected:
  void ShowNoteTexts() override;
  // The painted start button copies the id into the hidden password box
  // first; Enter (the default button) does not.
  void StartClicked() override;
};

}  // namespace mirvane
