#include "review/issue_export.h"

#include <optional>

#include "platform/codepage.h"
#include "platform/text.h"
#include "player/file_name_text.h"
#include "startup/item_reader.h"
#include "startup/settings.h"

namespace mirvane {

namespace {

constexpr std::string_view kCrLf = "\r\n";

constexpr std::string_view kStyleSheetLines[] = {
    R"(<?xml version="1.0" encoding="Windows-1252" ?>)",
    R"(<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">)",
    R"(<xsl:template match="/">)",
    R"(<html>)",
    R"(<body bgcolor="ffffff">)",
    R"(<font face="Arial" size="4"><xsl:value-of select="/ISSUES/@courseid"/></font>)",
    R"(<br/>)",
    R"(<font face="Arial" size="2"><b>[USUARIO]:  </b>)"
    R"(<xsl:value-of select="/ISSUES/ISSUE/@userid"/></font>)",
    R"(<br/><br/>)",
    R"(<table border="1" width="100%" cellpadding="2">)",
    R"(<xsl:for-each select="ISSUES/ISSUE">)",
    R"(<tr>)",
    R"(<td width="100"><font face="Arial" size="2"><B>l<xsl:value-of select="@lpath"/>)"
    R"(_o<xsl:value-of select="@lobjectid"/>_p<xsl:value-of select="@lpointid"/></B></font></td>)",
    R"(<td><pre><font face="Arial" size="2"><xsl:value-of select="USERDESCRIPTION"/>)"
    R"(</font></pre></td>)",
    R"(</tr>)",
    R"(</xsl:for-each>)",
    R"(</table>)",
    R"(</body>)",
    R"(</html>)",
    R"(</xsl:template>)",
    R"(</xsl:stylesheet>)",
};

std::string IssuesFolder(const App& app) { return app.DataFolder + "issues\\"; }
std::string StyleSheetPath(const App& app) { return IssuesFolder(app) + "issues.xsl"; }
std::string CommentFolder(const App& app) { return app.DataFolder + "rawdata\\"; }

FileStatus WriteStyleSheet(App& app) {
  std::string text;
  for (std::string_view line : kStyleSheetLines) {
    text += line;
    text += kCrLf;
  }
  return app.platform.files.WriteFile(StyleSheetPath(app), text);
}

// Attribute values are delimited by double quotes, so a quote in a value
// (a user id is whatever the learner typed) must not end it early.
std::string EscapeXmlAttribute(std::string_view value) {
  return Replace(EscapeXmlText(value), "\"", "&quot;");
}

// Characters XML 1.0 cannot hold at all, not even as a reference.
bool IsXmlChar(char32_t c) {
  if (c < 0x20) return c == '\t' || c == '\n' || c == '\r';
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  return c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

// The report text in the form its declaration promises: every character that
// Windows-1252 lacks becomes a numeric character reference, so no typed
// character is lost or turned into "?". The C1 controls, among them the five
// bytes the code page leaves undefined, are references too: an XML reader's
// Windows-1252 decoder need not accept those bytes. A character XML cannot
// hold becomes the replacement character, so the report stays readable.
std::string ToWindows1252Xml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const char32_t c = NextChar(text, pos);
    const std::string_view character = text.substr(start, pos - start);
    if (!IsXmlChar(c)) {
      out += "&#65533;";
    } else if (c < 0x80 || (c >= 0xA0 && FitsAnsi(character))) {
      out += character;
    } else {
      out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
    }
  }
  return EncodeAnsi(out);
}

struct CommentFileName {
  std::string user_id, lesson_path, learning_object, learning_point;
};

// "<user id>_<lesson path>-<object>-<point>.raw". The split is at the last
// "_": user ids may hold underscores (the anonymous learner's does), the
// numbers never do.
std::optional<CommentFileName> SplitCommentFileName(std::string_view name) {
  const std::size_t u = name.rfind('_');
  if (u == std::string_view::npos) return std::nullopt;
  const std::size_t h1 = name.find('-', u + 1);
  if (h1 == std::string_view::npos) return std::nullopt;
  const std::size_t h2 = name.find('-', h1 + 1);
  if (h2 == std::string_view::npos) return std::nullopt;
  const std::size_t d = name.find('.', h2 + 1);
  if (d == std::string_view::npos) return std::nullopt;
  return CommentFileName{std::string(name.substr(0, u)),
                         std::string(name.substr(u + 1, h1 - u - 1)),
                         std::string(name.substr(h1 + 1, h2 - h1 - 1)),
                         std::string(name.substr(h2 + 1, d - h2 - 1))};
}

// The comment as the review window stored it: its items (its lines, since the
// window protects commas as "\|") joined by CR LF, each escaped for XML, with
// the commas restored. A file of one empty line gives one empty item, hence an
// empty description.
std::string Description(std::string_view comment) {
  std::string description;
  ItemReader reader(comment);
  std::string_view item;
  bool first = true;
  while (reader.Next(item)) {
    if (!first) description += kCrLf;
    description += EscapeXmlText(item);
    first = false;
  }
  return Replace(description, "\\|", ",");
}

std::string IssueLines(const CommentFileName& name, std::string_view comment) {
  std::string lines = "  <ISSUE";
  lines += " lpath=\"" + EscapeXmlAttribute(name.lesson_path) + "\"";
  lines += " lobjectid=\"" + EscapeXmlAttribute(name.learning_object) + "\"";
  lines += " lpointid=\"" + EscapeXmlAttribute(name.learning_point) + "\"";
  lines += " userid=\"rev\\" + EscapeXmlAttribute(name.user_id) + "\">";
  lines += kCrLf;
  lines += "    <USERDESCRIPTION>" + Description(comment) + "</USERDESCRIPTION>";
  lines += kCrLf;
  lines += "  </ISSUE>";
  lines += kCrLf;
  return lines;
}

bool ReviewModeOn(App& app) {
  try {
    return LCase(ReadSetting(app, "review")) == "true";
  } catch (const SettingsFileError&) {
    // Without its settings the program cannot tell review mode; the comment
    // files stay for an export that can.
    return false;
  }
}

}  // namespace

std::string EscapeXmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

void WriteIssueStyleSheet(App& app) { WriteStyleSheet(app); }

ExportResult ExportIssueReport(App& app) {
  ExportResult result;
  if (!ReviewModeOn(app)) return result;
  result.review = true;

  FileSystem& files = app.platform.files;
  const std::string issues = IssuesFolder(app);
  if (!files.FolderExists(issues)) files.CreateFolder(issues);
  // A style sheet the course authors adapted is kept. Without one the report
  // is still complete data, so a failure here does not stop the export.
  if (!files.FileExists(StyleSheetPath(app))) WriteStyleSheet(app);

  const std::string folder = CommentFolder(app);
  std::string issue_lines;
  std::vector<std::string> in_report;
  for (const std::string& name : files.ListFiles(folder, "*.raw")) {
    const std::optional<CommentFileName> parts = SplitCommentFileName(name);
    const FileRead read = parts ? files.ReadFile(folder + name) : FileRead{};
    const std::string comment =
        parts && read.status == FileStatus::Ok ? DecodeText(read.bytes, TextEncoding::Detect) : "";
    if (comment.empty()) {
      // Not a comment file of the review window, or nothing to report yet.
      result.kept.push_back(name);
      continue;
    }
    issue_lines += IssueLines(*parts, comment);
    in_report.push_back(name);
  }
  // Nothing is written without comments, so an earlier report of the same
  // second is never replaced by an empty one.
  if (in_report.empty()) return result;

  std::string report;
  report += R"(<?xml version="1.0" encoding="Windows-1252" ?>)";
  report += kCrLf;
  report += R"(<?xml-stylesheet type="text/xsl" href="issues.xsl"?>)";
  report += kCrLf;
  report += "<ISSUES courseid=\"" + EscapeXmlAttribute(app.CourseCode) + "\">";
  report += kCrLf;
  report += issue_lines;
  report += "</ISSUES>";
  report += kCrLf;

  Clock& clock = app.platform.clock;
  const std::string path =
      issues + ToFileNameText(DateTimeText(clock.Now(), clock.Regional())) + ".xml";
  result.report_status = files.WriteFile(path, ToWindows1252Xml(report));
  if (result.report_status != FileStatus::Ok) {
    // The comments exist only in their files: keep every one.
    result.kept.insert(result.kept.end(), in_report.begin(), in_report.end());
    return result;
  }
  result.report = path;
  result.comments = static_cast<int>(in_report.size());
  for (const std::string& name : in_report) {
    // A file that stays is exported again next time: repeated, never lost.
    if (files.DeleteFile(folder + name) != FileStatus::Ok) result.kept.push_back(name);
  }
  return result;
}

void ExportIssues(App& app) { ExportIssueReport(app); }

}  // namespace mirvane
