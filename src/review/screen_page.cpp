#include "review/screen_page.h"

#include "platform/codepage.h"
#include "platform/text.h"
#include "startup/item_reader.h"
#include "startup/settings.h"
#include "texts/text_repair.h"
#include "texts/text_table.h"

namespace mirvane {

namespace {

constexpr std::string_view kScreenPageHeader =
    "<HTML><HEAD/><BODY bgcolor=\"ffffff\" topmargin=\"5\" leftmargin=\"5\" "
    "style=\"font-family:Arial;font-size:4\">";
constexpr std::string_view kPageFooter = "</BODY></HTML>";

std::string Label(App& app, const char* key) {
  return UCase(GetText(app, key) + " <DIV style=\"display:none\" >");
}

std::string EscapeHtml(std::string_view text) {
  return Replace(Replace(Replace(text, "&", "&amp;"), "<", "&lt;"), ">", "&gt;");
}

std::string NoticePage(std::string_view message) {
  return std::string(kScreenPageHeader) + "<P>" + EscapeHtml(message) + "</P>" +
         std::string(kPageFooter) + "\r\n";
}

}  // namespace

ScreenFiles ScreenFilesOf(App& app, const ScreenPosition& at) {
  ScreenFiles f;
  f.screen_name = ReadSetting(app, "idp" + at.path + "_" + at.object + "_" + at.point);
  f.object_folder = ReadSetting(app, "ido" + at.path + "_" + at.object);
  f.content_file = app.ContentFolder + "l" + at.path + "\\" + f.object_folder + "\\" +
                   f.screen_name + ".xml";
  // Without a screen name the page still needs a name of its own.
  std::string page_name = f.screen_name.empty()
                              ? "l" + at.path + "_o" + at.object + "_p" + at.point + "_screen"
                              : f.screen_name;
  f.screen_page = app.DataFolder + page_name + ".htm";
  f.edited_file = app.DataFolder + "issues\\l" + at.path + "_o" + at.object + "_p" + at.point + ".htm";
  return f;
}

std::optional<std::string> RenderScreenContent(App& app, std::string_view content_as_read) {
  std::string text;
  ItemReader reader(content_as_read);
  std::string_view item;
  while (reader.Next(item)) {
    text += RepairText(item);
    text += "\r\n";
  }
  const std::pair<std::string, std::string> steps[] = {
      {"&amp;", "&"},
      {"&nbsp;", " "},
      {"&lt;", "<"},
      {"&gt;", ">"},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", ""},
      {"</LPOINT>", ""},
      {"<MEDIA>", "<TABLE border=\"1\" bgcolor=\"0\" celspacing=\"2\" cellpadding=\"2\" >"},
      {"</MEDIA>", "</TABLE>"},
      {"<FONT ", "<FONT_ "},
      {"</FONT ", "</FONT_ "},
      {"<AUDIO ", "</DIV><TR><TD bgcolor=\"ffcccc\" ><B>" + Label(app, "l30")},
      {"<IMAGE ", "</DIV><TR><TD bgcolor=\"ccffcc\" ><B>" + Label(app, "l31")},
      {"<TEXT ", "</DIV><TR><TD bgcolor=\"ccccff\" ><B>" + Label(app, "l32")},
      {"@@N@@", "&nbsp;&nbsp;"},
      {"<P>", "<P_>"},
      {"\"bold\"", "\"bold\" "},
      {"\"italic\"", "\"italic\" "},
      {"\">", "\"> </DIV></B><BR><DIV contentEditable=\"true\" >"},
      {"\"/>", "\"/> </DIV></B><BR>"},
      {"/>", "/> </DIV></B><BR>"},
  };
  for (const auto& [find, replace] : steps) text = Replace(text, find, replace);
  constexpr std::string_view kParametersEnd = "</PARAMETERS>";
  std::size_t cut = text.find(kParametersEnd);
  if (cut == std::string::npos) return std::nullopt;
  return text.substr(cut + kParametersEnd.size());
}

std::string PageBytes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t start = pos;
    char32_t c = NextChar(text, pos);
    std::string_view one = text.substr(start, pos - start);
    if (FitsAnsi(one)) {
      out += EncodeAnsi(one);
    } else {
      out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
    }
  }
  return out;
}

std::string PrepareScreenPage(App& app, const ScreenFiles& f, bool& notice) {
  FileSystem& files = app.platform.files;
  notice = false;
  if (files.FileExists(f.edited_file)) {
    std::optional<std::int64_t> edited = files.LastModified(f.edited_file);
    std::optional<std::int64_t> content = files.LastModified(f.content_file);
    // The reviewer's edits are shown while the content has not changed since.
    if (edited && (!content || *edited > *content)) {
      if (files.FileExists(f.screen_page)) files.DeleteFile(f.screen_page);
      if (files.CopyFile(f.edited_file, f.screen_page) == FileStatus::Ok) return f.screen_page;
    }
  }

  std::string page;
  if (f.screen_name.empty() || f.object_folder.empty()) {
    page = NoticePage("No screen content file is set for this screen in the settings file "
                      "(screen name and object folder).");
    notice = true;
  } else {
    TextRead read = ReadTextFile(files, f.content_file, TextEncoding::Ansi);
    std::optional<std::string> body;
    if (read.status == FileStatus::Ok) body = RenderScreenContent(app, read.text);
    if (read.status != FileStatus::Ok) {
      page = NoticePage("The screen content file \"" + files.DisplayPath(f.content_file) +
                        "\" is missing or cannot be read.");
      notice = true;
    } else if (!body) {
      page = NoticePage("The screen content file \"" + files.DisplayPath(f.content_file) +
                        "\" cannot be shown: it has no </PARAMETERS>.");
      notice = true;
    } else {
      page = std::string(kScreenPageHeader) + *body + std::string(kPageFooter) + "\r\n";
    }
  }
  files.WriteFile(f.screen_page, PageBytes(page));
  return f.screen_page;
}

}  // namespace mirvane
