#include "scenario/scenario_runner.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace mirvane {
namespace {

// A course installation in a temporary folder whose learner data lies beside
// it, so that it outlives each run.
class ScenarioTest : public ::testing::Test {
 protected:
  std::string folder;

  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / "mirvane-course-XXXXXX";
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    std::filesystem::create_directory(folder + "/data");
    Settings("showlogin=false\r\ntotallpaths=1\r\ntotallobjects1=2\r\n");
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  void Settings(const std::string& extra) {
    std::ofstream(folder + "/mirvane.ini", std::ios::binary)
        << "coursecode=DEMO\r\ndatapath=" << folder << "/data/\r\n" << extra;
  }

  int Run(const std::string& scenario, std::string& output) {
    std::istringstream in(scenario);
    std::ostringstream out;
    int status = RunScenario(folder, in, out);
    output = out.str();
    return status;
  }

  static bool Has(const std::string& output, const std::string& line) {
    return output.find(line + "\n") != std::string::npos;
  }
};

TEST_F(ScenarioTest, ABookmarkSetInOneRunIsResumedInTheNext) {
  std::string out;
  ASSERT_EQ(Run("navigate frmMain.wbContent javascript:openlobject(1,2)\n"
                "navigate frmMain.wbContent javascript:setbookmark(\"l1/o2/p1.htm\");\n"
                "records\n",
                out),
            0)
      << out;
  EXPECT_TRUE(Has(out, "navigation goes on: javascript:openlobject(1,2)")) << out;
  EXPECT_TRUE(Has(out, "navigation cancelled: javascript:setbookmark(\"l1/o2/p1.htm\");"));
  // The command wrote exactly the bookmark's four records.
  EXPECT_NE(out.find("record of anonymous_iusr_localmachine_x86:\n"
                     "  exists = 1\n"
                     "  pwd = anonymous_iusr_localmachine_x86\n"
                     "  bookmark_lpath = 0001\n"
                     "  bookmark_lobject = 0002\n"
                     "  bookmark_lpoint = 0001\n"
                     "  lesson_location = l1/o2/p1.htm\n"),
            std::string::npos)
      << out;

  ASSERT_EQ(Run("answer yes\n"
                "navigate frmMain.wbContent file:///course/course.htm\n"
                "complete frmMain.wbContent file:///course/trackingdata.htm\n",
                out),
            0)
      << out;
  EXPECT_TRUE(Has(out, "message box [Yes/No, question] Mirvane: Would you like to return to the "
                       "point where you left the course? -> Yes"))
      << out;
  EXPECT_TRUE(Has(out, "browser frmMain.wbContent: frames(1).body.innerHTML = 1"));
  EXPECT_TRUE(Has(out, "browser frmMain.wbContent: frames(0).location.href = l1/o2/p1.htm"));
  EXPECT_TRUE(Has(out, "navigation cancelled: file:///course/course.htm"));
  EXPECT_TRUE(Has(out, "browser frmMain.wbContent: frames(1).body.innerHTML = "
                       "showintro=false&bMute=true&CurrentUnit=1&sUnits=0&sTopics1=00&"))
      << out;
}

TEST_F(ScenarioTest, AnUnansweredMessageBoxEndsTheRunWithAnError) {
  std::string out;
  EXPECT_EQ(Run("navigate frmMain.wbContent javascript:tracking.end_course()\n"
                "records\n",
                out),
            1);
  EXPECT_NE(out.find("error: line 1: a message box was not answered"), std::string::npos) << out;
  EXPECT_EQ(out.find("> records"), std::string::npos);
}

TEST_F(ScenarioTest, MistakesInTheScenarioAreNamed) {
  struct Case {
    const char* scenario;
    const char* error;
  } cases[] = {
      {"click frmNowhere.cmdOk\n", "error: line 1: no window frmNowhere is open"},
      {"\n# comment\nclick frmMain.cmdNothing\n", "error: line 3: frmMain has no control cmdNothing"},
      {"click frmMain.cmdReview\n", "error: line 1: frmMain.cmdReview cannot be used: it is hidden"},
      {"jump frmMain\n", "error: line 1: unknown command \"jump\""},
      {"answer maybe\n", "error: line 1: answer takes yes, no or ok"},
      {"type frmMain.wbContent hello\n", "error: line 1: wbContent is not a text box"},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_EQ(Run(c.scenario, out), 1) << c.scenario;
    EXPECT_NE(out.find(c.error), std::string::npos) << out;
  }
}

TEST_F(ScenarioTest, TheProgramsEndStopsTheRun) {
  std::string out;
  EXPECT_EQ(Run("answer yes\n"
                "wait 90\n"
                "navigate frmMain.wbContent javascript:tracking.end_course()\n"
                "records\n",
                out),
            0);
  EXPECT_TRUE(Has(out, "program ended: status 0")) << out;
  EXPECT_TRUE(Has(out, "note: the program ended; 1 later line(s) not run")) << out;
  EXPECT_FALSE(std::filesystem::exists(folder +
                                       "/data/DEMO.coursedata/tracking/"
                                       "anonymous_iusr_localmachine_x86.tracking"));
}

TEST_F(ScenarioTest, StartUpMessagesNeedTheirAnswersFirst) {
  std::ofstream(folder + "/mirvane.ini", std::ios::binary) << "language=es\r\n";
  std::string out;
  EXPECT_EQ(Run("answer ok\n", out), 0);
  EXPECT_TRUE(Has(out, "message box [OK] Mirvane: e1 -> OK")) << out;
  EXPECT_TRUE(Has(out, "program ended: status 1"));
  EXPECT_EQ(Run("", out), 1);
  EXPECT_NE(out.find("a message box was not answered"), std::string::npos) << out;
}

// A whole review round: a reviewer comments on and edits a screen, and the
// closing course gathers the comment into the issue report.
TEST_F(ScenarioTest, AReviewRoundEndsInTheIssueReport) {
  Settings("showlogin=false\r\nreview=true\r\nidp1_1_1=welcome\r\nido1_1=o1\r\n");
  std::filesystem::create_directories(folder + "/l1/o1");
  std::ofstream(folder + "/l1/o1/welcome.xml", std::ios::binary)
      << "<LPOINT><PARAMETERS/></PARAMETERS><MEDIA><TEXT id=\"1\">Helo</TEXT></MEDIA></LPOINT>";
  std::string out;
  ASSERT_EQ(Run("navigate frmMain.wbContent javascript:openlobject(1,1)\n"
                "navigate frmMain.wbContent javascript:lpoint_begin('0');\n"
                "click frmMain.cmdReview\n"
                "body frmReview.wbContent <DIV contentEditable=\"true\">Helo</DIV>\n"
                "complete frmReview.wbContent file:///data/welcome.htm\n"
                "type frmReview.txtReview Misspelt: Helo, should be Hello\n"
                "body frmReview.wbContent <DIV contentEditable=\"true\">Hello</DIV>\n"
                "close frmReview\n"
                "answer yes\n"
                "navigate frmMain.wbContent javascript:tracking.end_course()\n",
                out),
            0)
      << out;
  EXPECT_TRUE(Has(out, "window shown: frmReview owner frmMain")) << out;
  EXPECT_TRUE(Has(out, "window closed: frmReview"));
  EXPECT_TRUE(Has(out, "program ended: status 0"));

  const std::string data = folder + "/data/DEMO.coursedata/";
  std::string report;
  for (const auto& entry : std::filesystem::directory_iterator(data + "issues")) {
    if (entry.path().extension() == ".xml") report = entry.path();
  }
  ASSERT_FALSE(report.empty()) << "no issue report";
  std::ifstream in(report, std::ios::binary);
  std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(xml.find("<ISSUE lpath=\"1\" lobjectid=\"1\" lpointid=\"1\" "
                     "userid=\"rev\\anonymous_iusr_localmachine_x86\">"),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find("<USERDESCRIPTION>Misspelt: Helo, should be Hello\r\n\r\nMedia content "
                     "modified. View the associated edits file.</USERDESCRIPTION>"),
            std::string::npos)
      << xml;
  EXPECT_TRUE(std::filesystem::is_empty(data + "rawdata")) << "the comment files are gone";
  EXPECT_TRUE(std::filesystem::exists(data + "issues/l1_o1_p1.htm"));
  EXPECT_TRUE(std::filesystem::exists(data + "issues/original/l1_o1_p1.htm"));
  EXPECT_TRUE(std::filesystem::exists(data + "issues/issues.xsl"));
}

}  // namespace
}  // namespace mirvane
