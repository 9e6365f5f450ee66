#include "player/scoring.h"

#include <gtest/gtest.h>

#include "player/frm_main.h"
#include "support/player_fixture.h"

namespace mirvane {
namespace {

class ScoringTest : public test::PlayerFixture {
 protected:
  // A course of one lesson path with two objects; screen 1.1.5 is a test screen.
  void Course(const std::string& extra = "") {
    Settings("totallpaths=1\r\ntotallobjects1=2\r\nforbiddenscreens=.1_1_5..1_2_5.\r\n" + extra);
    At("1", "1", "5");
  }
  long CourseScore() { return ComputeCourseScore(app, player()); }
};

TEST_F(ScoringTest, ScoresCountOnlyOnTestScreens) {
  Course();
  At("1", "1", "4");
  EXPECT_FALSE(Navigate("javascript:setscore(80);"));
  EXPECT_FALSE(app.ScorePending);
  EXPECT_EQ(Record("status"), "");
  At("1", "1", "5");
  EXPECT_TRUE(Navigate("javascript:setscore(80);"));
  EXPECT_TRUE(app.ScorePending);
  EXPECT_EQ(Record("score1_1"), "80");
  EXPECT_EQ(Record("rawscore"), "80");
  EXPECT_EQ(Record("status"), "p");
  EXPECT_EQ(Record("enddatetime"), "12/11/2026 9:30:15 AM");
}

TEST_F(ScoringTest, ReportedScoreForms) {
  struct Case {
    const char* address;
    const char* stored;
  } cases[] = {
      {"javascript:setscore(85.9);", "85"},
      {"javascript:setscore(\"85\");", "85"},
      {"javascript:setscoreext(85,3,4);", "85"},
      {"javascript:setscore(84.5);", "84"},
  };
  Course();
  for (const Case& c : cases) {
    player().scores = ScoreTables{};
    WriteRecord(app, "score1_1", "");
    EXPECT_TRUE(Navigate(c.address));
    EXPECT_EQ(Record("score1_1"), c.stored) << c.address;
  }
}

TEST_F(ScoringTest, RepeatedTriesAverageAndUndefinedCountsAsZero) {
  Course();
  Navigate("javascript:setscore(80);");
  Navigate("javascript:setscore(91);");
  EXPECT_EQ(Record("score1_1"), "86");  // 85.5 to the even 86
  Navigate("javascript:setscore(\"undefined\");");
  EXPECT_EQ(player().scores.ObjectScoreCount[1][1], 3);
  EXPECT_EQ(Record("score1_1"), "57");  // 171 / 3
}

TEST_F(ScoringTest, CourseScore) {
  Course();
  EXPECT_EQ(CourseScore(), -1);
  struct Case {
    long first, second, course;
  } cases[] = {{97, 99, 100}, {98, 98, 100}, {96, 96, 96}, {80, 91, 86}};
  for (const Case& c : cases) {
    player().scores.ObjectScore[1][1] = static_cast<std::int16_t>(c.first);
    player().scores.ObjectScore[1][2] = static_cast<std::int16_t>(c.second);
    EXPECT_EQ(CourseScore(), c.course) << c.first << " " << c.second;
  }
  // Objects not scored in this run count with their stored score.
  player().scores.ObjectScore[1][2] = 0;
  WriteRecord(app, "score1_2", "60");
  player().scores.ObjectScore[1][1] = 80;
  EXPECT_EQ(CourseScore(), 70);
}

TEST_F(ScoringTest, NoScoredObjectFailsWithoutCourseScore) {
  Course();
  Navigate("javascript:setscore(0);");
  EXPECT_EQ(Record("status"), "f");
  EXPECT_EQ(Record("rawscore"), "");
  EXPECT_EQ(Record("enddatetime"), "");
  EXPECT_EQ(Record("score1_1"), "");
}

TEST_F(ScoringTest, PassMark) {
  struct Case {
    const char* mastery;
    const char* score;
    const char* status;
  } cases[] = {{"", "70", "p"}, {"", "69", "f"}, {"masteryscore=80\r\n", "79", "f"},
               {"masteryscore=80abc\r\n", "80", "p"}};
  for (const Case& c : cases) {
    Course(c.mastery);
    player().scores = ScoreTables{};
    Navigate(std::string("javascript:setscore(") + c.score + ");");
    EXPECT_EQ(Record("status"), c.status) << c.mastery << c.score;
  }
}

TEST_F(ScoringTest, MenuFeedbackResetsOrCompletesTheEvaluatedPath) {
  Course("totallobjects2=3\r\nevaluates1_1_5=2\r\nshowmenufeedback=true\r\n");
  WriteRecord(app, "l2", "2");
  WriteRecord(app, "o2_1", "2");
  Navigate("javascript:setscore(50);");
  EXPECT_EQ(Record("l2"), "0");
  for (const char* key : {"o2_1", "o2_2", "o2_3"}) EXPECT_EQ(Record(key), "0") << key;
  Navigate("javascript:setscore(100);");  // mean 75
  EXPECT_EQ(Record("l2"), "2");
  EXPECT_EQ(Record("o2_3"), "2");

  Course("evaluates1_1_5=2\r\nshowmenufeedback=True\r\n");  // not exactly "true"
  WriteRecord(app, "l2", "1");
  Navigate("javascript:setscore(10);");
  EXPECT_EQ(Record("l2"), "1");
}

TEST_F(ScoringTest, ScoresBeyondTheTablesOrNotNumbersAreIgnored) {
  const char* addresses[] = {"javascript:setscore(abc);", "javascript:setscore();",
                             "javascript:setscore(99999);", "javascript:setscore(1e9);"};
  Course();
  for (const char* address : addresses) {
    EXPECT_TRUE(Navigate(address)) << address;
    EXPECT_FALSE(app.ScorePending) << address;
  }
  Settings("totallpaths=1\r\ntotallobjects1=2\r\nforbiddenscreens=.51_1_5..x_1_5..1_1_5.\r\n"
           "evaluates1_1_5=77\r\n");
  for (const char* path : {"51", "x"}) {
    At(path, "1", "5");
    Navigate("javascript:setscore(80);");
    EXPECT_FALSE(app.ScorePending) << path;
  }
  At("1", "1", "5");  // evaluated lesson path 77 lies outside the tables
  Navigate("javascript:setscore(80);");
  EXPECT_FALSE(app.ScorePending);
  EXPECT_EQ(Record("status"), "");

  // Sums stay within 16 bits: the try that would overflow is ignored.
  Settings("totallpaths=1\r\ntotallobjects1=1\r\nforbiddenscreens=.1_1_5.\r\n");
  for (int i = 0; i < 2; ++i) Navigate("javascript:setscore(30000);");
  EXPECT_EQ(player().scores.ObjectScoreSum[1][1], 30000);
  EXPECT_EQ(player().scores.ObjectScoreCount[1][1], 1);
  EXPECT_EQ(player().scores.ObjectScore[2][0], 0) << "no other entry touched";
}

class TestResultTest : public ScoringTest {
 protected:
  void EndObject(const std::string& settings, const char* rawscore) {
    Course(settings);
    if (rawscore != nullptr) WriteRecord(app, "rawscore", rawscore);
    app.ScorePending = true;
    At("1", "1", "6");
    Navigate("javascript:lobject_end()");
  }
};

TEST_F(TestResultTest, PassAndFailMessages) {
  struct Case {
    const char* settings;
    const char* language;
    const char* rawscore;
    const char* message;  // nullptr: none
  } cases[] = {
      {"showtestmessages=TRUE\r\n", "en", "80", "You have passed the test, with a score of 80"},
      {"showtestmessages=true\r\n", "en", "98", "You have passed the test, with a score of 100"},
      {"showtestmessages=true\r\n", "fr", "40", "Vous avez échoué à l'examen avec un notation de 40%"},
      {"showtestmessages=true\r\nfailmessage=_SCORE_ points_COMMA_ try again\r\n", "en", "40",
       "40 points, try again"},
      {"showtestmessages=true\r\npassmessage=Well done: _SCORE_%\r\n", "en", "150",
       "Well done: 100%"},
      {"showtestmessages=true\r\n", "en", "0", nullptr},
      {"showtestmessages=true\r\n", "en", nullptr, nullptr},
      {"showtestmessages=yes\r\n", "en", "80", nullptr},
  };
  for (const Case& c : cases) {
    t.host.dialogs.shown.clear();
    app.Language = c.language;
    EndObject(c.settings, c.rawscore);
    EXPECT_FALSE(app.ScorePending);
    if (c.message == nullptr) {
      EXPECT_TRUE(Messages().empty()) << c.settings << c.rawscore;
    } else {
      ASSERT_EQ(Messages().size(), 1u) << c.settings;
      EXPECT_EQ(Messages()[0].text, c.message);
      EXPECT_EQ(Messages()[0].icon, MessageIcon::None);
    }
    WriteRecord(app, "rawscore", "");
  }
}

TEST_F(TestResultTest, PassWithCertificateOpensItModallyWithTheScore) {
  app.CurrentUser = "ana & co";
  ReadRecord(app, "exists");
  EndObject("showtestmessages=true\r\ncertificateshow=true\r\n", "99");
  EXPECT_TRUE(Messages().empty());
  ASSERT_TRUE(app.forms.IsLoaded("frmCertificate"));
  Form& certificate = *app.forms.Find("frmCertificate");
  EXPECT_EQ(certificate.control("txtScore").text, "100");
  EXPECT_NE(std::find(t.host.transcript.begin(), t.host.transcript.end(),
                      "window shown: frmCertificate (modal) owner frmMain"),
            t.host.transcript.end());
  certificate.DocumentComplete("wbCertificate", "file:///c:/course/certificateqx.htm");
  EXPECT_EQ(HeadlessPlatform::BrowserOf(certificate, "wbCertificate")->operations.back(),
            "flashcertificate.movie = certificate.swf?student_name=ana%20%26%20co&score=100");

  t.host.dialogs.shown.clear();
  EndObject("showtestmessages=true\r\ncertificateshow=True\r\n", "99");
  ASSERT_EQ(Messages().size(), 1u) << "only exactly true opens the certificate";
}

TEST_F(ScoringTest, CloseCourseAsksThenExportsAddsTheTimeAndEnds) {
  Settings("closecoursemessage=  \r\n");
  t.host.clock.unix_seconds = 1000;
  player();
  t.host.clock.unix_seconds = 1090;
  WriteRecord(app, "time", "10");
  t.host.dialogs.answers = {MessageAnswer::No};
  EXPECT_TRUE(Navigate("javascript:tracking.end_course()"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Do you really want to close?");
  EXPECT_EQ(Messages()[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(Record("time"), "10");

  Settings("closecoursemessage= Leave now? \r\n");
  EXPECT_THROW(Navigate("javascript:tracking.end_course()"), ProgramEnded);
  EXPECT_EQ(Messages()[1].text, " Leave now?");
  EXPECT_EQ(Record("time"), "100");
  EXPECT_EQ(t.host.processes.ended, std::vector<int>{0});
}

TEST_F(ScoringTest, ClosingAsTheAnonymousLearnerRemovesItsRecord) {
  app.CurrentUser = "anonymous_iusr_localmachine_x86";
  ReadRecord(app, "exists");
  std::string record = RecordFilePath(app, app.CurrentUser);
  ASSERT_TRUE(t.host.files().FileExists(record));
  EXPECT_THROW(Navigate("javascript:tracking.end_course()"), ProgramEnded);
  EXPECT_FALSE(t.host.files().FileExists(record));
}

}  // namespace
}  // namespace mirvane
