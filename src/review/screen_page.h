// The screen page: a screen's content file (XML listing its texts, images and
// sounds) turned into a plain HTML table whose texts the reviewer can edit in
// place, or the reviewer's earlier edited version of it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "startup/app.h"

namespace mirvane {

// A screen of the course: lesson path, learning object and learning point.
struct ScreenPosition {
  std::string path, object, point;
};

// The files of one screen, fixed when a review of it begins.
struct ScreenFiles {
  std::string screen_name;    // setting idp<path>_<object>_<point>
  std::string object_folder;  // setting ido<path>_<object>
  std::string content_file;   // ContentFolder\l<path>\<object folder>\<screen name>.xml
  std::string screen_page;    // DataFolder\<screen name>.htm
  std::string edited_file;    // DataFolder\issues\l<path>_o<object>_p<point>.htm
};

ScreenFiles ScreenFilesOf(App& app, const ScreenPosition& at);

// The content file's text as read (Windows-1252), turned into the screen
// page's body: repaired, unescaped, relabelled and cut after </PARAMETERS>.
// Nothing when the text holds no </PARAMETERS>.
std::optional<std::string> RenderScreenContent(App& app, std::string_view content_as_read);

// The bytes of an HTML page the program writes: Windows-1252, with every
// character outside it as a numeric character reference, so that a browser
// shows it whatever the reviewer typed.
std::string PageBytes(std::string_view text);

// Makes the screen page (or copies the edited screen file, while it is newer
// than the content file, to the second) and returns its path. When the
// screen cannot be made (no screen name, no content file, a content file
// without its parameters), the page written says which file is missing or
// unreadable, and `notice` is set.
std::string PrepareScreenPage(App& app, const ScreenFiles& files, bool& notice);

}  // namespace mirvane
