// A learner takes the sample course in the real program: logs in by typing
// and clicking, opens objects from the menu, goes through the screens with the
// pages' own buttons, passes the test, sees the certificate, and closes.
#include <gtest/gtest.h>

#include <QTest>

#include "desktop_run.h"

namespace mirvane {
namespace {

TEST(CourseRunTest, ALearnerTakesTheSampleCourse) {
  test::DesktopRun run("examples/course", {"language=en"});
  run.Start();
  ASSERT_TRUE(run.WaitFor([&] { return run.Window("frmLogin") != nullptr && run.Window("frmLogin")->isVisible(); }));
  QTest::qWait(500);
  run.Screenshot("login-en");

  run.Type("frmLogin", "txtId", "Ana");
  run.Type("frmLogin", "txtPwd", "secret");
  run.Answer({QMessageBox::Yes});
  run.Click("frmLogin", "lblOk");
  ASSERT_TRUE(run.WaitFor([&] { return run.Window("frmMain") != nullptr; }));
  EXPECT_EQ(run.messages, std::vector<std::string>{"The username does not exist, do you want to create it?"});
  EXPECT_EQ(run.Window("frmLogin"), nullptr);

  // The launch page loads and receives the progress string.
  ASSERT_TRUE(run.WaitFor([&] { return run.Progress().find("sUnits=") != std::string::npos; }))
      << run.Progress();
  EXPECT_EQ(run.Progress(), "bMute=true&CurrentUnit=&sUnits=00&sTopics1=00&sTopics2=00&");
  ASSERT_TRUE(run.WaitFor([&] {
    return run.Eval("frmMain", "wbContent",
                    "!!(window.frames[0]&&window.frames[0].document.querySelector("
                    "'a[href=\"javascript:openlobject(1,1)\"]'))")
        .toBool();
  }));
  QTest::qWait(500);
  run.Screenshot("player-menu");

  // The menu's link opens object 1 of lesson path 1; its three screens follow.
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", "a[href=\"javascript:openlobject(1,1)\"]"));
  ASSERT_TRUE(run.WaitFor([&] { return run.ContentPage().find("l1/o1/p1.htm") != std::string::npos; }))
      << run.ContentPage();
  for (const char* next : {"l1/o1/p2.htm", "l1/o1/p3.htm"}) {
    ASSERT_TRUE(run.WaitFor([&] { return run.app().CurrentLPoint != "" && run.app().CurrentLObject == "1"; }));
    QTest::qWait(600);  // the screen's own commands go out first
    ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", "button.primary"));
    ASSERT_TRUE(run.WaitFor([&] { return run.ContentPage().find(next) != std::string::npos; })) << next;
  }
  ASSERT_TRUE(run.WaitFor([&] { return run.app().CurrentLPoint == "3"; }));
  QTest::qWait(600);
  run.Screenshot("player-screen");
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", "button.primary"));  // Finish
  ASSERT_TRUE(run.WaitFor([&] { return run.Progress().find("sTopics1=20") != std::string::npos; }))
      << run.Progress();
  EXPECT_EQ(run.Progress(), "showintro=false&bMute=true&CurrentUnit=1&sUnits=10&sTopics1=20&sTopics2=00&");

  // Lesson path 2 holds the test: its third screen scores.
  ASSERT_TRUE(run.WaitFor([&] {
    return run.Eval("frmMain", "wbContent",
                    "!!(window.frames[0]&&window.frames[0].document.querySelector("
                    "'a[href=\"javascript:openlobject(2,1)\"]'))")
        .toBool();
  }));
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", "a[href=\"javascript:openlobject(2,1)\"]"));
  for (const char* next : {"l2/o1/p2.htm", "l2/o1/p3.htm"}) {
    ASSERT_TRUE(run.WaitFor([&] { return run.ContentPage().find("l2/o1/p") != std::string::npos; }));
    QTest::qWait(700);
    ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", "button.primary"));
    ASSERT_TRUE(run.WaitFor([&] { return run.ContentPage().find(next) != std::string::npos; })) << next;
  }
  QTest::qWait(700);
  for (const char* answer : {"input[name=q1][value=b]", "input[name=q2][value=a]", "input[name=q3][value=c]"}) {
    ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", answer)) << answer;
  }
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", "#submit"));
  // A pass opens the certificate over the player, with the learner and the score.
  ASSERT_TRUE(run.WaitFor([&] { return run.Window("frmCertificate") != nullptr; }));
  ASSERT_TRUE(run.WaitFor([&] {
    return run.Eval("frmCertificate", "wbCertificate", "document.body?document.body.innerText:''")
               .toString()
               .contains("100");
  })) << run.Eval("frmCertificate", "wbCertificate", "document.body.innerText").toString().toStdString();
  EXPECT_TRUE(run.Eval("frmCertificate", "wbCertificate", "document.body.innerText").toString().toLower().contains("ana"));
  QTest::qWait(500);
  run.Screenshot("certificate");
  run.Window("frmCertificate")->close();
  ASSERT_TRUE(run.WaitFor([&] { return run.Window("frmCertificate") == nullptr; }));

  // Close, answering Yes.
  ASSERT_TRUE(run.WaitFor([&] { return run.Progress().find("sTopics2=20&") != std::string::npos; }))
      << run.Progress();
  run.Answer({QMessageBox::Yes});
  run.shoot_next_message = "close-question";
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "content", "#close-course"));
  ASSERT_TRUE(run.WaitFor([&] { return run.ended().has_value(); }));
  EXPECT_EQ(run.ended(), 0);

  EXPECT_EQ(run.RecordValue("ana", "pwd"), "secret");
  EXPECT_EQ(run.RecordValue("ana", "accesscount"), "0");
  EXPECT_EQ(run.RecordValue("ana", "l1"), "1") << "object 2 of lesson path 1 was not taken";
  EXPECT_EQ(run.RecordValue("ana", "o1_1"), "2");
  EXPECT_EQ(run.RecordValue("ana", "l2"), "1") << "object 2 of lesson path 2 was not taken";
  EXPECT_EQ(run.RecordValue("ana", "o2_1"), "2");
  EXPECT_EQ(run.RecordValue("ana", "bookmark_lpath"), "0002");
  EXPECT_EQ(run.RecordValue("ana", "lesson_location"), "l2/o1/p2.htm");
  EXPECT_EQ(run.RecordValue("ana", "score2_1"), "100");
  EXPECT_EQ(run.RecordValue("ana", "rawscore"), "100");
  EXPECT_EQ(run.RecordValue("ana", "status"), "p");
  EXPECT_NE(run.RecordValue("ana", "time"), "<absent>");
}

}  // namespace
}  // namespace mirvane
