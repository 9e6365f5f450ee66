// Files and folders, addressed by the program's own path texts.
//
// The program builds paths the way its installations on Windows know them:
// "C:\e-Learning\ABC.coursedata\", "..\" for the parent folder. An
// implementation maps these texts onto its host (see path_map.h) and never
// needs the core to know which host it runs on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"

namespace mirvane {

enum class FileStatus {
  Ok,
  NotFound,       // the file itself is missing, its folder exists
  PathNotFound,   // a folder on the way is missing
  AccessDenied,   // the host refused the path or the file
  AlreadyExists,  // creating a folder that is already there
  IoError,        // anything else: a full disk, a read error
};

const char* FileStatusText(FileStatus status);

struct FileRead {
  FileStatus status = FileStatus::Ok;
  std::string bytes;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The folder that holds the program file, as a path text.
  virtual std::string ProgramFolder() = 0;

  // The path as the host names it, for messages that tell the user where a
  // file is.
  virtual std::string DisplayPath(std::string_view path) = 0;

  virtual bool FileExists(std::string_view path) = 0;
  virtual bool FolderExists(std::string_view path) = 0;

  // Creates the last folder of `path` only: AlreadyExists when it is there,
  // PathNotFound when its parent is missing.
  virtual FileStatus CreateFolder(std::string_view path) = 0;

  // Copies a file, replacing the target when it exists.
  virtual FileStatus CopyFile(std::string_view from, std::string_view to) = 0;

  virtual FileStatus DeleteFile(std::string_view path) = 0;

  // Names (not paths) of the files in `folder` that match a wildcard pattern
  // with "*" and "?", compared without regard to case; sorted by name.
  virtual std::vector<std::string> ListFiles(std::string_view folder,
                                             std::string_view pattern) = 0;

  // Last-modified time in whole seconds since 1970-01-01 UTC.
  virtual std::optional<std::int64_t> LastModified(std::string_view path) = 0;

  virtual FileRead ReadFile(std::string_view path) = 0;

  // Replaces the file's contents as one step: the bytes go to a temporary file
  // in the same folder, which is flushed to the disk and then renamed over the
  // old file. A failure at any point leaves the old file as it was.
  virtual FileStatus WriteFile(std::string_view path, std::string_view bytes) = 0;
};

// Text files in the program's code page (codepage.h) on top of the byte
// operations.
struct TextRead {
  FileStatus status = FileStatus::Ok;
  std::string text;
};
TextRead ReadTextFile(FileSystem& files, std::string_view path, TextEncoding encoding);
FileStatus WriteTextFile(FileSystem& files, std::string_view path, std::string_view text);

}  // namespace mirvane
