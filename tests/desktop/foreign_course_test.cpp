// A course the project did not write: its pages open command addresses
// through links, image-map areas, window.open, forms and script assignments
// to locations in frames. Each reaches the player before it happens.
#include <gtest/gtest.h>

#include <QTest>

#include "desktop_run.h"

namespace mirvane {
namespace {

TEST(ForeignCourseTest, EveryWayOfOpeningACommandReachesThePlayer) {
  test::DesktopRun run("tests/desktop/foreign_course", {});
  run.Start();
  auto frame_has = [&](const char* js) {
    return run.Eval("frmMain", "wbContent", QString("(function(){try{var w=window.frames['main'];return !!(%1);}catch(e){return false;}})()").arg(js)).toBool();
  };
  ASSERT_TRUE(run.WaitFor([&] { return run.Window("frmMain") != nullptr && frame_has("w.document.getElementById('link')"); }));
  // The progress string reaches the tracking frame.
  ASSERT_TRUE(run.WaitFor([&] {
    return run.Eval("frmMain", "wbContent", "window.frames[1].document.body.textContent").toString() ==
           "bMute=true&CurrentUnit=&sUnits=0&sTopics1=0&";
  })) << run.Eval("frmMain", "wbContent", "window.frames[1].document.body.textContent").toString().toStdString();

  const std::string user = "anonymous_iusr_localmachine_x86";
  // A link: openlobject is let through, so the page's own function runs too.
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "main", "#link"));
  ASSERT_TRUE(run.WaitFor([&] { return run.app().CurrentLObject == "1"; }));
  ASSERT_TRUE(run.WaitFor([&] { return frame_has("w.opened === '1,1'"); }));

  // An image-map area.
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "main", "img"));
  ASSERT_TRUE(run.WaitFor([&] { return run.RecordValue(user, "o1_1") == "1"; }));
  EXPECT_EQ(run.RecordValue(user, "bookmark_lpoint"), "0001");

  // window.open with a script address.
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "main", "#open"));
  ASSERT_TRUE(run.WaitFor([&] { return run.RecordValue(user, "lesson_location") == "l1/p1.htm"; }))
      << run.RecordValue(user, "lesson_location");

  // A form whose action is a script address.
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "main", "#submit"));
  ASSERT_TRUE(run.WaitFor([&] { return run.RecordValue(user, "notes") != "<absent>"; }));
  EXPECT_EQ(run.RecordValue(user, "notes"), "from a form");

  // A script assigning a location: the cancelled command does not run in the
  // page, the allowed one does.
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "main", "#script"));
  ASSERT_TRUE(run.WaitFor([&] {
    return run.Eval("frmMain", "wbContent", "document.title").toString() == "from a form";
  }));
  QTest::qWait(300);
  EXPECT_FALSE(frame_has("w.notesRan === 1")) << "a cancelled command ran in the page";
  bool sound = run.app().AudioEnabled;
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "main", "#mute"));
  ASSERT_TRUE(run.WaitFor([&] { return run.app().AudioEnabled != sound; }));
  ASSERT_TRUE(run.WaitFor([&] { return frame_has("w.muteRan === 1"); })) << "an allowed command did not run";

  // One frame's script sets a frame's location to a script address.
  ASSERT_TRUE(run.ClickInPage("frmMain", "wbContent", "main", "#parent"));
  ASSERT_TRUE(run.WaitFor([&] { return run.app().CurrentLPoint == "2"; }));
  EXPECT_EQ(run.RecordValue(user, "o1_1"), "2") << "the last point completes the object";
}

}  // namespace
}  // namespace mirvane
