#include "startup/settings.h"

#include <utility>

#include "startup/item_reader.h"

namespace mirvane {

SettingsFileError::SettingsFileError(std::string path, FileStatus status)
    : std::runtime_error("cannot read the settings file " + path + " (" + FileStatusText(status) +
                         ")"),
      path_(std::move(path)),
      status_(status) {}

std::string FindSetting(std::string_view text, std::string_view key) {
  std::string result;
  ItemReader reader(text);
  std::string_view item;
  while (reader.Next(item)) {
    // The "=" is part of the match, so a key never matches a longer key.
    if (item.size() > key.size() && item.substr(0, key.size()) == key && item[key.size()] == '=') {
      result.assign(item.substr(key.size() + 1));
    }
  }
  return result;
}

std::string ReadSetting(App& app, std::string_view key) {
  std::string path = app.AppFolder + kSettingsFileName;
  TextRead read = ReadTextFile(app.platform.files, path, TextEncoding::Detect);
  if (read.status != FileStatus::Ok) {
    throw SettingsFileError(app.platform.files.DisplayPath(path), read.status);
  }
  return FindSetting(read.text, key);
}

}  // namespace mirvane
