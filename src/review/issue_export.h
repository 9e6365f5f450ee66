// The issue report: when a course run in review mode closes, the reviewers'
// comment files (DataFolder\rawdata\<user>_<lpath>-<lobject>-<lpoint>.raw)
// are gathered into one XML report in DataFolder\issues\, named after the
// date and time, with the style sheet issues.xsl beside it that shows the
// report as a table in a browser. The comment files that went into the report
// are then removed, so each report holds the comments since the one before.
//
// Both files are Windows-1252 text with CR LF line ends. The export shows no
// messages and never throws for a file it cannot read, write or delete: the
// course closes regardless, and a comment file is removed only once a report
// holding it is safely on the disk.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "startup/app.h"

namespace mirvane {

// `text` with every "&" as "&amp;", "<" as "&lt;" and ">" as "&gt;"; each
// character of the input is escaped exactly once.
std::string EscapeXmlText(std::string_view text);

// Writes DataFolder\issues\issues.xsl, replacing a file of that name. The
// issues folder must exist. A failure to write is not reported.
void WriteIssueStyleSheet(App& app);

// What one export did.
struct ExportResult {
  bool review = false;       // the setting `review` asked for an export
  std::string report;        // path of the report written; empty when none
  FileStatus report_status = FileStatus::Ok;  // why a report with comments was not written
  int comments = 0;          // comments in the written report
  std::vector<std::string> kept;  // names of comment files left in the comment folder
};

// Exports the comments when the setting `review` is "true" after lower-casing
// (spaces count). Comment files whose names do not follow the pattern, and
// empty or unreadable ones, stay where they are for a later export.
ExportResult ExportIssueReport(App& app);

// The same, for the course-closing command, which has no use for the result.
void ExportIssues(App& app);

}  // namespace mirvane
