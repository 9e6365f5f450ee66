#include "platform/host_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/text.h"

namespace mirvane {

namespace {

std::string ParentOf(const std::string& host) {
  std::string p = host;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  std::size_t slash = p.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return p.substr(0, slash);
}

std::string NameOf(const std::string& host) {
  std::string p = host;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  std::size_t slash = p.rfind('/');
  return slash == std::string::npos ? p : p.substr(slash + 1);
}

bool IsDir(const std::string& host) {
  struct stat st {};
  return ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool Exists(const std::string& host) {
  struct stat st {};
  return ::lstat(host.c_str(), &st) == 0;
}

// The one entry of `folder` whose name equals `name` without regard to case,
// or the empty text when there is none or more than one.
std::string FindWithoutCase(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return {};
  std::string wanted = LCase(name);
  std::string found;
  int matches = 0;
  while (dirent* entry = ::readdir(dir)) {
    std::string candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if (LCase(candidate) == wanted) {
      found = candidate;
      ++matches;
    }
  }
  ::closedir(dir);
  return matches == 1 ? found : std::string();
}

// Walks the components of an absolute host path, replacing each missing one by
// its only case-insensitive match. `last_exact` keeps the final name as given.
std::string ResolveLeniently(const std::string& host, bool last_exact) {
  if (host.empty() || host[0] != '/') return host;
  bool trailing = host.size() > 1 && host.back() == '/';
  std::vector<std::string> parts;
  std::size_t i = 1;
  while (i <= host.size()) {
    std::size_t next = host.find('/', i);
    if (next == std::string::npos) next = host.size();
    if (next > i) parts.push_back(host.substr(i, next - i));
    i = next + 1;
  }
  std::string out;
  for (std::size_t k = 0; k < parts.size(); ++k) {
    std::string folder = out.empty() ? "/" : out;
    std::string candidate = out + "/" + parts[k];
    bool is_last = k + 1 == parts.size();
    if (!Exists(candidate) && !(is_last && last_exact)) {
      std::string match = FindWithoutCase(folder, parts[k]);
      if (!match.empty()) candidate = out + "/" + match;
    }
    out = candidate;
  }
  if (out.empty()) out = "/";
  if (trailing && out.back() != '/') out += '/';
  return out;
}

// What a failed open or create means for the program: a missing file in an
// existing folder is NotFound, a missing folder on the way PathNotFound.
FileStatus StatusFromErrno(int err, const std::string& host) {
  switch (err) {
    case ENOENT:
      return IsDir(ParentOf(host)) ? FileStatus::NotFound : FileStatus::PathNotFound;
    case ENOTDIR:
      return FileStatus::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ENAMETOOLONG:
      return FileStatus::AccessDenied;
    case EEXIST:
      return FileStatus::AlreadyExists;
    default:
      return FileStatus::IoError;
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::u32string Chars(std::string_view text) {
  std::u32string out;
  std::size_t pos = 0;
  while (pos < text.size()) out.push_back(LowerChar(NextChar(text, pos)));
  return out;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  std::u32string p = Chars(pattern);
  std::u32string n = Chars(name);
  std::size_t pi = 0, ni = 0, star = std::u32string::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == U'*') {
      star = pi++;
      mark = ni;
    } else if (star != std::u32string::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == U'*') ++pi;
  return pi == p.size();
}

HostFileSystem::HostFileSystem(PathMap map, std::string program_folder)
    : map_(std::move(map)), program_folder_(std::move(program_folder)) {}

std::string HostFileSystem::ResolveExisting(std::string_view path) const {
  return ResolveLeniently(map_.ToHost(path), false);
}

std::string HostFileSystem::ResolveForWrite(std::string_view path) const {
  return ResolveLeniently(map_.ToHost(path), true);
}

std::string HostFileSystem::ProgramFolder() { return program_folder_; }

std::string HostFileSystem::DisplayPath(std::string_view path) { return map_.ToHost(path); }

bool HostFileSystem::FileExists(std::string_view path) {
  struct stat st {};
  return ::stat(ResolveExisting(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool HostFileSystem::FolderExists(std::string_view path) { return IsDir(ResolveExisting(path)); }

FileStatus HostFileSystem::CreateFolder(std::string_view path) {
  std::string host = ResolveForWrite(path);
  if (::mkdir(host.c_str(), 0777) == 0) return FileStatus::Ok;
  return StatusFromErrno(errno, host);
}

FileStatus HostFileSystem::CopyFile(std::string_view from, std::string_view to) {
  FileRead source = ReadFile(from);
  if (source.status != FileStatus::Ok) return source.status;
  return WriteFile(to, source.bytes);
}

FileStatus HostFileSystem::DeleteFile(std::string_view path) {
  std::string host = ResolveExisting(path);
  if (IsDir(host)) return FileStatus::AccessDenied;
  if (::unlink(host.c_str()) == 0) return FileStatus::Ok;
  return StatusFromErrno(errno, host);
}

std::vector<std::string> HostFileSystem::ListFiles(std::string_view folder,
                                                   std::string_view pattern) {
  std::vector<std::string> names;
  std::string host = ResolveExisting(folder);
  DIR* dir = ::opendir(host.c_str());
  if (dir == nullptr) return names;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::stat((host + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (WildcardMatch(pattern, name)) names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::int64_t> HostFileSystem::LastModified(std::string_view path) {
  struct stat st {};
  if (::stat(ResolveExisting(path).c_str(), &st) != 0) return std::nullopt;
  return static_cast<std::int64_t>(st.st_mtime);
}

FileRead HostFileSystem::ReadFile(std::string_view path) {
  std::string host = ResolveExisting(path);
  int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {StatusFromErrno(errno, host), {}};
  FileRead result;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      result.status = errno == EISDIR ? FileStatus::AccessDenied : FileStatus::IoError;
      result.bytes.clear();
      break;
    }
    if (n == 0) break;
    result.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return result;
}

FileStatus HostFileSystem::WriteFile(std::string_view path, std::string_view bytes) {
  std::string host = ResolveForWrite(path);
  if (host.empty() || host.back() == '/') return FileStatus::AccessDenied;
  std::string folder = ParentOf(host);
  if (!IsDir(folder)) return FileStatus::PathNotFound;
  if (IsDir(host)) return FileStatus::AccessDenied;

  // A hidden name of this process, so that two running copies never share one
  // and no listing by the program's wildcards ever shows it.
  std::string temp = folder + "/." + NameOf(host) + "." + std::to_string(::getpid()) + ".tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return StatusFromErrno(errno, temp);
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int write_errno = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    write_errno = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return write_errno == EACCES || write_errno == EROFS ? FileStatus::AccessDenied
                                                         : FileStatus::IoError;
  }
  if (::rename(temp.c_str(), host.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    return StatusFromErrno(err, host);
  }
  // Make the rename itself durable.
  int dir_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
  return FileStatus::Ok;
}

}  // namespace mirvane
