#include "platform/headless_platform.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/program_path.h"

namespace mirvane {

namespace {

// Line breaks inside a text show as \n, so that each event is one line.
std::string OneLine(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else if (text[i] == '\r' || text[i] == '\n') {
      out += "\\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

void Note(std::vector<std::string>* transcript, std::string line) {
  if (transcript != nullptr) transcript->push_back(std::move(line));
}

const char* IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return "";
    case MessageIcon::Critical: return ", critical";
    case MessageIcon::Question: return ", question";
  }
  return "";
}

}  // namespace

MessageAnswer ScriptedDialogs::MessageBox(const std::string& text, MessageButtons buttons,
                                          MessageIcon icon, const std::string& title) {
  shown.push_back({text, buttons, icon, title});
  MessageAnswer answer = MessageAnswer::Ok;
  if (require_answers) {
    bool fits = !answers.empty() &&
                (buttons == MessageButtons::Ok) == (answers.front() == MessageAnswer::Ok);
    if (!fits) {
      Note(transcript, std::string("message box [") +
                           (buttons == MessageButtons::Ok ? "OK" : "Yes/No") + IconName(icon) +
                           "] " + title + ": " + OneLine(text) + " -> no answer");
      throw UnansweredMessageBox{text};
    }
    answer = answers.front();
    answers.pop_front();
  } else if (buttons == MessageButtons::YesNo) {
    answer = MessageAnswer::Yes;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
  }
  Note(transcript, std::string("message box [") +
                       (buttons == MessageButtons::Ok ? "OK" : "Yes/No") + IconName(icon) +
                       "] " + title + ": " + OneLine(text) + " -> " +
                       (answer == MessageAnswer::Ok ? "OK" : answer == MessageAnswer::Yes ? "Yes" : "No"));
  return answer;
}

bool RecordingProcesses::ProgramExists(std::string_view path) {
  if (files == nullptr) return false;
  auto exists = [this](std::string_view p) { return files->FileExists(p); };
  return exists(ResolveProgramPath(path, exists));
}

bool RecordingProcesses::StartProgram(std::string_view requested, ProgramWindow window) {
  std::string path(requested);
  if (files != nullptr) {
    path = ResolveProgramPath(requested, [this](std::string_view p) { return files->FileExists(p); });
  }
  started.push_back({path, window});
  Note(transcript, "program started: " + std::string(path) +
                       (window == ProgramWindow::Minimized ? " (minimised)" : "") +
                       (start_succeeds ? "" : " -> failed"));
  return start_succeeds;
}

void RecordingProcesses::EndProgram(int status) {
  ended.push_back(status);
  Note(transcript, "program ended: status " + std::to_string(status));
  throw ProgramEnded{status};
}

void HeadlessBrowser::Log(const std::string& line) {
  operations.push_back(line);
  Note(transcript_, "browser " + owner_ + ": " + line);
}

void HeadlessBrowser::Navigate(const std::string& address) {
  navigations.push_back(address);
  Log("Navigate " + OneLine(address));
}

void HeadlessBrowser::SetFrameBodyHtml(int frame, const std::string& html) {
  if (frame < 0 || frame >= frame_count || frame > 1) {
    Log("frames(" + std::to_string(frame) + ").body.innerHTML ignored: no such frame");
    return;
  }
  frame_body[frame] = html;
  Log("frames(" + std::to_string(frame) + ").body.innerHTML = " + OneLine(html));
}

void HeadlessBrowser::SetFrameLocation(int frame, const std::string& address) {
  if (frame < 0 || frame >= frame_count || frame > 1) {
    Log("frames(" + std::to_string(frame) + ").location.href ignored: no such frame");
    return;
  }
  frame_location[frame] = address;
  Log("frames(" + std::to_string(frame) + ").location.href = " + OneLine(address));
}

void HeadlessBrowser::SetTitle(const std::string& new_title) {
  title = new_title;
  Log("title = " + OneLine(new_title));
}

std::string HeadlessBrowser::BodyHtml() { return body_html; }

void HeadlessBrowser::SetItemProperty(const std::string& item, const std::string& property,
                                      const std::string& value) {
  bool present = false;
  for (const std::string& i : items) present = present || i == item;
  if (!present) {
    Log(item + "." + property + " ignored: no such item");
    return;
  }
  Log(item + "." + property + " = " + OneLine(value));
}

void HeadlessBrowser::Print() {
  ++prints;
  Log("print");
}

std::unique_ptr<Browser> HeadlessWindows::CreateBrowser(Form& form, const Control& control) {
  return std::make_unique<HeadlessBrowser>(form.name() + "." + control.name, transcript_);
}

void HeadlessWindows::ShowWindow(Form& form, ShowMode mode, Form* owner) {
  shown.push_back(form.name());
  bool already = IsOpen(form.name());
  if (!already) open.push_back(form.name());
  Note(transcript_, "window " + std::string(already ? "brought to front: " : "shown: ") +
                        form.name() + (mode == ShowMode::Modal ? " (modal)" : "") +
                        (owner != nullptr ? " owner " + owner->name() : ""));
}

void HeadlessWindows::CloseWindow(Form& form) {
  closed.push_back(form.name());
  open.erase(std::remove(open.begin(), open.end(), form.name()), open.end());
  Note(transcript_, "window closed: " + form.name());
}

bool HeadlessWindows::IsOpen(const std::string& name) const {
  return std::find(open.begin(), open.end(), name) != open.end();
}

HeadlessBrowser* HeadlessPlatform::BrowserOf(Form& form, std::string_view control) {
  return dynamic_cast<HeadlessBrowser*>(form.browser(control));
}

namespace {

std::string MakeTempRoot() {
  std::string base = std::filesystem::temp_directory_path().string() + "/mirvane-XXXXXX";
  if (::mkdtemp(base.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  return base;
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(std::string program_folder)
    : HeadlessPlatform(std::move(program_folder), false, false) {}

HeadlessPlatform::HeadlessPlatform(std::string program_folder, bool host_paths, bool keep_drives)
    : root_(MakeTempRoot()), host_paths_(host_paths), keep_drives_(keep_drives) {
  dialogs.transcript = &transcript;
  processes.transcript = &transcript;
  std::string root = root_;
  PathMap map([root](char letter) { return root + "/" + std::string(1, letter); },
              host_paths ? "/" : root + "/root");
  for (const char* drive : {"C", "D", "root"}) std::filesystem::create_directory(root_ + "/" + drive);
  if (!host_paths) std::filesystem::create_directories(map.ToHost(program_folder));
  files_ = std::make_unique<HostFileSystem>(std::move(map), std::move(program_folder));
  processes.files = files_.get();
}

HeadlessPlatform::~HeadlessPlatform() {
  if (keep_drives_) return;
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
              host_paths_ ? "/" : root_ + "/root");
  return map.ToHost(path);
}

}  // namespace mirvane
