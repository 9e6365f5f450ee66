#include "review/screen_page.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "support/headless_app.h"

namespace mirvane {
namespace {

// A screen content file as course tools write it: UTF-8 behind a byte-order
// mark, escaped markup, FONT and P tags, @@N@@, bold and italic values, an
// element ending in a quoted value and "/>".
constexpr const char kContent[] =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<LPOINT>\r\n"
    "  <PARAMETERS id=\"p1\">x</PARAMETERS>\r\n"
    "  <MEDIA>\r\n"
    "    <TEXT id=\"t1\" style=\"bold\">&lt;FONT face=\"Arial\"&gt;Introducci\xC3\xB3n@@N@@"
    "Espa\xC3\xB1" "a&lt;/FONT &gt;&lt;P&gt;Hola&amp;nbsp;mundo &amp;lt;b&gt;</TEXT>\r\n"
    "    <IMAGE src=\"a.png\" alt=\"x\"/>\r\n"
    "    <AUDIO src=\"s.mp3\" loop=\"italic\">sonido</AUDIO>\r\n"
    "  </MEDIA>\r\n"
    "</LPOINT>\r\n";

std::string ExpectedPage(const char* text, const char* image, const char* audio) {
  return std::string(
             "<HTML><HEAD/><BODY bgcolor=\"ffffff\" topmargin=\"5\" leftmargin=\"5\" "
             "style=\"font-family:Arial;font-size:4\">"
             "\r\n"
             "<TABLE border=\"1\" bgcolor=\"0\" celspacing=\"2\" cellpadding=\"2\" >\r\n"
             "</DIV><TR><TD bgcolor=\"ccccff\" ><B>") +
         text +
         " <DIV STYLE=\"DISPLAY:NONE\" >id=\"t1\" style=\"bold\" ><FONT_ face=\"Arial\"> "
         "</DIV></B><BR><DIV contentEditable=\"true\" >Introducci\xF3n&nbsp;&nbsp;Espa\xF1"
         "a</FONT_ ><P_>Hola mundo <b></TEXT>\r\n"
         "</DIV><TR><TD bgcolor=\"ccffcc\" ><B>" +
         image +
         " <DIV STYLE=\"DISPLAY:NONE\" >src=\"a.png\" alt=\"x\"/> </DIV></B><BR> "
         "</DIV></B><BR>\r\n"
         "</DIV><TR><TD bgcolor=\"ffcccc\" ><B>" +
         audio +
         " <DIV STYLE=\"DISPLAY:NONE\" >src=\"s.mp3\" loop=\"italic\" >sonido</AUDIO>\r\n"
         "</TABLE>\r\n"
         "\r\n"
         "</BODY></HTML>\r\n";
}

class ScreenPageTest : public ::testing::Test {
 protected:
  test::HeadlessApp t;
  App& app = t.app;
  ScreenFiles files;

  void SetUp() override {
    t.WriteSettings("coursecode=ABC\r\nidp1_2_3=intro\r\nido1_2=obj2\r\n");
    app.ContentFolder = app.AppFolder;
    app.DataFolder = "C:\\data\\";
    for (const char* folder : {"C:\\data", "C:\\data\\issues", "C:\\Course\\l1", "C:\\Course\\l1\\obj2"}) {
      t.host.files().CreateFolder(folder);
    }
    files = ScreenFilesOf(app, {"1", "2", "3"});
  }
  void PutContent(std::string_view bytes) {
    ASSERT_EQ(t.host.files().WriteFile(files.content_file, bytes), FileStatus::Ok);
  }
  void SetTime(const std::string& path, std::int64_t seconds) {
    struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, t.host.HostPath(path).c_str(), times, 0), 0);
  }
  std::string Prepare(bool* notice = nullptr) {
    bool n = false;
    std::string page = PrepareScreenPage(app, files, n);
    if (notice != nullptr) *notice = n;
    return t.FileBytes(page);
  }
};

TEST_F(ScreenPageTest, FilesOfAScreen) {
  EXPECT_EQ(files.content_file, "C:\\Course\\l1\\obj2\\intro.xml");
  EXPECT_EQ(files.screen_page, "C:\\data\\intro.htm");
  EXPECT_EQ(files.edited_file, "C:\\data\\issues\\l1_o2_p3.htm");
}

TEST_F(ScreenPageTest, RendersTheContentInTheLanguagesLabels) {
  PutContent(kContent);
  struct Case {
    const char* language;
    const char* text;
    const char* image;
    const char* audio;
  } cases[] = {{"en", "TEXT", "IMAGE", "AUDIO"}, {"fr", "TEXTE", "IMAGE", "SON"},
               {"es", "TEXTO", "IMAGEN", "AUDIO"}, {"pt", "TEXTO", "IMAGEM", "AUDIO"}};
  for (const Case& c : cases) {
    app.Language = c.language;
    EXPECT_EQ(Prepare(), ExpectedPage(c.text, c.image, c.audio)) << c.language;
  }
}

TEST_F(ScreenPageTest, EscapesUnfoldOneStepAfterTheOther) {
  auto render = [&](const std::string& body) {
    return RenderScreenContent(app, "<PARAMETERS/></PARAMETERS>" + body).value();
  };
  EXPECT_EQ(render("a&amp;nbsp;b"), "a b\r\n");
  EXPECT_EQ(render("&amp;lt;x"), "<x\r\n");
  EXPECT_EQ(render("</FONT>"), "</FONT>\r\n");
  EXPECT_EQ(render("a, b"), "a\r\nb\r\n") << "commas split items";
  EXPECT_FALSE(RenderScreenContent(app, "<LPOINT><MEDIA/></LPOINT>").has_value());
}

TEST_F(ScreenPageTest, EditedFileIsReusedWhileNewerToTheSecond) {
  PutContent(kContent);
  ASSERT_EQ(t.host.files().WriteFile(files.edited_file, "edited page"), FileStatus::Ok);
  struct Case {
    std::int64_t edited, content;
    bool reused;
  } cases[] = {{2'000'000'001, 2'000'000'000, true},
               {2'000'000'000, 2'000'000'000, false},
               {1'999'999'999, 2'000'000'000, false}};
  for (const Case& c : cases) {
    SetTime(files.edited_file, c.edited);
    SetTime(files.content_file, c.content);
    std::string page = Prepare();
    EXPECT_EQ(page == "edited page", c.reused) << c.edited << " " << c.content;
    EXPECT_TRUE(t.host.files().FileExists(files.edited_file)) << "the edited file stays";
  }
}

TEST_F(ScreenPageTest, MissingPiecesGiveAPageThatSaysWhich) {
  bool notice = false;
  std::string page = Prepare(&notice);
  EXPECT_TRUE(notice);
  EXPECT_NE(page.find("obj2/intro.xml"), std::string::npos) << page;
  EXPECT_NE(page.find("is missing or cannot be read"), std::string::npos) << page;

  PutContent("<LPOINT><MEDIA></MEDIA></LPOINT>");
  page = Prepare(&notice);
  EXPECT_TRUE(notice);
  EXPECT_NE(page.find("it has no &lt;/PARAMETERS&gt;"), std::string::npos) << page;

  t.WriteSettings("coursecode=ABC\r\n");
  files = ScreenFilesOf(app, {"1", "2", "3"});
  page = Prepare(&notice);
  EXPECT_TRUE(notice);
  EXPECT_EQ(files.screen_page, "C:\\data\\l1_o2_p3_screen.htm");
  EXPECT_NE(page.find("No screen content file is set"), std::string::npos) << page;
}

TEST(PageBytesTest, KeepsEveryCharacter) {
  EXPECT_EQ(PageBytes("caf\u00e9 \u2192 \u4e2d"), "caf\xE9 &#8594; &#20013;");
  EXPECT_EQ(PageBytes("\u20ac"), "\x80");
}

}  // namespace
}  // namespace mirvane
