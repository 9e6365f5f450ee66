// The Spanish login, the review window over the player, and the pass message
// of a course that shows messages instead of the certificate.
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "desktop_run.h"

namespace mirvane {
namespace {

TEST(ReviewAndMessagesTest, AReviewerCommentsAndALearnerPasses) {
  test::DesktopRun run("examples/course", {"language=es", "certificateshow=false"});
  run.Start();
  ASSERT_TRUE(run.WaitFor([&] { return run.Window("frmLogin") != nullptr; }));
  QTest::qWait(500);
  run.Screenshot("login-es");
  EXPECT_EQ(run.app().forms.Find("frmLogin")->control("lblTitle").text, "Área de entrada al curso");

  run.Type("frmLogin", "txtId", "Rita");
  run.Type("frmLogin", "txtPwd", "clave");
  run.Answer({QMessageBox::Yes});
  QTest::keyClick(run.Control("frmLogin", "txtPwd"), Qt::Key_Return);  // Enter: the default button
  ASSERT_TRUE(run.WaitFor([&] { return run.Window("frmMain") != nullptr; }));
  auto menu_ready = [&] {
    return run.Eval("frmMain", "wbContent",
                    "!!(window.frames[0]&&window.frames[0].document.querySelector("
                    "'a[href=\"javascript:openlobject(2,1)\"]'))")
        .toBool();
  };
  ASSERT_TRUE(run.WaitFor(menu_ready));

  // Review mode: the button appears when an object opens.
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", "a[href=\"javascript:openlobject(2,1)\"]"));
  ASSERT_TRUE(run.WaitFor([&] { return run.app().CurrentLPoint == "1" && run.app().CourseStarted; }));
  QTest::qWait(600);
  ASSERT_TRUE(run.Control("frmMain", "cmdReview")->isVisible());
  EXPECT_EQ(qobject_cast<QWidget*>(run.Control("frmMain", "cmdReview"))->property("text").toString(),
            "&Revisar");
  run.Click("frmMain", "cmdReview");
  ASSERT_TRUE(run.WaitFor([&] { return run.Window("frmReview") != nullptr; }));
  ASSERT_TRUE(run.WaitFor([&] {
    return run.Eval("frmReview", "wbContent", "document.body?document.body.innerText:''")
        .toString()
        .contains("TEXTO");
  })) << run.Eval("frmReview", "wbContent", "document.body.innerHTML").toString().toStdString();
  run.Type("frmReview", "txtReview", "Falta una tilde, revisar");
  QTest::qWait(500);
  run.Screenshot("review");
  run.Click("frmReview", "cmdClose");
  ASSERT_TRUE(run.WaitFor([&] { return run.Window("frmReview") == nullptr; }));
  std::string comment = run.home() + "/e-Learning/SAMPLE.coursedata/rawdata/rita_2-1-1.raw";
  std::ifstream in(comment, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "Falta una tilde\\| revisar\r\n");

  // The test, passed: the message in Spanish.
  for (const char* next : {"l2/o1/p2.htm", "l2/o1/p3.htm"}) {
    QTest::qWait(700);
    ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", "button.primary"));
    ASSERT_TRUE(run.WaitFor([&] {
      return run.Eval("frmMain", "wbContent", "window.frames[0].location.pathname").toString().contains(next);
    }));
  }
  QTest::qWait(700);
  for (const char* answer : {"input[name=q1][value=b]", "input[name=q2][value=a]", "input[name=q3][value=c]"}) {
    ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", answer)) << answer;
  }
  run.Answer({QMessageBox::Ok});
  run.shoot_next_message = "pass-message";
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", "#submit"));
  ASSERT_TRUE(run.WaitFor([&] { return run.messages.size() == 2; }));
  EXPECT_EQ(run.messages[1], "Has aprobado el examen, con una calificación de 100%");
}

}  // namespace
}  // namespace mirvane
