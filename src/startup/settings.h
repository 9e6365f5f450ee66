// The settings file "mirvane.ini" beside the program.
//
// Every value is read at the moment it is needed: each call reads the whole
// file again, so an edit takes effect at the next read.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

#include "startup/app.h"

namespace mirvane {

inline constexpr const char* kSettingsFileName = "mirvane.ini";

// The settings file could not be read; the program cannot go on without it.
class SettingsFileError : public std::runtime_error {
 public:
  SettingsFileError(std::string path, FileStatus status);
  const std::string& path() const { return path_; }
  FileStatus status() const { return status_; }

 private:
  std::string path_;
  FileStatus status_;
};

// The value of the last entry "key=..." of the settings file, or the empty
// text. The key is compared exactly, with no trimming or case folding.
// Throws SettingsFileError when the file cannot be read.
std::string ReadSetting(App& app, std::string_view key);

// The value of the last entry for `key` in settings text `text`.
std::string FindSetting(std::string_view text, std::string_view key);

// The settings file read once for one operation that reads many values (the
// progress string reads a count for every lesson path). Read(key) gives what
// ReadSetting(app, key) gives, throwing the same error when the file cannot
// be read; the file is read at the first Read. Like a record snapshot it
// must go with the operation that made it, so that the next operation sees
// any edit of the file.
class SettingsSnapshot {
 public:
  explicit SettingsSnapshot(App& app) : app_(app) {}
  SettingsSnapshot(const SettingsSnapshot&) = delete;
  SettingsSnapshot& operator=(const SettingsSnapshot&) = delete;

  std::string Read(std::string_view key);

 private:
  App& app_;
  std::string text_;
  // The value of each key's last entry, by the text before the entry's first
  // "="; nothing until the file is read.
  std::optional<std::unordered_map<std::string_view, std::string_view>> entries_;  // into text_
};

}  // namespace mirvane
