#include "platform/headless_platform.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace mirvane {

MessageAnswer ScriptedDialogs::MessageBox(const std::string& text, MessageButtons buttons,
                                          MessageIcon icon, const std::string& title) {
  shown.push_back({text, buttons, icon, title});
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (answers.empty()) return MessageAnswer::Yes;
  MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

bool RecordingProcesses::StartProgram(std::string_view path, ProgramWindow window) {
  started.push_back({std::string(path), window});
  return start_succeeds;
}

void RecordingProcesses::EndProgram(int status) {
  ended.push_back(status);
  throw ProgramEnded{status};
}

namespace {

std::string MakeTempRoot() {
  std::string base = std::filesystem::temp_directory_path().string() + "/mirvane-XXXXXX";
  if (::mkdtemp(base.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  return base;
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(std::string program_folder) : root_(MakeTempRoot()) {
  std::string root = root_;
  PathMap map([root](char letter) { return root + "/" + std::string(1, letter); },
              root + "/root");
  for (const char* drive : {"C", "D", "root"}) std::filesystem::create_directory(root_ + "/" + drive);
  std::filesystem::create_directories(map.ToHost(program_folder));
  files_ = std::make_unique<HostFileSystem>(std::move(map), std::move(program_folder));
}

HeadlessPlatform::~HeadlessPlatform() {
  std::error_code ignored;
  std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(root_, ignored);
}

Platform HeadlessPlatform::platform() {
  return Platform{*files_, clock, dialogs, processes, windows};
}

std::string HeadlessPlatform::HostPath(std::string_view path) const {
  PathMap map([this](char letter) { return root_ + "/" + std::string(1, letter); },
              root_ + "/root");
  return map.ToHost(path);
}

}  // namespace mirvane
