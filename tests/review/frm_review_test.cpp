#include "review/frm_review.h"

#include <gtest/gtest.h>

#include "player/frm_main.h"
#include "support/player_fixture.h"

namespace mirvane {
namespace {

class ReviewTest : public test::PlayerFixture {
 protected:
  void SetUp() override {
    PlayerFixture::SetUp();
    Settings("review=true\r\nidp1_2_3=intro\r\nido1_2=obj2\r\n");
    t.host.files().CreateFolder("C:\\Course\\l1");
    t.host.files().CreateFolder("C:\\Course\\l1\\obj2");
    t.host.files().WriteFile("C:\\Course\\l1\\obj2\\intro.xml",
                             "<LPOINT><PARAMETERS/></PARAMETERS><MEDIA></MEDIA></LPOINT>");
    At("1", "2", "3");
    player().control("cmdReview").visible = true;
  }

  FrmReview& Open(const std::string& markup = "<P>original</P>") {
    player().Click("cmdReview");
    FrmReview& review = app.forms.Get<FrmReview>("frmReview");
    Browser().body_html = markup;
    review.DocumentComplete("wbContent", "file:///c:/data/intro.htm");
    return review;
  }
  HeadlessBrowser& Browser() {
    return *HeadlessPlatform::BrowserOf(*app.forms.Find("frmReview"), "wbContent");
  }
  std::string CommentFile() { return t.FileBytes(app.DataFolder + "rawdata\\ana_1-2-3.raw"); }
  const std::string kEdited = "C:\\e-Learning\\ABC.coursedata\\issues\\l1_o2_p3.htm";
  const std::string kFirstView = "C:\\e-Learning\\ABC.coursedata\\issues\\original\\l1_o2_p3.htm";
};

TEST_F(ReviewTest, LoadLabelsTheWindowAndShowsTheScreenPage) {
  app.Language = "fr";
  FrmReview& review = Open();
  EXPECT_EQ(review.caption, "Analyse d'écran en cours: 1 - 2 - 3");
  EXPECT_EQ(review.control("cmdSave").text, "&Garder");
  EXPECT_EQ(review.control("cmdClose").text, "&Fermer");
  EXPECT_EQ(review.control("lblContents").text, "Contenus");
  EXPECT_EQ(review.control("lblComments").text, "Commentaires");
  EXPECT_EQ(Browser().navigations, std::vector<std::string>{app.DataFolder + "intro.htm"});
  EXPECT_EQ(review.comment_file(), "ana_1-2-3.raw");
  EXPECT_NE(std::find(t.host.transcript.begin(), t.host.transcript.end(),
                      "window shown: frmReview owner frmMain"),
            t.host.transcript.end());
  // The button again only brings the open window to the front.
  player().Click("cmdReview");
  EXPECT_EQ(&app.forms.Get<FrmReview>("frmReview"), &review);
  EXPECT_EQ(Browser().navigations.size(), 1u);
}

TEST_F(ReviewTest, CommentsComeBackAfterSavingAndReopening) {
  struct Case {
    std::string typed;
    std::string back;
  } cases[] = {
      {"One, two, three", "One, two, three"},
      {"slash \\| bar", "slash , bar"},
      {"  first line\r\n   indented", "first line\r\nindented"},
      {"\"quoted\" and more\r\nnext", "quoted\r\nnext"},
      {"", ""},
  };
  for (const Case& c : cases) {
    FrmReview& review = Open();
    review.control("txtReview").text = c.typed;
    PressKey(review, "txtReview", 27);  // Esc closes, and closing saves
    EXPECT_FALSE(app.forms.IsLoaded("frmReview"));
    app.forms.ReleaseUnloaded();
    EXPECT_EQ(Open().control("txtReview").text, c.back) << c.typed;
    app.forms.Unload("frmReview");
    app.forms.ReleaseUnloaded();
  }
}

TEST_F(ReviewTest, ClosingAtOnceLeavesAnEmptyComment) {
  Open();
  app.forms.RequestClose("frmReview");
  EXPECT_EQ(CommentFile(), "\r\n");
  EXPECT_FALSE(t.host.files().FileExists(kEdited));
  EXPECT_FALSE(t.host.files().FileExists(app.DataFolder + "intro.htm")) << "the screen page goes";
  EXPECT_EQ(t.FileBytes(kFirstView),
            "<HTML><HEAD/><BODY bgcolor=\"ffffff\" topmargin=\"5\" leftmargin=\"5\">\r\n"
            "<P>original</P>\r\n</BODY></HTML>\r\n");
}

TEST_F(ReviewTest, AnEditIsStoredAndNotedOnce) {
  FrmReview& review = Open();
  review.control("txtReview").text = "Typo here";
  Browser().body_html = "<P>corrected \u2192</P>";
  review.Click("cmdSave");
  EXPECT_EQ(review.control("txtReview").text,
            "Typo here\r\n\r\nMedia content modified. View the associated edits file.");
  EXPECT_EQ(t.FileBytes(kEdited),
            "<HTML><HEAD/><BODY bgcolor=\"ffffff\" topmargin=\"5\" leftmargin=\"5\">\r\n"
            "<P>corrected &#8594;</P>\r\n</BODY></HTML>\r\n");
  review.Click("cmdClose");  // no further change: no second note
  EXPECT_EQ(CommentFile(), "Typo here\r\n\r\nMedia content modified. View the associated edits file.\r\n");

  // A second opening keeps the first view as it was.
  app.forms.ReleaseUnloaded();
  Open("<P>corrected</P>");
  EXPECT_NE(t.FileBytes(kFirstView).find("<P>original</P>"), std::string::npos);
}

TEST_F(ReviewTest, PathsStayWithTheScreenOfTheOpening) {
  FrmReview& review = Open();
  At("1", "2", "4");  // the position moves while the window stays open
  Browser().body_html = "<P>edit</P>";
  review.Click("cmdSave");
  EXPECT_TRUE(t.host.files().FileExists(kEdited));
  EXPECT_FALSE(t.host.files().FileExists(app.DataFolder + "issues\\l1_o2_p4.htm"));
  EXPECT_NE(CommentFile(), "");
}

TEST_F(ReviewTest, ThePlayerClosesItAtANewPointAndAtTheObjectsEnd) {
  FrmReview& review = Open();
  review.control("txtReview").text = "seen";
  Navigate("javascript:lpoint_begin('3');");
  EXPECT_FALSE(app.forms.IsLoaded("frmReview"));
  EXPECT_EQ(CommentFile(), "seen\r\n") << "closing by the player saves";
  EXPECT_EQ(app.CurrentLPoint, "4");

  At("1", "2", "3");
  Open();
  Navigate("javascript:lobject_end()");
  EXPECT_FALSE(app.forms.IsLoaded("frmReview"));
}

TEST_F(ReviewTest, AnUnreadableCommentIsEmptyAndAnUnwritableOneKeepsTheWindow) {
  t.host.files().CreateFolder(app.DataFolder + "rawdata");
  t.host.files().WriteFile(app.DataFolder + "rawdata\\ana_1-2-3.raw", "");
  FrmReview& review = Open();
  EXPECT_EQ(review.control("txtReview").text, "");

  // The comment file's name is taken by a folder: the save fails.
  t.host.files().DeleteFile(app.DataFolder + "rawdata\\ana_1-2-3.raw");
  t.host.files().CreateFolder(app.DataFolder + "rawdata\\ana_1-2-3.raw");
  review.control("txtReview").text = "keep me";
  EXPECT_FALSE(app.forms.RequestClose("frmReview"));
  EXPECT_TRUE(app.forms.IsLoaded("frmReview"));
  EXPECT_EQ(review.control("txtReview").text, "keep me");
}

TEST_F(ReviewTest, AScreenThatCannotBeShownKeepsTheWindowUsable) {
  Settings("review=true\r\n");  // no screen name for 1.2.3
  FrmReview& review = Open("<P>No screen content file is set</P>");
  EXPECT_FALSE(t.host.files().FileExists(kFirstView)) << "a notice is no first view";
  review.control("txtReview").text = "where is the screen?";
  review.Click("cmdClose");
  EXPECT_EQ(CommentFile(), "where is the screen?\r\n");
}

}  // namespace
}  // namespace mirvane
