// The settings file "mirvane.ini" beside the program.
//
// Every value is read at the moment it is needed: each call reads the whole
// file again, so an edit takes effect at the next read.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

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

}  // namespace mirvane
