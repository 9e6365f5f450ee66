// The sample course's screens that reach the player for more than position
// and progress: a screen that keeps notes (the same notes as the menu's), a
// screen with the sound switch, and the practice object whose end completes
// only its own object while the test object of its lesson path is not taken.
#include <gtest/gtest.h>

#include <QTest>
#include <QWebEngineView>

#include "desktop_run.h"

namespace mirvane {
namespace {

const char kAnonymous[] = "anonymous_iusr_localmachine_x86";

class Course {
 public:
  explicit Course(test::DesktopRun& run) : run_(run) {}

  // `js` evaluated in the content frame, with `d` its document.
  QVariant InContent(const QString& js) {
    return run_.Eval("frmMain", "wbContent",
                     QString("(function(){try{var w=window.frames[0];var d=w.document;return (%1);}"
                             "catch(e){return null;}})()")
                         .arg(js));
  }
  std::string Text(const QString& id) {
    return InContent(QString("d.getElementById('%1').textContent").arg(id)).toString().toStdString();
  }
  std::string Value(const QString& id) {
    return InContent(QString("d.getElementById('%1').value").arg(id)).toString().toStdString();
  }
  std::string Page() { return InContent("w.location.pathname").toString().toStdString(); }
  std::string Progress() { return run_.Progress(); }
  bool Click(const QString& selector) { return run_.ClickInPage("frmMain", "wbContent", "content", selector); }
  bool MenuReady(const char* path_object) {
    return run_.WaitFor([&] {
      return InContent(QString("!!d.querySelector('a[href=\"javascript:openlobject(%1)\"]')").arg(path_object))
          .toBool();
    });
  }
  // Waits until the screen's page is shown and the player has its position.
  bool OnScreen(const std::string& page, const std::string& point) {
    return run_.WaitFor([&] { return Page().find(page) != std::string::npos && run_.app().CurrentLPoint == point; });
  }
  // Types with the keyboard into an element of the content frame.
  bool TypeInto(const QString& selector, const QString& text) {
    if (!Click(selector)) return false;
    QTest::qWait(200);
    auto* view = qobject_cast<QWebEngineView*>(run_.Control("frmMain", "wbContent"));
    QWidget* target = view->focusProxy() != nullptr ? view->focusProxy() : view;
    QTest::keyClicks(target, text);
    return true;
  }

 private:
  test::DesktopRun& run_;
};

TEST(CourseScreensTest, NotesAndSoundOnScreensAndThePracticeObject) {
  test::DesktopRun run("examples/course", {"showlogin=false"});
  Course course(run);
  run.Start();
  ASSERT_TRUE(run.WaitFor([&] { return run.Window("frmMain") != nullptr; }));
  ASSERT_TRUE(course.MenuReady("1,2"));
  EXPECT_EQ(course.Progress(), "bMute=true&CurrentUnit=&sUnits=00&sTopics1=00&sTopics2=00&");
  // The menu lists the practice object as object 2 of lesson path 2.
  EXPECT_TRUE(course.InContent("d.querySelector('a[href=\"javascript:openlobject(2,2)\"]').textContent")
                  .toString()
                  .contains("Practice"));

  // Notes saved in the menu...
  ASSERT_TRUE(course.TypeInto("#notes", "Hola = Hello"));
  ASSERT_TRUE(course.Click("#save-notes"));
  ASSERT_TRUE(run.WaitFor([&] { return run.RecordValue(kAnonymous, "notes") == "\"hola = hello\""; }))
      << run.RecordValue(kAnonymous, "notes");

  // ...come back on the notes screen of object 2 of lesson path 1 when it opens.
  ASSERT_TRUE(course.Click("a[href=\"javascript:openlobject(1,2)\"]"));
  ASSERT_TRUE(course.OnScreen("l1/o2/p1.htm", "1")) << course.Page();
  for (const char* next : {"l1/o2/p2.htm", "l1/o2/p3.htm"}) {
    QTest::qWait(600);  // the screen's own commands go out first
    ASSERT_TRUE(course.Click("button.primary"));
    ASSERT_TRUE(run.WaitFor([&] { return course.Page().find(next) != std::string::npos; })) << next;
  }
  ASSERT_TRUE(course.OnScreen("l1/o2/p3.htm", "3"));
  ASSERT_TRUE(run.WaitFor([&] { return course.Value("notes") == "hola = hello"; })) << course.Value("notes");
  // The title of the launch page carried the notes and is put back.
  ASSERT_TRUE(run.WaitFor([&] {
    return run.Eval("frmMain", "wbContent", "document.title").toString() == "Saludos - a Mirvane sample course";
  })) << run.Eval("frmMain", "wbContent", "document.title").toString().toStdString();

  // The screen saves new notes, and loads them again.
  ASSERT_TRUE(course.InContent("(d.getElementById('notes').value='',true)").toBool());
  ASSERT_TRUE(course.TypeInto("#notes", "Me llamo Leo. Mucho gusto."));
  ASSERT_TRUE(course.Click("#save-notes"));
  ASSERT_TRUE(run.WaitFor([&] {
    return run.RecordValue(kAnonymous, "notes") == "\"me llamo leo. mucho gusto.\"";
  })) << run.RecordValue(kAnonymous, "notes");
  EXPECT_EQ(course.Text("notes-state"), "Notes saved.");
  ASSERT_TRUE(course.InContent("(d.getElementById('notes').value='',true)").toBool());
  ASSERT_TRUE(course.Click("#load-notes"));
  ASSERT_TRUE(run.WaitFor([&] { return course.Text("notes-state") == "Notes loaded."; }))
      << course.Text("notes-state");
  EXPECT_EQ(course.Value("notes"), "me llamo leo. mucho gusto.");
  QTest::qWait(300);
  run.Screenshot("notes-screen");

  // Finish: object 2 of lesson path 1 is complete, object 1 not begun.
  ASSERT_TRUE(course.Click("button.primary"));
  ASSERT_TRUE(run.WaitFor([&] { return course.Progress().find("sTopics1=02&") != std::string::npos; }))
      << course.Progress();
  EXPECT_EQ(course.Progress(), "showintro=false&bMute=true&CurrentUnit=1&sUnits=10&sTopics1=02&sTopics2=00&");

  // The practice object: its first screen shows the English on demand.
  ASSERT_TRUE(course.MenuReady("2,2"));
  ASSERT_TRUE(course.Click("a[href=\"javascript:openlobject(2,2)\"]"));
  ASSERT_TRUE(course.OnScreen("l2/o2/p1.htm", "1")) << course.Page();
  EXPECT_EQ(run.app().CurrentLPath, "2");
  EXPECT_EQ(run.app().CurrentLObject, "2");
  QTest::qWait(600);
  ASSERT_TRUE(course.Click("#english"));
  ASSERT_TRUE(run.WaitFor([&] { return course.Text("english") == "Hide the English"; }));
  EXPECT_TRUE(course.InContent("d.querySelector('.line .en').offsetHeight > 0").toBool());

  // The sound screen: it shows the player's state and switches it.
  ASSERT_TRUE(course.Click("button.primary"));
  ASSERT_TRUE(course.OnScreen("l2/o2/p2.htm", "2")) << course.Page();
  QTest::qWait(600);
  ASSERT_TRUE(run.app().AudioEnabled);
  EXPECT_EQ(course.Text("sound-state"), "on");
  ASSERT_TRUE(course.Click("#sound-button"));
  ASSERT_TRUE(run.WaitFor([&] { return !run.app().AudioEnabled; }));
  ASSERT_TRUE(run.WaitFor([&] { return course.Text("sound-state") == "off"; }));
  EXPECT_EQ(course.Text("sound-button"), "Turn sound on");
  QTest::qWait(300);
  run.Screenshot("sound-screen");

  // The last screen, and back: the sound screen still knows the sound is off
  // although the launch page's progress string was written before the switch.
  ASSERT_TRUE(course.Click("button.primary"));
  ASSERT_TRUE(course.OnScreen("l2/o2/p3.htm", "3")) << course.Page();
  QTest::qWait(600);
  ASSERT_TRUE(course.Click(".nav .left button"));  // Previous
  ASSERT_TRUE(course.OnScreen("l2/o2/p2.htm", "2")) << course.Page();
  EXPECT_EQ(course.Text("sound-state"), "off");
  EXPECT_NE(course.Progress().find("bMute=true"), std::string::npos) << course.Progress();
  QTest::qWait(600);
  ASSERT_TRUE(course.Click("button.primary"));
  ASSERT_TRUE(course.OnScreen("l2/o2/p3.htm", "3")) << course.Page();
  QTest::qWait(600);

  // The practice check marks the replies and scores nothing.
  ASSERT_TRUE(course.InContent("(d.getElementById('a1').value='b',d.getElementById('a2').value='c',"
                               "d.getElementById('a3').value='c',true)")
                  .toBool());
  ASSERT_TRUE(course.Click("#check"));
  ASSERT_TRUE(run.WaitFor([&] { return course.Text("m1") == "Right!"; }));
  EXPECT_EQ(course.Text("m2"), "Try again.");
  EXPECT_EQ(course.Text("m3"), "Right!");

  // Finish: the practice object is complete; lesson path 2 stays begun, for its
  // test object is not taken. The menu shows the sound off.
  ASSERT_TRUE(course.Click("button.primary"));
  ASSERT_TRUE(run.WaitFor([&] { return course.Progress().find("sTopics2=02&") != std::string::npos; }))
      << course.Progress();
  EXPECT_EQ(course.Progress(), "showintro=false&bMute=false&CurrentUnit=2&sUnits=11&sTopics1=02&sTopics2=02&");
  ASSERT_TRUE(course.MenuReady("2,2"));
  ASSERT_TRUE(run.WaitFor([&] { return course.Text("sound-state") == "off"; }));

  // The menu's sound button switches it back on.
  ASSERT_TRUE(course.Click("#sound-button"));
  ASSERT_TRUE(run.WaitFor([&] { return run.app().AudioEnabled; }));
  ASSERT_TRUE(run.WaitFor([&] { return course.Text("sound-state") == "on"; }));

  EXPECT_EQ(run.RecordValue(kAnonymous, "o1_1"), "<absent>");
  EXPECT_EQ(run.RecordValue(kAnonymous, "o1_2"), "2");
  EXPECT_EQ(run.RecordValue(kAnonymous, "l1"), "1");
  EXPECT_EQ(run.RecordValue(kAnonymous, "o2_1"), "<absent>");
  EXPECT_EQ(run.RecordValue(kAnonymous, "o2_2"), "2");
  EXPECT_EQ(run.RecordValue(kAnonymous, "l2"), "1");
  EXPECT_EQ(run.RecordValue(kAnonymous, "lesson_location"), "l2/o2/p3.htm");
  EXPECT_EQ(run.RecordValue(kAnonymous, "score2_2"), "<absent>");
  EXPECT_EQ(run.RecordValue(kAnonymous, "status"), "<absent>");
}

}  // namespace
}  // namespace mirvane
