#include "startup/program_windows.h"

#include <memory>

#include "certificate/frm_certificate.h"
#include "login/frm_login.h"
#include "login/frm_login_varenta.h"
#include "player/frm_background.h"
#include "player/frm_main.h"
#include "review/frm_review.h"

namespace mirvane {

void RegisterProgramWindows(App& app) {
  app.forms.Register("frmBackground", [](App& a) { return std::make_unique<FrmBackground>(a); });
  app.forms.Register("frmMain", [](App& a) { return std::make_unique<FrmMain>(a); });
  app.forms.Register("frmLogin", [](App& a) { return std::make_unique<FrmLogin>(a); });
  app.forms.Register("frmLoginVarenta", [](App& a) { return std::make_unique<FrmLoginVarenta>(a); });
  app.forms.Register("frmReview", [](App& a) { return std::make_unique<FrmReview>(a); });
  app.forms.Register("frmCertificate", [](App& a) { return std::make_unique<FrmCertificate>(a); });
}

}  // namespace mirvane
