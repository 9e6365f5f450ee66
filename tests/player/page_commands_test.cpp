#include "player/page_commands.h"

#include <gtest/gtest.h>

#include "player/frm_main.h"
#include "support/player_fixture.h"

namespace mirvane {
namespace {

using PageCommandsTest = test::PlayerFixture;

TEST_F(PageCommandsTest, LearningPointIndexBecomesThePointNumber) {
  struct Case {
    const char* address;
    const char* point;
  } cases[] = {
      {"javascript:lpoint_begin('0');", "1"},
      {"javascript:lpoint_begin('4');", "5"},
      {"javascript:LPOINT_BEGIN('12');", "13"},
      {"javascript:lpoint_begin('x');", "1"},  // no number reads as 0
      {"javascript:lpoint_begin(' 2');", "3"},
  };
  At("1", "1", "");
  for (const Case& c : cases) {
    EXPECT_TRUE(Navigate(c.address));
    EXPECT_EQ(app.CurrentLPoint, c.point) << c.address;
  }
  EXPECT_TRUE(app.CourseStarted);
}

TEST_F(PageCommandsTest, NotesAreStoredLowercasedAndHandedBackThroughTheTitle) {
  struct Case {
    const char* address;
    const char* notes;
  } cases[] = {
      {"javascript:savenotes(My Notes)", "my notes"},
      {"javascript:savenotes(\"Quoted, Notes\")", "\"quoted, notes\""},
      {"javascript:savenotes()", ""},
      {"javascript:savenotes(Ñandú)", "ñandú"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(Navigate(c.address));
    EXPECT_EQ(Record("notes"), c.notes) << c.address;
    EXPECT_TRUE(Navigate("javascript:loadnotes()"));
    EXPECT_EQ(browser().title, c.notes);
  }
}

TEST_F(PageCommandsTest, BookmarkTakesTheLocationBetweenItsFrame) {
  struct Case {
    const char* address;
    const char* location;
  } cases[] = {
      {"javascript:setbookmark(\"l1/o2/p3.htm\");", "l1/o2/p3.htm"},
      {"javascript:setbookmark(\"p3.htm&lpointindex=2\");", "p3.htm"},
      {"javascript:setbookmark(\"l1/o2/p3.htm\")", "l1/o2/p3.ht"},  // no semicolon: one more is lost
      {"javascript:setbookmark(\"Course/Page.HTM\");", "course/page.htm"},
  };
  At("2", "3", "4");
  for (const Case& c : cases) {
    EXPECT_TRUE(Navigate(c.address));
    EXPECT_EQ(Record("lesson_location"), c.location) << c.address;
  }
  EXPECT_EQ(Record("bookmark_lpath"), "0002");
  EXPECT_EQ(Record("bookmark_lobject"), "0003");
  EXPECT_EQ(Record("bookmark_lpoint"), "0004");
}

TEST_F(PageCommandsTest, OpeningALearningObjectSetsThePosition) {
  struct Case {
    const char* address;
    const char* path;
    const char* object;
  } cases[] = {
      {"javascript:openlobject(2,3)", "2", "3"},
      {"javascript:openlobject(\"2\",\"3\")", "2", "3"},
      {"javascript:openlobject(2,3,4)", "2", "3,4"},
      {"javascript:openlobject('2', 3)", "'2'", " 3"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(Navigate(c.address)) << "the page's own function opens the object";
    EXPECT_EQ(app.CurrentLPath, c.path) << c.address;
    EXPECT_EQ(app.CurrentLObject, c.object) << c.address;
    EXPECT_EQ(app.CurrentLPoint, "1");
  }
}

TEST_F(PageCommandsTest, ReviewButtonAppearsOnOpeningInReviewModeAndGoesAtTheObjectsEnd) {
  struct Case {
    const char* review;
    bool shown;
  } cases[] = {{"review= True \r\n", true}, {"review=false\r\n", false}, {"", false}};
  for (const Case& c : cases) {
    Settings(c.review);
    Navigate("javascript:openlobject(1,1)");
    EXPECT_EQ(player().control("cmdReview").visible, c.shown) << c.review;
    Navigate("javascript:lobject_end()");
    EXPECT_FALSE(player().control("cmdReview").visible);
  }
}

TEST_F(PageCommandsTest, LearningPointsMarkProgressAndTheBookmarkFollows) {
  Settings("totallpoints2_3=5\r\nforbiddenscreens=.2_3_3.\r\n");
  At("2", "3", "1");
  Navigate("javascript:lpoint_begin('1');");
  EXPECT_EQ(Record("l2"), "1");
  EXPECT_EQ(Record("o2_3"), "1");
  EXPECT_EQ(Record("bookmark_lpoint"), "0002");

  Navigate("javascript:lpoint_begin('2');");  // screen 3 is a test screen: no bookmark
  EXPECT_EQ(Record("bookmark_lpoint"), "0002");
  EXPECT_EQ(Record("o2_3"), "1");

  Navigate("javascript:lpoint_begin('4');");  // the last point completes the object
  EXPECT_EQ(Record("o2_3"), "2");
  EXPECT_EQ(Record("bookmark_lpoint"), "0005");

  WriteRecord(app, "l2", "2");
  Navigate("javascript:lpoint_begin('0');");  // a "2" is never lowered
  EXPECT_EQ(Record("o2_3"), "2");
  EXPECT_EQ(Record("l2"), "2");
}

TEST_F(PageCommandsTest, LearningObjectEndCompletesTheLessonPathAndRelaunches) {
  Settings("totallobjects1=2\r\n");
  At("1", "1", "3");
  WriteRecord(app, "o1_1", "2");
  EXPECT_FALSE(Navigate("javascript:lobject_end()"));
  EXPECT_EQ(Record("l1"), "");
  WriteRecord(app, "o1_2", "2");
  Navigate("javascript:lobject_end()");
  EXPECT_EQ(Record("l1"), "2");
  EXPECT_EQ(browser().navigations.back(), app.ContentFolder + "qxlaunch.htm");

  At("2", "1", "1");  // no objects: complete at once
  Navigate("javascript:lobject_end()");
  EXPECT_EQ(Record("l2"), "2");
}

TEST_F(PageCommandsTest, ObjectEndOnATestScreenWaitsForTheNextMarker) {
  Settings("forbiddenscreens=.1_1_4.\r\n");
  At("1", "1", "4");
  app.forms.Load("frmReview");
  player().control("cmdReview").visible = true;
  std::size_t navigations = browser().navigations.size();
  EXPECT_FALSE(Navigate("javascript:lobject_end(); javascript:setbookmark(\"x.htm\");"));
  EXPECT_FALSE(app.forms.IsLoaded("frmReview"));
  EXPECT_FALSE(player().control("cmdReview").visible);
  EXPECT_EQ(browser().navigations.size(), navigations) << "no relaunch";
  EXPECT_EQ(Record("lesson_location"), "") << "later checks do not run";
  EXPECT_EQ(Record("l1"), "");

  Navigate("javascript:lobject_end(\"next\")");
  EXPECT_EQ(browser().navigations.size(), navigations + 1);
  EXPECT_EQ(Record("l1"), "2");
}

TEST_F(PageCommandsTest, ChecksRunInOrderOnOneAddress) {
  At("1", "2", "1");
  EXPECT_TRUE(Navigate("javascript:lpoint_begin('6');setbookmark(\"p7.htm\");"));
  EXPECT_EQ(Record("bookmark_lpoint"), "0007");
  EXPECT_EQ(Record("lesson_location"), "p7.htm");
}

TEST_F(PageCommandsTest, MuteTogglesTheSoundAndLetsThePageRun) {
  EXPECT_TRUE(app.AudioEnabled);
  EXPECT_FALSE(Navigate("javascript:mute()"));
  EXPECT_FALSE(app.AudioEnabled);
  Navigate("JavaScript:Mute()");
  EXPECT_TRUE(app.AudioEnabled);
}

TEST_F(PageCommandsTest, QueriesAreRefusedAndThePageReloadedOnceWithoutThem) {
  std::string address = "file:///C:/Course/Page.htm?x=1";
  EXPECT_TRUE(Navigate(address));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text,
            "ERR 3: QueryString error, while opening URL.\r\nAll parameters have been trimmed."
            "\r\n\r\nURL: file:///c:/course/page.htm?x=1");
  EXPECT_EQ(Messages()[0].icon, MessageIcon::Critical);
  EXPECT_EQ(browser().navigations.back(), "file:///c:/course/page.htm?");
  // The browser reports the player's own reload: it passes.
  EXPECT_FALSE(Navigate("file:///c:/course/page.htm?"));
  EXPECT_EQ(Messages().size(), 1u);
  // The same address from a page is refused again.
  EXPECT_TRUE(Navigate("file:///c:/course/page.htm?"));
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(PageCommandsTest, AQueryInACommandStillRunsTheCommand) {
  At("1", "1", "1");
  std::size_t navigations = browser().navigations.size();
  EXPECT_TRUE(Navigate("javascript:setbookmark(\"p.htm?a=1\");"));
  EXPECT_EQ(Record("lesson_location"), "p.htm?a=1");
  EXPECT_EQ(browser().navigations.size(), navigations) << "a cut script address is not run";
}

TEST_F(PageCommandsTest, ResumeIsOfferedOnceAndRestoresThePosition) {
  Settings("review=true\r\n");
  WriteRecord(app, "lesson_location", "l2/o3/p4.htm");
  WriteRecord(app, "bookmark_lpath", "0002");
  WriteRecord(app, "bookmark_lobject", "0003");
  WriteRecord(app, "bookmark_lpoint", "0004");
  t.host.dialogs.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(Navigate("file:///c:/course/mycourse.htm"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Would you like to return to the point where you left the course?");
  EXPECT_EQ(Messages()[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(Messages()[0].icon, MessageIcon::Question);
  EXPECT_EQ(app.CurrentLPath, "2");
  EXPECT_EQ(app.CurrentLObject, "3");
  EXPECT_EQ(app.CurrentLPoint, "4");
  EXPECT_EQ(browser().frame_body[1], "4");
  EXPECT_EQ(browser().frame_location[0], "l2/o3/p4.htm");
  EXPECT_TRUE(player().control("cmdReview").visible);
  EXPECT_FALSE(Navigate("file:///c:/course/course.htm"));
  EXPECT_EQ(Messages().size(), 1u) << "asked once a run";
}

TEST_F(PageCommandsTest, ResumeDeclinedOrNothingStored) {
  EXPECT_FALSE(Navigate("course.htm"));
  EXPECT_TRUE(Messages().empty()) << "nothing stored, nothing asked";
  EXPECT_FALSE(app.CourseStarted);

  WriteRecord(app, "lesson_location", "p.htm");
  t.host.dialogs.answers = {MessageAnswer::No};
  EXPECT_FALSE(Navigate("course.htm"));
  EXPECT_TRUE(app.CourseStarted);
  EXPECT_EQ(app.CurrentLPath, "");
  EXPECT_FALSE(Navigate("course.htm"));
  EXPECT_EQ(Messages().size(), 1u);
}

// No address, however it is cut or broken, makes the interpreter fail.
TEST_F(PageCommandsTest, MalformedAddressesNeverFail) {
  const char* addresses[] = {
      "", "?", "??", "savenotes", "savenotes(", "x savenotes", "setbookmark", "setbookmark(\"",
      "setbookmark(\"a", "lpoint_begin", "lpoint_begin('", "lpoint_begin('7", "openlobject",
      "openlobject(", "openlobject(1", "openlobject)1,2(", "openlobject(12)", "setscore",
      "setscore(", "setscoreext(", "lobject_end", "tracking.end_course", "course.htm?",
      "javascript:lpoint_begin('0');lobject_end();setbookmark(\"\");openlobject(,);setscore(\"\")",
      "\xff\xfe broken utf-8 setbookmark(\"\xc3\");", "loadnotes savenotes(é)",
  };
  for (const char* address : addresses) {
    EXPECT_NO_THROW(Navigate(address)) << address;
  }
  EXPECT_TRUE(app.forms.IsLoaded("frmMain"));
}

}  // namespace
}  // namespace mirvane
