#include "records/record_file.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/codepage.h"
#include "platform/text.h"
#include "records/value_encoding.h"
#include "startup/item_reader.h"
#include "texts/text_table.h"

namespace mirvane {

namespace {

// Keys whose stored form differs from their name. Files in the field carry
// these forms, so they must never change.
constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kStoredKeyForms = {{
    {"l13", "l_1_3"},     {"l14", "l_1_4"},     {"l15", "l_1_5"},     {"l16", "l_1_6"},
    {"l17", "l_1_7"},     {"l18", "l_1_8"},     {"l19", "l_1_9"},     {"l20", "l_2_0"},
    {"o1_13", "o_1_1_3"}, {"o1_14", "o_1_1_4"}, {"o1_15", "o_1_1_5"}, {"o1_16", "o_1_1_6"},
    {"o1_17", "o_1_1_7"}, {"o1_18", "o_1_1_8"}, {"o1_19", "o_1_1_9"}, {"o1_20", "o_1_2_0"},
}};

constexpr std::string_view kTrackingFolder = "tracking\\";
constexpr std::string_view kRecordExtension = ".tracking";

bool IsReservedDeviceName(std::string_view user) {
  // The host that courses come from reserves these names whatever follows the dot.
  std::string base = LCase(user.substr(0, user.find('.')));
  static constexpr std::array<std::string_view, 4> kPlain = {"con", "prn", "aux", "nul"};
  for (std::string_view name : kPlain) {
    if (base == name) return true;
  }
  return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::string NormaliseRecordKey(std::string_view key) {
  std::string normal = Trim(LCase(key));
  for (const auto& [name, stored] : kStoredKeyForms) {
    if (normal == name) return std::string(stored);
  }
  return normal;
}

bool IsSafeUserId(std::string_view user) {
  if (user.empty() || user.size() + kRecordExtension.size() > 255) return false;
  if (user.find("..") != std::string_view::npos) return false;
  std::size_t pos = 0;
  while (pos < user.size()) {
    char32_t c = NextChar(user, pos);
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
    switch (c) {
      case U'\\': case U'/': case U':': case U'*': case U'?': case U'"': case U'<': case U'>':
      case U'|':
        return false;
      default:
        break;
    }
  }
  return !IsReservedDeviceName(user);
}

std::string RecordFilePath(const App& app, std::string_view user) {
  std::string path = app.DataFolder;
  path += kTrackingFolder;
  path += user;
  path += kRecordExtension;
  return path;
}

namespace {

// The record file cannot be opened at all: tell the user where it should be
// and end the program.
void FailRecordFolder(App& app, const std::string& path) {
  std::string message =
      Replace(GetText(app, "e5"), "%FOLDER%", app.platform.files.DisplayPath(path));
  ShowMessage(app.platform.dialogs, message, MessageButtons::Ok, MessageIcon::Critical);
  app.platform.processes.EndProgram(1);
}

std::string PrefixOf(std::string_view key) { return EncodeValue(key) + "^"; }

}  // namespace

namespace {

// The text of the current learner's file for a read, creating a missing file
// empty; nothing (after message e5 and the end of the program) when the
// record folder is missing or refused, or on a read error.
std::optional<std::string> RecordTextForRead(App& app) {
  FileSystem& files = app.platform.files;
  std::string path = RecordFilePath(app, app.CurrentUser);
  TextRead read = ReadTextFile(files, path, TextEncoding::Ansi);
  if (read.status == FileStatus::NotFound) {
    FileStatus created = files.WriteFile(path, "");
    if (created == FileStatus::PathNotFound || created == FileStatus::AccessDenied) {
      FailRecordFolder(app, path);
      return std::nullopt;
    }
    read = {created, {}};
  }
  if (read.status == FileStatus::PathNotFound || read.status == FileStatus::AccessDenied) {
    FailRecordFolder(app, path);
    return std::nullopt;
  }
  if (read.status != FileStatus::Ok) return std::nullopt;  // a read error: no value, and no retry
  return std::move(read.text);
}

// The value an item stored, as a read gives it.
std::string ReadValue(std::string_view raw) {
  // A value altered by hand so that it no longer decodes reads as absent.
  std::optional<std::string> decoded = DecodeValue(raw);
  if (!decoded) return {};
  std::string value = Replace(Replace(*decoded, "\n", "\r\n"), "\r\n\r\n", "\r\n");
  if (!value.empty()) {
    unsigned char first = static_cast<unsigned char>(value[0]);
    if (first == 0 || first == 8 || first == 9) value = "2";
  }
  return value;
}

}  // namespace

std::string ReadRecord(App& app, std::string_view key) {
  std::string normal = NormaliseRecordKey(key);
  if (!IsSafeUserId(app.CurrentUser)) return {};
  app.platform.files.CreateFolder(app.DataFolder + std::string(kTrackingFolder));
  if (normal.empty()) return {};

  std::optional<std::string> text = RecordTextForRead(app);
  if (!text) return {};
  const std::string prefix = PrefixOf(normal);
  std::string_view raw;
  ItemReader reader(*text);
  std::string_view item;
  while (reader.Next(item)) {
    if (item.starts_with(prefix)) raw = item.substr(prefix.size());
  }
  return ReadValue(raw);
}

std::string RecordSnapshot::Read(std::string_view key) {
  std::string normal = NormaliseRecordKey(key);
  if (!IsSafeUserId(app_.CurrentUser)) return {};
  if (!folder_made_) {
    app_.platform.files.CreateFolder(app_.DataFolder + std::string(kTrackingFolder));
    folder_made_ = true;
  }
  if (normal.empty()) return {};

  if (!items_) {
    std::optional<std::string> text = RecordTextForRead(app_);
    items_.emplace();
    if (!text) return {};
    text_ = std::move(*text);
    // An item belongs to a key when it begins with the encoded key and "^";
    // encoded keys hold no "^", so the text before an item's first "^" is
    // the only key it can belong to.
    ItemReader reader(text_);
    std::string_view item;
    while (reader.Next(item)) {
      std::size_t caret = item.find('^');
      if (caret == std::string_view::npos) continue;
      (*items_)[item.substr(0, caret)] = item.substr(caret + 1);
    }
  }
  auto found = items_->find(EncodeValue(normal));
  return ReadValue(found == items_->end() ? std::string_view() : found->second);
}

std::vector<std::pair<std::string, std::string>> ListRecord(App& app) {
  std::vector<std::pair<std::string, std::string>> entries;
  if (!IsSafeUserId(app.CurrentUser)) return entries;
  TextRead read = ReadTextFile(app.platform.files, RecordFilePath(app, app.CurrentUser),
                               TextEncoding::Ansi);
  if (read.status != FileStatus::Ok) return entries;
  ItemReader reader(read.text);
  std::string_view item;
  while (reader.Next(item)) {
    std::size_t caret = item.find('^');
    if (caret == std::string_view::npos) continue;
    std::optional<std::string> key = DecodeValue(item.substr(0, caret));
    std::optional<std::string> value = DecodeValue(item.substr(caret + 1));
    if (!key || !value) continue;
    auto same = std::find_if(entries.begin(), entries.end(),
                             [&](const auto& e) { return e.first == *key; });
    if (same != entries.end()) {
      same->second = *value;
    } else {
      entries.emplace_back(*key, *value);
    }
  }
  return entries;
}

namespace {

// The record text after storing `item_text` for the key whose items begin
// with `prefix`: every item of the key replaced, or the item added.
std::string RewriteRecordText(std::string_view text, const std::string& prefix,
                              const std::string& item_text) {
  std::string kept;
  kept.reserve(text.size() + item_text.size() + 4);
  bool found = false;
  ItemReader reader(text);
  std::string_view item;
  while (reader.Next(item)) {
    if (item.starts_with(prefix)) {
      kept += '\r';
      kept += item_text;
      found = true;
    } else if (!item.empty()) {
      kept += '\r';
      if (reader.quoted()) {
        // A quoted item (edited by hand) may hold commas or line ends that
        // would split it without its quotes; it cannot hold a quote itself,
        // so quoting it again keeps it one item with the same text.
        kept += '"';
        kept += item;
        kept += '"';
      } else {
        kept += item;
      }
    }
  }
  kept += "\r\n";
  if (!found) {
    kept += item_text;
    kept += "\r\n";
  }
  return kept;
}

}  // namespace

FileStatus WriteRecord(App& app, std::string_view key, std::string_view value) {
  return WriteRecords(app, {{key, value}});
}

FileStatus WriteRecords(App& app, std::initializer_list<RecordEntry> entries) {
  std::vector<std::pair<std::string, std::string>> items;  // prefix and item text
  for (const RecordEntry& e : entries) {
    std::string normal = NormaliseRecordKey(e.key);
    if (normal.empty()) continue;  // an empty key writes nothing
    std::string prefix = PrefixOf(normal);
    std::string item_text = prefix + EncodeValue(e.value);
    items.emplace_back(std::move(prefix), std::move(item_text));
  }
  if (items.empty()) return FileStatus::Ok;
  if (!IsSafeUserId(app.CurrentUser)) return FileStatus::AccessDenied;
  FileSystem& files = app.platform.files;

  std::string tracking = app.DataFolder + std::string(kTrackingFolder);
  if (!files.FolderExists(tracking)) files.CreateFolder(tracking);

  std::string path = RecordFilePath(app, app.CurrentUser);
  TextRead read = ReadTextFile(files, path, TextEncoding::Ansi);
  if (read.status == FileStatus::NotFound) {
    read = {FileStatus::Ok, {}};  // vanished since it was read: start it again
  }
  if (read.status != FileStatus::Ok) return read.status;

  // Each entry rewrites the text as its own write would have rewritten the
  // file, so the bytes are those of the writes one after another.
  std::string text = std::move(read.text);
  for (const auto& [prefix, item_text] : items) text = RewriteRecordText(text, prefix, item_text);
  // The record is read strictly as Windows-1252, so it is written back in it
  // byte for byte. The text writer would put a record whose bytes happen to
  // form UTF-8 behind a byte-order mark, which this strict reading takes for
  // three more characters: every write would then grow the file.
  return files.WriteFile(path, EncodeAnsi(text));
}

}  // namespace mirvane
