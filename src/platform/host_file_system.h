// The file system of a POSIX host, reached through a PathMap.
//
// Courses are made on Windows, where the case of a name does not matter.
// Operations that look for something that exists (reading, testing, copying
// from, listing, file times) find a name when no entry has its exact case but
// exactly one entry of its folder matches it without regard to case. Writes
// and new folders use the exact name (their folders are looked up the same
// lenient way).
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/path_map.h"

namespace mirvane {

class HostFileSystem : public FileSystem {
 public:
  HostFileSystem(PathMap map, std::string program_folder);

  std::string ProgramFolder() override;
  std::string DisplayPath(std::string_view path) override;
  bool FileExists(std::string_view path) override;
  bool FolderExists(std::string_view path) override;
  FileStatus CreateFolder(std::string_view path) override;
  FileStatus CopyFile(std::string_view from, std::string_view to) override;
  FileStatus DeleteFile(std::string_view path) override;
  std::vector<std::string> ListFiles(std::string_view folder, std::string_view pattern) override;
  std::optional<std::int64_t> LastModified(std::string_view path) override;
  FileRead ReadFile(std::string_view path) override;
  FileStatus WriteFile(std::string_view path, std::string_view bytes) override;

  // The host path a path text reaches, after the lenient lookup of existing names.
  std::string ResolveExisting(std::string_view path) const;
  // The host path for creating or writing: folders looked up leniently, the
  // last name exact.
  std::string ResolveForWrite(std::string_view path) const;

 private:
  PathMap map_;
  std::string program_folder_;
};

// True when `name` matches wildcard `pattern` ("*" any run, "?" one character),
// without regard to case.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace mirvane
