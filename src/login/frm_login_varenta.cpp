#include "login/frm_login_varenta.h"

#include "texts/text_table.h"

namespace mirvane {

namespace {

void Place(Control& c, double left, double top, double width, double height) {
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
}

}  // namespace

FrmLoginVarenta::FrmLoginVarenta(App& app) : FrmLogin(app, "frmLoginVarenta") {
  Place(control("lblId"), 6480, 1680, 2535, 255);
  Place(control("txtId"), 9120, 1620, 1965, 345);
  Place(control("lblIdEx"), 9120, 1980, 1875, 195);
  Place(control("lblPassword"), 6540, 2700, 1335, 255);
  Place(control("txtPwd"), 8040, 2640, 2440, 345);
  Place(control("lblPwdEx"), 8040, 3008, 2955, 195);
  for (const char* name : {"lblPassword", "txtPwd", "lblPwdEx"}) control(name).visible = false;
  Place(control("lblNoteTitle"), 6540, 3780, 975, 315);

  // Two notes: the first where the password row would be, the second beside
  // the note title.
  Control& first = control("lblNote");
  first.name = "lblNote(0)";
  Place(first, 6720, 2400, 4215, 915);
  Control second = first;
  second.name = "lblNote(1)";
  Place(second, 7680, 3840, 3495, 795);
  AddControl(second);
}

void FrmLoginVarenta::ShowNoteTexts() {
  control("lblNote(0)").text = GetText(app_, "l43");
  control("lblNote(1)").text = GetText(app_, "l44");
}

void FrmLoginVarenta::StartClicked() {
  control("txtPwd").text = control("txtId").text;
  AttemptLogin();
}

}  // namespace mirvane
