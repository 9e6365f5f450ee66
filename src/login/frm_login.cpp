#include "login/frm_login.h"

#include "platform/numbers.h"
#include "platform/text.h"
#include "records/record_file.h"
#include "startup/settings.h"
#include "texts/text_table.h"

namespace mirvane {

namespace {

constexpr std::uint32_t kLinkBarYellow = 0xFFFFC0;
constexpr std::uint32_t kLinkRed = 0xFF0000;
constexpr std::uint32_t kHeadingBlue = 0x5285B4;
constexpr std::uint32_t kCaptionWhite = 0xF4F4F4;

Control& Add(Form& form, const char* name, ControlKind kind, double left, double top,
             double width, double height) {
  Control& c = form.AddControl(name, kind, left, top, width, height);
  if (kind == ControlKind::Label) {
    c.back_color = kWhite;  // labels are opaque white unless made transparent
    c.word_wrap = true;
  }
  return c;
}

FontSpec Font(const char* name, double size, bool bold = false, bool underline = false) {
  return FontSpec{name, size, bold, false, underline};
}

// "Example: type "lvoskar"" from the setting, or its default.
std::string ExampleLine(App& app, const char* key, const char* fallback) {
  std::string example = Trim(ReadSetting(app, key));
  if (example.empty()) example = fallback;
  return GetText(app, "l21") + " \"" + example + "\"";
}

}  // namespace

FrmLogin::FrmLogin(App& app, std::string name) : Form(std::move(name)), app_(app) {
  caption = " ";
  border = BorderStyle::FixedSingle;
  min_button = false;
  max_button = false;
  centered = true;
  width = 12000;
  height = 6555;  // the load step sets the height that is seen
  back_color = kWhite;
  picture = "login_background";

  Control& bar = Add(*this, "Picture1", ControlKind::PictureBox, 120, 6060, 11775, 375);
  bar.back_color = kLinkBarYellow;
  for (auto [link, left, w] : {std::tuple{"lblUninstallFlash", 60.0, 5475.0},
                               std::tuple{"lblInstallFlash", 5700.0, 5955.0}}) {
    Control& c = Add(*this, link, ControlKind::Label, left, 60, w, 255);
    c.container = "Picture1";
    c.transparent = true;
    c.fore_color = kLinkRed;
    c.alignment = Alignment::Center;
    c.font = Font("MS Sans Serif", 8.25, false, true);
    c.clickable = true;
    c.mouse_pointer = MousePointer::Hand;
  }

  Control& frame = Add(*this, "frmXCourses", ControlKind::Frame, 420, 4200, 4815, 1215);
  frame.visible = false;
  frame.back_color = kWhite;
  frame.fore_color = kHeadingBlue;
  frame.font = Font("MS Sans Serif", 12, true);
  for (auto [bullet, top] : {std::pair{"Label1", 400.0}, std::pair{"Label2", 760.0}}) {
    Control& c = Add(*this, bullet, ControlKind::Label, 120, top, 135, 255);
    c.container = "frmXCourses";
    c.fore_color = kHeadingBlue;
    c.font = Font("MS Sans Serif", 12, true);
    c.text = "\u00A4";
  }
  for (auto [course, top] : {std::pair{"lblXCourse1", 420.0}, std::pair{"lblXCourse2", 780.0}}) {
    Control& c = Add(*this, course, ControlKind::Label, 360, top, 4335, 255);
    c.container = "frmXCourses";
    c.transparent = true;
    c.font = Font("MS Sans Serif", 9.75, false, true);
    c.clickable = true;
    c.mouse_pointer = MousePointer::Hand;
  }

  Control& title = Add(*this, "lblTitle", ControlKind::Label, 6420, 670, 4695, 435);
  title.alignment = Alignment::Center;
  title.font = Font("Arial", 15.75, true);

  Control& id_label = Add(*this, "lblId", ControlKind::Label, 6420, 1680, 1575, 255);
  id_label.alignment = Alignment::Right;
  id_label.font = Font("Arial", 11.25, true);
  Control& id = Add(*this, "txtId", ControlKind::TextBox, 8160, 1620, 2445, 345);
  id.back_color = kWhite;
  id.font = Font("Arial", 11.25, true);
  id.tab_index = 0;
  Add(*this, "lblIdEx", ControlKind::Label, 8160, 1980, 2475, 195).font = Font("Arial", 6.75);

  Control& pwd_label = Add(*this, "lblPassword", ControlKind::Label, 6420, 2700, 1575, 255);
  pwd_label.alignment = Alignment::Right;
  pwd_label.font = Font("Arial", 11.25, true);
  Control& pwd = Add(*this, "txtPwd", ControlKind::TextBox, 8160, 2640, 2440, 345);
  pwd.back_color = kWhite;
  pwd.font = Font("Arial", 11.25, true);
  pwd.password_char = "*";
  pwd.tab_index = 1;
  Add(*this, "lblPwdEx", ControlKind::Label, 8160, 3015, 2955, 195).font = Font("Arial", 6.75);

  Add(*this, "lblNoteTitle", ControlKind::Label, 6540, 3780, 615, 315).font = Font("Arial", 11.25, true);
  Add(*this, "lblNote", ControlKind::Label, 7200, 3780, 3135, 555).font = Font("Arial", 9.75);

  // No picture: a click area over the button painted in the background.
  Control& image = Add(*this, "Image1", ControlKind::Image, 8040, 4740, 1395, 375);
  image.clickable = true;
  image.mouse_pointer = MousePointer::Hand;
  Control& ok = Add(*this, "lblOk", ControlKind::Label, 8160, 4800, 1155, 255);
  ok.transparent = true;
  ok.fore_color = kCaptionWhite;
  ok.alignment = Alignment::Center;
  ok.font = Font("Arial", 9.75, true);
  ok.clickable = true;
  ok.mouse_pointer = MousePointer::Hand;

  Control& welcome = Add(*this, "lblWelcome", ControlKind::Label, 240, 1395, 5295, 375);
  welcome.fore_color = kHeadingBlue;
  welcome.alignment = Alignment::Center;
  welcome.font = Font("Arial", 14.25);
  Add(*this, "lblInstructions", ControlKind::Label, 420, 2340, 4815, 1815).font =
      Font("Arial", 11.25, true);

  // Out of sight below the window: it is there for Enter.
  Add(*this, "cmdOk", ControlKind::Button, 7980, 7320, 1395, 375).is_default = true;
  Add(*this, "cmdCancel", ControlKind::Button, 3660, 7320, 1215, 375).visible = false;
  Add(*this, "txtName", ControlKind::TextBox, 4920, 7380, 2955, 285).visible = false;
  Add(*this, "lblName", ControlKind::Label, 2400, 7440, 1215, 195).visible = false;
}

std::string FrmLogin::Setting(const char* key) { return ReadSetting(app_, key); }

void FrmLogin::Say(const std::string& text) { ShowMessage(app_.platform.dialogs, text); }

bool FrmLogin::TesterCheck() {
  Processes& processes = app_.platform.processes;
  const std::string tester = app_.ContentFolder + kTesterProgram;
  height = kLoginHeight;
  if (!processes.ProgramExists(tester)) return true;
  const std::string marker = app_.DataFolder + app_.CourseCode + ".chk";
  FileSystem& files = app_.platform.files;
  if (files.FileExists(marker)) {
    control("lblUninstallFlash").text = GetText(app_, "l39");
    control("lblInstallFlash").text = GetText(app_, "l40");
    height = kLoginHeightWithLinks;
    return true;
  }
  // The first start for this data folder runs the tester instead of the
  // login. When the marker cannot be written or the tester cannot start, the
  // login appears rather than nothing at all; a tester that never ran leaves
  // no marker, so the next start tries again.
  if (WriteTextFile(files, marker, "true\r\n") != FileStatus::Ok) return true;
  if (processes.StartProgram(tester, ProgramWindow::Normal)) {
    processes.EndProgram(0);
    return false;
  }
  files.DeleteFile(marker);
  return true;
}

void FrmLogin::ShowNoteTexts() { control("lblNote").text = GetText(app_, "l20"); }

void FrmLogin::Form_Load() {
  if (!TesterCheck()) return;
  control("lblTitle").text = GetText(app_, "l1");
  std::string instructions = Trim(Setting("logininstructionsmessage"));
  control("lblInstructions").text = instructions.empty() ? GetText(app_, "l2") : instructions;
  control("cmdOk").text = GetText(app_, "l9");
  control("cmdCancel").text = GetText(app_, "l4");
  control("lblId").text = GetText(app_, "l5") + ":";
  control("lblPassword").text = GetText(app_, "l6") + ":";
  control("lblName").text = GetText(app_, "l12") + ":";
  std::string welcome = Trim(Setting("loginwelcomemessage"));
  control("lblWelcome").text = welcome.empty() ? GetText(app_, "l18") : welcome;
  std::string note_title = GetText(app_, "l19");
  control("lblNoteTitle").text = note_title.empty() ? "" : note_title + ":";
  ShowNoteTexts();
  control("lblIdEx").text = ExampleLine(app_, "idexample", "lvoskar");
  control("lblPwdEx").text = ExampleLine(app_, "pwdexample", "305172");
  control("lblOk").text = GetText(app_, "l9");
  if (Setting("showxcourses") == "true") {
    control("frmXCourses").text = GetText(app_, "l36");
    control("lblXCourse1").text = GetText(app_, "l37");
    control("lblXCourse2").text = GetText(app_, "l38");
    control("frmXCourses").visible = true;
  }
  if (Setting("askforpassword") == "false") {
    for (const char* name : {"lblPassword", "txtPwd", "lblPwdEx"}) control(name).visible = false;
  }
}

void FrmLogin::AttemptLogin() {
  const bool ask_password = Setting("askforpassword") != "false";
  Control& id = control("txtId");
  Control& pwd = control("txtPwd");
  if (!ask_password) pwd.text = id.text;
  if (Trim(id.text).empty() || Trim(pwd.text).empty()) {
    Say(GetText(app_, "e1"));
    return;
  }
  app_.CurrentUser = LCase(Trim(id.text));

  std::string length = Setting("usernamelength");
  if (!length.empty() && length != "0" &&
      LeadingNumberValue(length) < static_cast<double>(Len(app_.CurrentUser))) {
    Say(Replace(GetText(app_, "l41"), "%USERNAMELENGTH%", length));
    return;
  }
  if (Setting("usernameformat") == "numerical") {
    std::optional<double> n = ConvertRegionalNumber(app_.CurrentUser, app_.platform.clock.Regional());
    if (!n || *n != LeadingNumberValue(app_.CurrentUser)) {
      Say(GetText(app_, "l42"));
      return;
    }
  }
  // An id that cannot name a record file inside the tracking folder is
  // refused like wrong login data, before any file is touched.
  if (!IsSafeUserId(app_.CurrentUser)) {
    Say(GetText(app_, "e2"));
    return;
  }

  bool accepted = false;
  if (!ReadRecord(app_, "exists").empty()) {
    accepted = !ask_password || ReadRecord(app_, "pwd") == pwd.text;
  } else {
    MessageAnswer answer =
        ShowMessage(app_.platform.dialogs, GetText(app_, "l7"), MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) return;
    WriteRecord(app_, "exists", "1");
    WriteRecord(app_, "pwd", pwd.text);
    WriteRecord(app_, "startdatetime", DateTimeText(app_.platform.clock.Now(), app_.platform.clock.Regional()));
    accepted = true;
  }
  if (!accepted) {
    Say(GetText(app_, "e2"));
    return;
  }

  const std::string& name = control("txtName").text;
  if (!Trim(name).empty()) WriteRecord(app_, "name", name);
  WriteRecord(app_, "lastdatetime", DateTimeText(app_.platform.clock.Now(), app_.platform.clock.Regional()));
  // The count goes on past 32767: a long-lived account keeps counting.
  std::string count = ReadRecord(app_, "accesscount");
  double next = count.empty() ? 0 : RoundHalfEven(LeadingNumberValue(count) + 1);
  WriteRecord(app_, "accesscount", DecimalText(next));

  std::string me = this->name();  // this window is gone after the unload
  app_.forms.Show("frmBackground");
  app_.forms.Unload(me);
}

void FrmLogin::StartFlashProgram(const char* program) {
  Processes& processes = app_.platform.processes;
  std::string path = app_.ContentFolder + program;
  if (!processes.ProgramExists(path) || !processes.StartProgram(path, ProgramWindow::Minimized)) {
    Say(GetText(app_, "e4"));
  }
}

void FrmLogin::StartSupportCourse(const char* program) {
  Processes& processes = app_.platform.processes;
  std::string path = app_.ContentFolder + program;
  // A support course that is not installed is reported, and the login stays.
  if (!processes.ProgramExists(path) || !processes.StartProgram(path, ProgramWindow::Normal)) {
    Say(GetText(app_, "e4"));
    return;
  }
  processes.EndProgram(0);
}

void FrmLogin::Click(std::string_view control) {
  if (control == "cmdOk") {
    AttemptLogin();
  } else if (control == "lblOk" || control == "Image1") {
    StartClicked();
  } else if (control == "cmdCancel") {
    app_.platform.processes.EndProgram(0);
  } else if (control == "lblInstallFlash") {
    StartFlashProgram(kFlashInstaller);
  } else if (control == "lblUninstallFlash") {
    StartFlashProgram(kFlashUninstaller);
  } else if (control == "lblXCourse1") {
    StartSupportCourse(kSupportCourse1);
  } else if (control == "lblXCourse2") {
    StartSupportCourse(kSupportCourse2);
  }
}

}  // namespace mirvane
