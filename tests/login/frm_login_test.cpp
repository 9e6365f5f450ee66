#include "login/frm_login.h"

#include <gtest/gtest.h>

#include "login/frm_login_varenta.h"
#include "records/record_file.h"
#include "startup/startup.h"
#include "support/headless_app.h"
#include "texts/text_table.h"

namespace mirvane {
namespace {

// A course whose start-up shows the login screen; the learner types and clicks.
class LoginTest : public ::testing::Test {
 protected:
  test::HeadlessApp t;
  App& app = t.app;

  void Start(const std::string& extra = "", const char* window = "frmLogin") {
    t.WriteSettings("coursecode=ABC\r\n" + extra);
    Startup(app);
    ASSERT_TRUE(app.forms.IsLoaded(window));
    window_ = window;
  }
  Form& Login() { return *app.forms.Find(window_); }
  void Type(const std::string& id, const std::string& pwd = "") {
    Login().control("txtId").text = id;
    if (!pwd.empty() || Login().control("txtPwd").visible) Login().control("txtPwd").text = pwd;
  }
  void Click(const char* control) { Login().Click(control); }
  void Enter() { PressKey(Login(), "txtId", 13); }
  bool LoggedIn() { return app.forms.IsLoaded("frmBackground") && !app.forms.IsLoaded(window_); }
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (const ShownMessage& m : t.host.dialogs.shown) texts.push_back(m.text);
    return texts;
  }
  std::vector<std::pair<std::string, std::string>> Record(const std::string& user) {
    std::string saved = app.CurrentUser;
    app.CurrentUser = user;
    auto entries = ListRecord(app);
    app.CurrentUser = saved;
    return entries;
  }
  void Put(const std::string& path) {
    std::string folder = path.substr(0, path.rfind('\\'));
    // Create each folder level of the path below C:\Course.
    for (std::size_t i = 0; i < folder.size(); ++i) {
      if (folder[i] == '\\' && i > 2) t.host.files().CreateFolder(folder.substr(0, i));
    }
    t.host.files().CreateFolder(folder);
    ASSERT_EQ(t.host.files().WriteFile(path, "program"), FileStatus::Ok) << path;
  }

  std::string window_;
};

TEST_F(LoginTest, FirstLoginCreatesTheAccountAndOpensThePlayer) {
  Start();
  EXPECT_EQ(Login().height, kLoginHeight);
  Type("  Ana ", "Secret ");
  t.host.dialogs.answers = {MessageAnswer::Yes};
  Click("lblOk");
  EXPECT_EQ(Texts(), std::vector<std::string>{"The username does not exist, do you want to create it?"});
  EXPECT_EQ(t.host.dialogs.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(t.host.dialogs.shown[0].icon, MessageIcon::None);
  EXPECT_TRUE(LoggedIn());
  EXPECT_EQ(app.CurrentUser, "ana");
  EXPECT_EQ(Record("ana"), (std::vector<std::pair<std::string, std::string>>{
                               {"exists", "1"},
                               {"pwd", "Secret "},
                               {"startdatetime", "12/11/2026 9:30:15 AM"},
                               {"lastdatetime", "12/11/2026 9:30:15 AM"},
                               {"accesscount", "0"}}));
  EXPECT_EQ(t.host.windows.closed, std::vector<std::string>{"frmLogin"});
}

TEST_F(LoginTest, LaterLoginsCountAndCompareThePasswordExactly) {
  Start();
  app.CurrentUser = "ana";
  ReadRecord(app, "exists");
  WriteRecord(app, "exists", "1");
  WriteRecord(app, "pwd", "Secret");
  struct Case {
    const char* id;
    const char* pwd;
    bool accepted;
  } cases[] = {{"ANA", "secret", false}, {"ana", "Secret ", false}, {"Ana", "Secret", true}};
  for (const Case& c : cases) {
    t.host.dialogs.shown.clear();
    Type(c.id, c.pwd);
    Click("Image1");
    EXPECT_EQ(LoggedIn(), c.accepted) << c.id << "/" << c.pwd;
    if (!c.accepted) {
      EXPECT_EQ(Texts(), std::vector<std::string>{"ERR 2: Invalid login data"});
    }
  }
  app.CurrentUser = "ana";
  EXPECT_EQ(ReadRecord(app, "accesscount"), "0");
  app.forms.Show("frmLogin");
  Type("ana", "Secret");
  Click("lblOk");
  EXPECT_EQ(ReadRecord(app, "accesscount"), "1");
  WriteRecord(app, "accesscount", "40000");
  app.forms.Show("frmLogin");
  Type("ana", "Secret");
  Click("cmdOk");
  EXPECT_EQ(ReadRecord(app, "accesscount"), "40001");
}

TEST_F(LoginTest, InputRules) {
  struct Case {
    const char* settings;
    const char* id;
    const char* pwd;
    const char* message;  // nullptr: passes the rules (then asked l7, answered No)
  } cases[] = {
      {"", "ana", "", "ERR 1: You must type a password"},
      {"", "ana", "   ", "ERR 1: You must type a password"},
      {"", "  ", "pw", "ERR 1: You must type a password"},
      {"usernamelength=8\r\n", "abcdefgh", "pw", nullptr},
      {"usernamelength=8\r\n", "abcdefghi", "pw",
       "The username must maximum have a length of 8 characters."},
      {"usernamelength=abc\r\n", "a", "pw",
       "The username must maximum have a length of abc characters."},
      {"usernamelength=0\r\n", "a-very-long-learner-id", "pw", nullptr},
      {"usernameformat=numerical\r\n", " 00123 ", "pw", nullptr},
      {"usernameformat=numerical\r\n", "12a", "pw",
       "The username must be conformed exclusively by numbers. It can't have any letters."},
      {"usernameformat=numerical\r\n", "abc", "pw",
       "The username must be conformed exclusively by numbers. It can't have any letters."},
      {"usernameformat=Numerical\r\n", "abc", "pw", nullptr},
      {"", "..\\..\\x", "pw", "ERR 2: Invalid login data"},
      {"", "a/b", "pw", "ERR 2: Invalid login data"},
      {"", "con", "pw", "ERR 2: Invalid login data"},
  };
  for (const Case& c : cases) {
    test::HeadlessApp fresh;
    fresh.WriteSettings(std::string("coursecode=ABC\r\n") + c.settings);
    Startup(fresh.app);
    Form& login = *fresh.app.forms.Find("frmLogin");
    login.control("txtId").text = c.id;
    login.control("txtPwd").text = c.pwd;
    fresh.host.dialogs.answers = {MessageAnswer::No};
    login.Click("lblOk");
    ASSERT_EQ(fresh.host.dialogs.shown.size(), 1u) << c.settings << c.id;
    EXPECT_EQ(fresh.host.dialogs.shown[0].text,
              c.message != nullptr ? c.message
                                   : "The username does not exist, do you want to create it?")
        << c.settings << c.id;
    EXPECT_TRUE(fresh.app.forms.IsLoaded("frmLogin"));
    EXPECT_EQ(login.control("txtId").text, c.id) << "the boxes keep what was typed";
    // Nothing but (at most) an empty record of the id itself is on the disk.
    EXPECT_FALSE(fresh.host.files().FileExists("C:\\e-Learning\\x.tracking"));
  }
}

TEST_F(LoginTest, DecliningTheNewAccountWritesNothingAndAsksAgain) {
  Start();
  Type("bob", "pw");
  t.host.dialogs.answers = {MessageAnswer::No, MessageAnswer::No};
  Click("lblOk");
  Click("lblOk");
  EXPECT_EQ(t.host.dialogs.shown.size(), 2u);
  EXPECT_TRUE(Record("bob").empty());
  EXPECT_FALSE(LoggedIn());
}

TEST_F(LoginTest, WithoutPasswordTheIdAloneLogsIn) {
  Start("askforpassword=false\r\n");
  for (const char* hidden : {"lblPassword", "txtPwd", "lblPwdEx"}) {
    EXPECT_FALSE(Login().control(hidden).visible) << hidden;
  }
  Type(" Carl ");
  t.host.dialogs.answers = {MessageAnswer::Yes};
  Enter();
  ASSERT_TRUE(LoggedIn());
  EXPECT_EQ(Record("carl")[1], (std::pair<std::string, std::string>{"pwd", " Carl "}));

  // An existing account: no comparison at all.
  app.CurrentUser = "dora";
  ReadRecord(app, "exists");
  WriteRecord(app, "exists", "1");
  WriteRecord(app, "pwd", "something else");
  app.forms.Show("frmLogin");
  Type("Dora");
  Click("lblOk");
  EXPECT_TRUE(LoggedIn());
}

TEST_F(LoginTest, TesterRunsOnceForADataFolder) {
  t.WriteSettings("coursecode=ABC\r\n");
  Put("C:\\Course\\tester\\kelsortester");  // the program file without ".exe"
  EXPECT_THROW(Startup(app), ProgramEnded);
  ASSERT_EQ(t.host.processes.started.size(), 1u);
  EXPECT_EQ(t.host.processes.started[0].path, "C:\\Course\\tester\\kelsortester");
  EXPECT_EQ(t.host.processes.started[0].window, ProgramWindow::Normal);
  EXPECT_EQ(t.FileBytes("C:\\e-Learning\\ABC.coursedata\\ABC.chk"), "true\r\n");
  EXPECT_TRUE(t.host.windows.shown.empty());

  App second(t.host.platform());
  RegisterProgramWindows(second);
  Startup(second);
  Form& login = *second.forms.Find("frmLogin");
  EXPECT_EQ(login.height, kLoginHeightWithLinks);
  EXPECT_EQ(login.control("lblUninstallFlash").text, "Uninstall Adobe Flash player");
  EXPECT_EQ(login.control("lblInstallFlash").text, "Install Adobe Flash player");
  EXPECT_EQ(t.host.processes.started.size(), 1u);

  t.host.files().DeleteFile("C:\\e-Learning\\ABC.coursedata\\ABC.chk");
  App third(t.host.platform());
  RegisterProgramWindows(third);
  EXPECT_THROW(Startup(third), ProgramEnded);
  EXPECT_EQ(t.host.processes.started.size(), 2u);
}

TEST_F(LoginTest, ATesterThatCannotStartShowsTheLogin) {
  t.WriteSettings("coursecode=ABC\r\n");
  Put("C:\\Course\\tester\\kelsortester.exe");
  t.host.processes.start_succeeds = false;
  Startup(app);
  EXPECT_TRUE(app.forms.IsLoaded("frmLogin"));
  EXPECT_EQ(app.forms.Find("frmLogin")->height, kLoginHeight);
  EXPECT_FALSE(t.host.files().FileExists("C:\\e-Learning\\ABC.coursedata\\ABC.chk"))
      << "the tester never ran, so the next start tries again";
  EXPECT_EQ(t.host.windows.shown, std::vector<std::string>{"frmLogin"});
}

TEST_F(LoginTest, FlashLinksAndSupportCourses) {
  Start("showxcourses=true\r\n");
  EXPECT_TRUE(Login().control("frmXCourses").visible);
  EXPECT_EQ(Login().control("lblXCourse1").text, "Introduction to computers");
  Click("lblInstallFlash");
  Click("lblXCourse1");  // not installed: reported, and the login stays
  EXPECT_EQ(Texts(), (std::vector<std::string>{"ERR 4: File is missing.", "ERR 4: File is missing."}));
  EXPECT_TRUE(t.host.processes.started.empty());

  Put("C:\\Course\\tester\\files\\tests\\uninstall_flash_player.exe");
  Click("lblUninstallFlash");
  ASSERT_EQ(t.host.processes.started.size(), 1u);
  EXPECT_EQ(t.host.processes.started[0].window, ProgramWindow::Minimized);
  EXPECT_TRUE(app.forms.IsLoaded("frmLogin"));

  Put("C:\\Course\\K2\\mirvane");
  EXPECT_THROW(Click("lblXCourse2"), ProgramEnded);
  EXPECT_EQ(t.host.processes.started[1].path, "C:\\Course\\K2\\mirvane");
  EXPECT_EQ(t.host.processes.ended, std::vector<int>{0});
}

TEST_F(LoginTest, ShowxcoursesMustBeExactlyTrue) {
  Start("showxcourses=True\r\n");
  EXPECT_FALSE(Login().control("frmXCourses").visible);
}

TEST_F(LoginTest, ClosingOrCancellingEndsWithoutWriting) {
  Start();
  Type("ana", "pw");
  EXPECT_THROW(app.forms.RequestClose("frmLogin"), ProgramEnded);
  EXPECT_TRUE(Record("ana").empty());
  EXPECT_FALSE(t.host.files().FileExists("C:\\e-Learning\\ABC.coursedata\\tracking\\ana.tracking"));

  test::HeadlessApp other;
  other.WriteSettings("coursecode=ABC\r\n");
  Startup(other.app);
  EXPECT_THROW(other.app.forms.Find("frmLogin")->Click("cmdCancel"), ProgramEnded);
}

TEST_F(LoginTest, WelcomeAndInstructionsFromTheSettings) {
  Start("loginwelcomemessage=  Hello, learner\r\n\"logininstructionsmessage=  Read this, then start  \"\r\n"
        "idexample= 007 \r\n");
  EXPECT_EQ(Login().control("lblWelcome").text, "Hello");
  EXPECT_EQ(Login().control("lblInstructions").text, "Read this, then start");
  EXPECT_EQ(Login().control("lblIdEx").text, "Example: type \"007\"");
  EXPECT_EQ(Login().control("lblPwdEx").text, "Example: type \"305172\"");
}

// Every text the two screens show, in each language, comes from the text table.
TEST_F(LoginTest, ScreenTextsInEveryLanguage) {
  struct Case {
    const char* language;
    const char* title;
    const char* id_label;
    const char* varenta_id_label;
    const char* note;
    const char* notes0;
    const char* notes1;
  } cases[] = {
      {"es", "Área de entrada al curso", "Usuario:", "Número de Empleado:",
       "Recordar el usuario y la contraseña para volver a ingresar al curso.",
       "Si no recuerdas tu Número de Empleado, regresa a la pantalla de Tu Espacio y consulta en: "
       "Autogestión > Actualización de información.",
       "Es muy IMPORTANTE que ingreses CORRECTAMENTE tu Número de Empleado."},
      {"en", "Course login", "Login:", "Login:",
       "Remember your username and password to enter the course again.", "[l43]", "[l44]"},
      {"fr", "Zone d'accès au cours", "Utilisateur:", "Utilisateur:",
       "Memoriser l'utilisateur et le mot de passe pour revenir au cours.",
       "Si vous ne vous souvenez pas de votre nombre d'employés, retourne à l'écran de Votre "
       "Espace.",
       "Il est très IMPORTANT que vous avez entrez CORRECTEMENT votre Nombre d'Employés."},
      {"pt", "Área de entrada ao curso", "Matrícula:", "Número de empregado:", "",
       "Caso você não se lembre de seu número de empregado regresse à tela \"Seu Espaço\" e "
       "consulte em: Autogestão > Atualização de informação.",
       "É muito importante que ingresse corretamente seu número de empregado."},
  };
  for (const Case& c : cases) {
    for (bool varenta : {false, true}) {
      test::HeadlessApp fresh;
      fresh.WriteSettings(std::string("coursecode=ABC\r\nshowxcourses=true\r\nlanguage=") +
                          c.language + (varenta ? "\r\ncustomize=varenta\r\n" : "\r\n"));
      Startup(fresh.app);
      Form& login = *fresh.app.forms.Find(varenta ? "frmLoginVarenta" : "frmLogin");
      App& a = fresh.app;
      EXPECT_EQ(login.control("lblTitle").text, c.title);
      EXPECT_EQ(login.control("lblId").text, varenta ? c.varenta_id_label : c.id_label);
      EXPECT_EQ(login.control("lblPassword").text, GetText(a, "l6") + ":");
      EXPECT_EQ(login.control("lblNoteTitle").text, GetText(a, "l19") + ":");
      EXPECT_EQ(login.control("lblOk").text, GetText(a, "l9"));
      EXPECT_EQ(login.control("cmdOk").text, GetText(a, "l9"));
      EXPECT_EQ(login.control("cmdCancel").text, GetText(a, "l4"));
      EXPECT_EQ(login.control("lblName").text, GetText(a, "l12") + ":");
      EXPECT_EQ(login.control("lblWelcome").text, GetText(a, "l18"));
      EXPECT_EQ(login.control("lblInstructions").text, GetText(a, "l2"));
      EXPECT_EQ(login.control("lblIdEx").text, GetText(a, "l21") + " \"lvoskar\"");
      EXPECT_EQ(login.control("frmXCourses").text, GetText(a, "l36"));
      EXPECT_EQ(login.control("lblXCourse2").text, GetText(a, "l38"));
      if (varenta) {
        EXPECT_EQ(login.control("lblNote(0)").text, c.notes0);
        EXPECT_EQ(login.control("lblNote(1)").text, c.notes1);
        EXPECT_EQ(login.FindControl("lblNote"), nullptr);
      } else {
        EXPECT_EQ(login.control("lblNote").text, c.note);
      }
    }
  }
}

class VarentaLoginTest : public LoginTest {
 protected:
  void SetUp() override { Start("customize=varenta\r\n", "frmLoginVarenta"); }
};

TEST_F(VarentaLoginTest, LayoutHidesThePasswordRow) {
  for (const char* hidden : {"lblPassword", "txtPwd", "lblPwdEx"}) {
    EXPECT_FALSE(Login().control(hidden).visible) << hidden;
  }
  const Control& id = Login().control("txtId");
  EXPECT_EQ(std::vector<double>({id.left, id.top, id.width, id.height}),
            std::vector<double>({9120, 1620, 1965, 345}));
  const Control& note = Login().control("lblNote(1)");
  EXPECT_EQ(std::vector<double>({note.left, note.top, note.width, note.height}),
            std::vector<double>({7680, 3840, 3495, 795}));
}

TEST_F(VarentaLoginTest, TheStartButtonCopiesTheIdAndEnterDoesNot) {
  Type("4711 ");
  Enter();
  EXPECT_EQ(Texts(), std::vector<std::string>{"ERR 1: You must type a password"});

  t.host.dialogs.answers = {MessageAnswer::Yes};
  Click("lblOk");
  ASSERT_TRUE(LoggedIn());
  EXPECT_EQ(Record("4711")[1], (std::pair<std::string, std::string>{"pwd", "4711 "}));

  // Typed later without the trailing space: same learner, but the id that
  // serves as the password differs.
  app.forms.Show("frmLoginVarenta");
  t.host.dialogs.shown.clear();
  Type("4711");
  Click("Image1");
  EXPECT_EQ(Texts(), std::vector<std::string>{"ERR 2: Invalid login data"});
  Type("4711 ");
  Click("Image1");
  EXPECT_TRUE(LoggedIn());
}

TEST_F(VarentaLoginTest, EnterUsesTheIdCopiedByTheLastClick) {
  Type("12");
  t.host.dialogs.answers = {MessageAnswer::No};
  Click("lblOk");  // copies "12", then declined
  Type("99");
  t.host.dialogs.answers = {MessageAnswer::Yes};
  Enter();  // logs in 99 with the password "12"
  ASSERT_TRUE(LoggedIn());
  EXPECT_EQ(Record("99")[1], (std::pair<std::string, std::string>{"pwd", "12"}));
}

TEST(VarentaWithoutPasswordTest, EveryWayLogsInWithTheIdAlone) {
  for (const char* way : {"enter", "Image1", "lblOk"}) {
    test::HeadlessApp t;
    t.WriteSettings("coursecode=ABC\r\ncustomize=varenta\r\naskforpassword=false\r\n");
    Startup(t.app);
    Form& login = *t.app.forms.Find("frmLoginVarenta");
    login.control("txtId").text = "555";
    t.host.dialogs.answers = {MessageAnswer::Yes};
    if (std::string(way) == "enter") {
      PressKey(login, "txtId", 13);
    } else {
      login.Click(way);
    }
    EXPECT_TRUE(t.app.forms.IsLoaded("frmBackground")) << way;
  }
}

}  // namespace
}  // namespace mirvane
