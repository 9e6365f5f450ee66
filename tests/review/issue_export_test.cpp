#include "review/issue_export.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/headless_app.h"

namespace mirvane {
namespace {

using Names = std::vector<std::string>;

constexpr const char* kDataFolder = "C:\\e-Learning\\ABC.coursedata\\";
constexpr const char* kCommentFolder = "C:\\e-Learning\\ABC.coursedata\\rawdata\\";
constexpr const char* kIssues = "C:\\e-Learning\\ABC.coursedata\\issues\\";
constexpr const char* kStyleSheet = "C:\\e-Learning\\ABC.coursedata\\issues\\issues.xsl";
// 2009-10-15 14:05:09 in a day-month-year locale.
constexpr const char* kReport = "C:\\e-Learning\\ABC.coursedata\\issues\\15-10-2009 14.05.09.xml";

constexpr std::string_view kReportHead =
    "<?xml version=\"1.0\" encoding=\"Windows-1252\" ?>\r\n"
    "<?xml-stylesheet type=\"text/xsl\" href=\"issues.xsl\"?>\r\n"
    "<ISSUES courseid=\"ABC\">\r\n";
constexpr std::string_view kReportTail = "</ISSUES>\r\n";

// A course run in review mode, closed by a reviewer with comment files in the
// comment folder.
struct ReviewedCourse {
  test::HeadlessApp t;

  explicit ReviewedCourse(std::string_view settings = "review=true\r\ncoursecode=ABC\r\n") {
    t.WriteSettings(settings);
    t.app.CourseCode = "ABC";
    t.app.DataFolder = kDataFolder;
    for (const char* folder : {"C:\\e-Learning\\", kDataFolder, kCommentFolder}) {
      files().CreateFolder(folder);
    }
    t.host.clock.now = {2009, 10, 15, 14, 5, 9};
    t.host.clock.regional.short_date = "dd/MM/yyyy";
    t.host.clock.regional.long_time = "HH:mm:ss";
  }

  FileSystem& files() { return t.host.files(); }
  void Comment(std::string_view name, std::string_view bytes) {
    ASSERT_EQ(files().WriteFile(kCommentFolder + std::string(name), bytes), FileStatus::Ok) << name;
  }
  std::string CommentBytes(std::string_view name) {
    return t.FileBytes(kCommentFolder + std::string(name));
  }
  Names CommentFiles() { return files().ListFiles(kCommentFolder, "*"); }
  Names IssueFiles() { return files().ListFiles(kIssues, "*"); }
  ExportResult Export() { return ExportIssueReport(t.app); }
};

// The issue lines of a report between its heading and its end.
std::string IssueLinesOf(const std::string& report) {
  if (!report.starts_with(kReportHead) || !report.ends_with(kReportTail)) return "<malformed>";
  return report.substr(kReportHead.size(),
                       report.size() - kReportHead.size() - kReportTail.size());
}

std::string Quoted(const std::string& path) {
  std::string out = "'";
  for (const char c : path) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

struct ToolRun {
  int status = -1;
  std::string output;  // standard output and standard error
};

ToolRun RunTool(const std::string& command) {
  ToolRun run;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
    run.output.append(buffer, n);
  }
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// The text a browser shows for an HTML page: the tags dropped and the
// character references a style sheet's output holds resolved.
std::string ShownText(std::string_view html) {
  std::string text;
  for (std::size_t pos = 0; pos < html.size();) {
    if (html[pos] == '<') {
      const std::size_t close = html.find('>', pos);
      pos = close == std::string_view::npos ? html.size() : close + 1;
      continue;
    }
    bool replaced = false;
    for (const auto& [ref, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"},
                                 {"&quot;", "\""}}) {
      if (html.substr(pos).starts_with(ref)) {
        text += c;
        pos += std::string_view(ref).size();
        replaced = true;
        break;
      }
    }
    if (!replaced) text += html[pos++];
  }
  return text;
}

TEST(EscapeXmlTextTest, EscapesEachMarkupCharacterExactlyOnce) {
  struct Case {
    const char* text;
    const char* escaped;
  } cases[] = {
      {"", ""},
      {"plain caf\xC3\xA9 \"quoted\" 'single'", "plain caf\xC3\xA9 \"quoted\" 'single'"},
      {"<b>bold</b>", "&lt;b&gt;bold&lt;/b&gt;"},
      {"a & b", "a &amp; b"},
      {"&lt;", "&amp;lt;"},  // an entity typed by the reviewer is text, not markup
      {"&&<<>>", "&amp;&amp;&lt;&lt;&gt;&gt;"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeXmlText(c.text), c.escaped) << c.text;
}

TEST(IssueExportTest, WritesTheReportAndStyleSheetAndConsumesTheComments) {
  ReviewedCourse course;
  // As the review window stores them: commas protected, Windows-1252 text.
  course.Comment("ana_1-2-3.raw", "Falta una coma\\|\r\nen la l\xED" "nea 2\r\n");
  course.Comment("bob_1-10-2.raw", "Ok\r\n");

  const ExportResult result = course.Export();

  EXPECT_EQ(result.report, kReport);
  EXPECT_EQ(result.comments, 2);
  EXPECT_EQ(course.t.FileBytes(kReport),
            "<?xml version=\"1.0\" encoding=\"Windows-1252\" ?>\r\n"
            "<?xml-stylesheet type=\"text/xsl\" href=\"issues.xsl\"?>\r\n"
            "<ISSUES courseid=\"ABC\">\r\n"
            "  <ISSUE lpath=\"1\" lobjectid=\"2\" lpointid=\"3\" userid=\"rev\\ana\">\r\n"
            "    <USERDESCRIPTION>Falta una coma,\r\nen la l\xED" "nea 2</USERDESCRIPTION>\r\n"
            "  </ISSUE>\r\n"
            "  <ISSUE lpath=\"1\" lobjectid=\"10\" lpointid=\"2\" userid=\"rev\\bob\">\r\n"
            "    <USERDESCRIPTION>Ok</USERDESCRIPTION>\r\n"
            "  </ISSUE>\r\n"
            "</ISSUES>\r\n");
  EXPECT_EQ(course.t.FileBytes(kStyleSheet),
            "<?xml version=\"1.0\" encoding=\"Windows-1252\" ?>\r\n"
            "<xsl:stylesheet version=\"1.0\" "
            "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\r\n"
            "<xsl:template match=\"/\">\r\n"
            "<html>\r\n"
            "<body bgcolor=\"ffffff\">\r\n"
            "<font face=\"Arial\" size=\"4\">"
            "<xsl:value-of select=\"/ISSUES/@courseid\"/></font>\r\n"
            "<br/>\r\n"
            "<font face=\"Arial\" size=\"2\"><b>[USUARIO]:  </b>"
            "<xsl:value-of select=\"/ISSUES/ISSUE/@userid\"/></font>\r\n"
            "<br/><br/>\r\n"
            "<table border=\"1\" width=\"100%\" cellpadding=\"2\">\r\n"
            "<xsl:for-each select=\"ISSUES/ISSUE\">\r\n"
            "<tr>\r\n"
            "<td width=\"100\"><font face=\"Arial\" size=\"2\">"
            "<B>l<xsl:value-of select=\"@lpath\"/>"
            "_o<xsl:value-of select=\"@lobjectid\"/>_p<xsl:value-of select=\"@lpointid\"/></B>"
            "</font></td>\r\n"
            "<td><pre><font face=\"Arial\" size=\"2\"><xsl:value-of select=\"USERDESCRIPTION\"/>"
            "</font></pre></td>\r\n"
            "</tr>\r\n"
            "</xsl:for-each>\r\n"
            "</table>\r\n"
            "</body>\r\n"
            "</html>\r\n"
            "</xsl:template>\r\n"
            "</xsl:stylesheet>\r\n");
  EXPECT_EQ(course.IssueFiles(), (Names{"15-10-2009 14.05.09.xml", "issues.xsl"}));
  EXPECT_EQ(course.CommentFiles(), Names{});
  EXPECT_EQ(result.kept, Names{});
}

TEST(IssueExportTest, ReportIsNamedAfterTheRegionalDateAndTime) {
  struct Case {
    const char* short_date;
    const char* long_time;
    LocalDateTime now;
    const char* name;
  } cases[] = {
      {"dd/MM/yyyy", "HH:mm:ss", {2009, 10, 15, 14, 5, 9}, "15-10-2009 14.05.09.xml"},
      {"M/d/yyyy", "h:mm:ss tt", {2009, 10, 15, 14, 5, 9}, "10-15-2009 2.05.09 PM.xml"},
      {"dd/MM/yyyy", "HH:mm:ss", {2009, 10, 15, 0, 0, 0}, "15-10-2009.xml"},  // midnight: date only
  };
  for (const Case& c : cases) {
    ReviewedCourse course;
    course.t.host.clock.regional.short_date = c.short_date;
    course.t.host.clock.regional.long_time = c.long_time;
    course.t.host.clock.now = c.now;
    course.Comment("ana_1-2-3.raw", "x\r\n");
    EXPECT_EQ(course.Export().report, kIssues + std::string(c.name)) << c.name;
    EXPECT_EQ(course.IssueFiles(), (Names{c.name, "issues.xsl"})) << c.name;
  }
}

TEST(IssueExportTest, ReviewSettingIsLowerCasedButNotTrimmed) {
  struct Case {
    const char* settings;
    bool exports;
  } cases[] = {
      {"review=TRUE\r\n", true},
      {"review=True   \r\n", true},  // item-wise reading drops spaces at the end of the line
      {"review= true\r\n", false},   // a space after "=" belongs to the value
      {"review=yes\r\n", false},
      {"coursecode=ABC\r\n", false},
  };
  for (const Case& c : cases) {
    ReviewedCourse course(c.settings);
    course.Comment("ana_1-2-3.raw", "x\r\n");
    const ExportResult result = course.Export();
    EXPECT_EQ(result.review, c.exports) << c.settings;
    EXPECT_EQ(course.files().FileExists(kReport), c.exports) << c.settings;
    EXPECT_EQ(course.files().FolderExists(kIssues), c.exports) << c.settings;
    EXPECT_EQ(course.CommentFiles().size(), c.exports ? 0u : 1u) << c.settings;
  }
}

TEST(IssueExportTest, WithoutSettingsFileExportsNothingAndKeepsTheComments) {
  ReviewedCourse course;
  course.files().DeleteFile(course.t.app.AppFolder + "mirvane.ini");
  course.Comment("ana_1-2-3.raw", "x\r\n");

  EXPECT_NO_THROW(ExportIssues(course.t.app));
  EXPECT_FALSE(course.files().FolderExists(kIssues));
  EXPECT_EQ(course.CommentFiles(), Names{"ana_1-2-3.raw"});
}

TEST(IssueExportTest, WithoutCommentsOnlyTheStyleSheetIsWritten) {
  ReviewedCourse course;
  ExportResult result = course.Export();
  EXPECT_TRUE(result.review);
  EXPECT_EQ(result.report, "");
  EXPECT_EQ(course.IssueFiles(), Names{"issues.xsl"});

  // A report written earlier in the same second is not replaced by an empty one.
  course.files().WriteFile(kReport, "earlier report");
  course.Export();
  EXPECT_EQ(course.t.FileBytes(kReport), "earlier report");

  // Neither is there a report when the comment folder was never made.
  ReviewedCourse never_reviewed;
  never_reviewed.files().CreateFolder(kIssues);  // the review window's screen files live here
  std::filesystem::remove(never_reviewed.t.host.HostPath(kCommentFolder));
  never_reviewed.Export();
  EXPECT_EQ(never_reviewed.IssueFiles(), Names{"issues.xsl"});
}

TEST(IssueExportTest, AnExistingStyleSheetIsNeverRewritten) {
  ReviewedCourse course;
  course.files().CreateFolder(kIssues);
  course.files().WriteFile(kStyleSheet, "adapted by the authors");
  course.Comment("ana_1-2-3.raw", "x\r\n");

  course.Export();

  EXPECT_EQ(course.t.FileBytes(kStyleSheet), "adapted by the authors");
  EXPECT_TRUE(course.files().FileExists(kReport));

  WriteIssueStyleSheet(course.t.app);  // asked for explicitly, it replaces the file
  EXPECT_TRUE(course.t.FileBytes(kStyleSheet).starts_with("<?xml version=\"1.0\""));
}

TEST(IssueExportTest, CommentFileBecomesTheDescription) {
  struct Case {
    const char* what;
    const char* bytes;        // the comment file
    const char* description;  // bytes between <USERDESCRIPTION> and its end tag
  } cases[] = {
      {"protected commas", "uno\\|dos\\| tres\r\n", "uno,dos, tres"},
      {"an empty comment", "\r\n", ""},
      {"spaces around lines", "   first line  \r\n  second\r\n", "first line\r\nsecond"},
      {"the empty line before an edit note", "fix\r\n\r\nMedia content modified.\r\n",
       "fix\r\n\r\nMedia content modified."},
      {"no line end at all", "last", "last"},
      {"markup and commas", "a\\|<b>&c\r\n", "a,&lt;b&gt;&amp;c"},
      {"a comma written by hand ends an item", "a,b\r\n", "a\r\nb"},
      {"Windows-1252", "caf\xE9 \x80 5\r\n", "caf\xE9 \x80 5"},
      {"UTF-8 behind a byte-order mark",
       "\xEF\xBB\xBF" "caf\xC3\xA9 \xE2\x82\xAC \xE2\x86\x92 \xE4\xB8\xAD\r\n",
       "caf\xE9 \x80 &#8594; &#20013;"},
      {"controls", "\xEF\xBB\xBF" "a\xC2\x81" "b\x07" "c\tz\r\n", "a&#129;b&#65533;c\tz"},
  };
  for (const Case& c : cases) {
    ReviewedCourse course;
    course.Comment("ana_1-2-3.raw", c.bytes);
    course.Export();
    EXPECT_EQ(IssueLinesOf(course.t.FileBytes(kReport)),
              "  <ISSUE lpath=\"1\" lobjectid=\"2\" lpointid=\"3\" userid=\"rev\\ana\">\r\n"
              "    <USERDESCRIPTION>" + std::string(c.description) + "</USERDESCRIPTION>\r\n"
              "  </ISSUE>\r\n")
        << c.what;
  }
}

TEST(IssueExportTest, CommentFileNameGivesTheScreenAndTheReviewer) {
  struct Case {
    const char* name;
    const char* attributes;  // of the ISSUE element
  } cases[] = {
      {"ana_12-3-45.raw", "lpath=\"12\" lobjectid=\"3\" lpointid=\"45\" userid=\"rev\\ana\""},
      {"anonymous_iusr_localmachine_x86_2-10-7.raw",
       "lpath=\"2\" lobjectid=\"10\" lpointid=\"7\" "
       "userid=\"rev\\anonymous_iusr_localmachine_x86\""},
      {"jean-luc_1-2-3.raw", "lpath=\"1\" lobjectid=\"2\" lpointid=\"3\" userid=\"rev\\jean-luc\""},
      {"jos\xC3\xA9\xE2\x86\x92_1-2-3.raw",
       "lpath=\"1\" lobjectid=\"2\" lpointid=\"3\" userid=\"rev\\jos\xE9&#8594;\""},
  };
  for (const Case& c : cases) {
    ReviewedCourse course;
    course.Comment(c.name, "x\r\n");
    course.Export();
    EXPECT_EQ(IssueLinesOf(course.t.FileBytes(kReport)),
              "  <ISSUE " + std::string(c.attributes) + ">\r\n"
              "    <USERDESCRIPTION>x</USERDESCRIPTION>\r\n"
              "  </ISSUE>\r\n")
        << c.name;
  }
}

TEST(IssueExportTest, FilesThatAreNoCommentsAreSkippedAndKept) {
  ReviewedCourse course;
  const Names odd = {
      "ana-1-2_3.raw",      // nothing but "3" after the last "_"
      "ana_1-2-3_old.raw",  // a copy someone kept
      "ana_1-2.raw",        // one "-" only
      "ana_1.raw",          // no "-"
      "bob_1-2-3.raw",      // empty
      "notes.raw",          // no "_"
  };
  for (const std::string& name : odd) {
    course.Comment(name, name == "bob_1-2-3.raw" ? "" : "keep me\r\n");
  }
  course.Comment("carla_1-2-3.raw", "reported\r\n");
  course.Comment("readme.txt", "not a comment file\r\n");

  const ExportResult result = course.Export();

  EXPECT_EQ(result.kept, odd);
  EXPECT_EQ(IssueLinesOf(course.t.FileBytes(kReport)),
            "  <ISSUE lpath=\"1\" lobjectid=\"2\" lpointid=\"3\" userid=\"rev\\carla\">\r\n"
            "    <USERDESCRIPTION>reported</USERDESCRIPTION>\r\n"
            "  </ISSUE>\r\n");
  Names left = odd;
  left.push_back("readme.txt");
  std::sort(left.begin(), left.end());
  EXPECT_EQ(course.CommentFiles(), left);
  EXPECT_EQ(course.CommentBytes("ana_1-2.raw"), "keep me\r\n");
  EXPECT_EQ(course.CommentBytes("bob_1-2-3.raw"), "");

  // With nothing but such files there is no report.
  ReviewedCourse only_empty;
  only_empty.Comment("bob_1-2-3.raw", "");
  EXPECT_EQ(only_empty.Export().report, "");
  EXPECT_EQ(only_empty.IssueFiles(), Names{"issues.xsl"});
  EXPECT_EQ(only_empty.CommentFiles(), Names{"bob_1-2-3.raw"});
}

TEST(IssueExportTest, AReportThatCannotBeWrittenKeepsEveryComment) {
  struct Case {
    const char* what;
    void (*block)(FileSystem&);
  } cases[] = {
      {"the issues folder is a file",
       [](FileSystem& files) { files.WriteFile(std::string(kDataFolder) + "issues", "x"); }},
      {"the report name is a folder",
       [](FileSystem& files) {
         files.CreateFolder(kIssues);
         files.CreateFolder(kReport);
       }},
  };
  for (const Case& c : cases) {
    ReviewedCourse course;
    c.block(course.files());
    course.Comment("ana_1-2-3.raw", "first\r\n");
    course.Comment("bob_2-1-1.raw", "second\r\n");

    ExportResult result;
    EXPECT_NO_THROW(result = course.Export()) << c.what;

    EXPECT_NE(result.report_status, FileStatus::Ok) << c.what;
    EXPECT_EQ(result.report, "") << c.what;
    EXPECT_EQ(result.kept, (Names{"ana_1-2-3.raw", "bob_2-1-1.raw"})) << c.what;
    EXPECT_EQ(course.CommentFiles(), (Names{"ana_1-2-3.raw", "bob_2-1-1.raw"})) << c.what;
    EXPECT_EQ(course.CommentBytes("ana_1-2-3.raw"), "first\r\n") << c.what;
    EXPECT_EQ(course.CommentBytes("bob_2-1-1.raw"), "second\r\n") << c.what;
  }
}

TEST(IssueExportTest, AStyleSheetThatCannotBeWrittenDoesNotStopTheReport) {
  ReviewedCourse course;
  course.files().CreateFolder(kIssues);
  course.files().CreateFolder(kStyleSheet);
  course.Comment("ana_1-2-3.raw", "x\r\n");

  EXPECT_NO_THROW(course.Export());

  EXPECT_TRUE(course.files().FileExists(kReport));
  EXPECT_EQ(course.CommentFiles(), Names{});
}

TEST(IssueExportTest, MarkupInCommentsIdsAndCourseCodeGivesAWellFormedReport) {
  ReviewedCourse course;
  course.t.app.CourseCode = "R&D \"<2009>\" \xE4\xB8\xAD";
  course.Comment("o\"hara&<co>_1-2-3.raw", "<b>bold</b> & more\\| \"quoted\"\r\n");

  course.Export();

  const std::string report = course.t.FileBytes(kReport);
  EXPECT_NE(report.find("<ISSUES courseid=\"R&amp;D &quot;&lt;2009&gt;&quot; &#20013;\">"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("userid=\"rev\\o&quot;hara&amp;&lt;co&gt;\""), std::string::npos)
      << report;
  EXPECT_NE(report.find("<USERDESCRIPTION>&lt;b&gt;bold&lt;/b&gt; &amp; more, \"quoted\""
                        "</USERDESCRIPTION>"),
            std::string::npos)
      << report;
  const ToolRun lint =
      RunTool("/usr/bin/xmllint --noout " + Quoted(course.t.host.HostPath(kReport)));
  EXPECT_EQ(lint.status, 0) << lint.output;
}

TEST(IssueExportTest, StyleSheetRendersTheReportAsATable) {
  ReviewedCourse course;
  // ana's comment holds characters outside Windows-1252, so the review window
  // stored it as UTF-8.
  course.Comment("ana_1-2-3.raw",
                 "\xEF\xBB\xBF<b>fett</b> & co\\| caf\xC3\xA9\r\n\xE2\x86\x92 zweite Zeile\r\n");
  course.Comment("bob_2-1-1.raw", "Ok\r\n");
  course.Export();

  const std::string html_path = course.t.host.root() + "/rendered.html";
  const ToolRun render = RunTool("/usr/bin/xsltproc -o " + Quoted(html_path) + " " +
                             Quoted(course.t.host.HostPath(kStyleSheet)) + " " +
                             Quoted(course.t.host.HostPath(kReport)));
  ASSERT_EQ(render.status, 0) << render.output;
  std::ostringstream html;
  html << std::ifstream(html_path, std::ios::binary).rdbuf();
  const std::string shown = ShownText(html.str());

  EXPECT_NE(shown.find("ABC"), std::string::npos) << shown;
  // The heading names the first reviewer only.
  EXPECT_NE(shown.find("[USUARIO]:  rev\\ana"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("rev\\bob"), std::string::npos) << shown;
  EXPECT_NE(shown.find("l1_o2_p3"), std::string::npos) << shown;
  EXPECT_NE(shown.find("l2_o1_p1"), std::string::npos) << shown;
  // The comment as typed (the report's CR LF read as LF, as XML does); the
  // rendered page is UTF-8.
  EXPECT_NE(shown.find("<b>fett</b> & co, caf\xC3\xA9\n\xE2\x86\x92 zweite Zeile"),
            std::string::npos)
      << shown;
}

}  // namespace
}  // namespace mirvane
