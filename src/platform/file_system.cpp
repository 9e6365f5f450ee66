#include "platform/file_system.h"

namespace mirvane {

const char* FileStatusText(FileStatus status) {
  switch (status) {
    case FileStatus::Ok: return "ok";
    case FileStatus::NotFound: return "file not found";
    case FileStatus::PathNotFound: return "path not found";
    case FileStatus::AccessDenied: return "access denied";
    case FileStatus::AlreadyExists: return "already exists";
    case FileStatus::IoError: return "input/output error";
  }
  return "unknown";
}

TextRead ReadTextFile(FileSystem& files, std::string_view path, TextEncoding encoding) {
  FileRead read = files.ReadFile(path);
  if (read.status != FileStatus::Ok) return {read.status, {}};
  return {FileStatus::Ok, DecodeText(read.bytes, encoding)};
}

FileStatus WriteTextFile(FileSystem& files, std::string_view path, std::string_view text) {
  return files.WriteFile(path, EncodeText(text));
}

}  // namespace mirvane
