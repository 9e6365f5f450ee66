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

namespace {

std::string SettingsText(App& app) {
  std::string path = app.AppFolder + kSettingsFileName;
  TextRead read = ReadTextFile(app.platform.files, path, TextEncoding::Detect);
  if (read.status != FileStatus::Ok) {
    throw SettingsFileError(app.platform.files.DisplayPath(path), read.status);
  }
  return std::move(read.text);
}

}  // namespace

std::string ReadSetting(App& app, std::string_view key) { return FindSetting(SettingsText(app), key); }

std::string SettingsSnapshot::Read(std::string_view key) {
  if (!entries_) {
    text_ = SettingsText(app_);
    entries_.emplace();
    ItemReader reader(text_);
    std::string_view item;
    while (reader.Next(item)) {
      std::size_t equals = item.find('=');
      if (equals == std::string_view::npos) continue;
      (*entries_)[item.substr(0, equals)] = item.substr(equals + 1);
    }
  }
  // A key holding "=" can match an entry at a later "=": only the whole
  // search finds those.
  if (key.find('=') != std::string_view::npos) return FindSetting(text_, key);
  auto found = entries_->find(key);
  return found == entries_->end() ? std::string() : std::string(found->second);
}

}  // namespace mirvane
