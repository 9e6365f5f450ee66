// The learner record file: named values of the current learner, stored
// encoded in DataFolder\tracking\<user>.tracking. Each operation reads (and a
// write rewrites) the whole file; nothing is kept in memory between calls.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "startup/app.h"

namespace mirvane {

// The key as it is stored: lower case, trimmed of spaces, and l13..l20,
// o1_13..o1_20 in their stored forms (l_1_3, o_1_1_3, ...).
std::string NormaliseRecordKey(std::string_view key);

// True when `user` can name a record file inside the tracking folder: not
// empty, no folder separators, ":", "..", control characters or characters a
// file name cannot hold, no name the host reserves.
bool IsSafeUserId(std::string_view user);

// DataFolder & "tracking\" & user & ".tracking".
std::string RecordFilePath(const App& app, std::string_view user);

// The value stored for `key` in the current learner's file, or the empty
// text. Creates a missing file empty. When the record folder is missing or
// refused, shows message e5 and ends the program. A value that does not decode
// reads as the empty text. An unsafe CurrentUser reads as no record, without
// touching the disk.
std::string ReadRecord(App& app, std::string_view key);

// The current learner's record read once for one operation that reads many
// keys (the progress string reads every status: one file read per key would
// read the file thousands of times). Read(key) gives exactly what
// ReadRecord(app, key) would give at the moment of the first Read, with the
// same creation of a missing file and the same message and end of the
// program when the record folder is missing. The file is read at the first
// Read, so an operation that reads no key touches no disk.
//
// It holds what the file held then: make it inside the one operation that
// uses it and let it go with that operation, so that nothing read from a file
// outlives the operation that read it, and never across a write.
class RecordSnapshot {
 public:
  explicit RecordSnapshot(App& app) : app_(app) {}
  RecordSnapshot(const RecordSnapshot&) = delete;
  RecordSnapshot& operator=(const RecordSnapshot&) = delete;

  std::string Read(std::string_view key);

 private:
  App& app_;
  bool folder_made_ = false;
  std::string text_;  // the file's text, which the views below point into
  // Encoded key to encoded value, the last item of a key winning; nothing
  // until the file is read.
  std::optional<std::unordered_map<std::string_view, std::string_view>> items_;
};

// Every key and value of the current learner's file, decoded, in file order
// (later items of a key win, as for ReadRecord, so a key appears once).
// Items that do not decode are left out. Nothing when there is no file.
std::vector<std::pair<std::string, std::string>> ListRecord(App& app);

// Stores `value` for `key`, replacing every item of the key or adding one.
// An empty key writes nothing. Items of other keys are kept byte for byte.
// The file is replaced as one step (FileSystem::WriteFile), so a failure
// leaves the old record whole. Returns the status; an unsafe CurrentUser is
// refused with AccessDenied and nothing touched.
FileStatus WriteRecord(App& app, std::string_view key, std::string_view value);

struct RecordEntry {
  std::string_view key;
  std::string_view value;
};

// Stores several keys with one replacement of the file: the file holds
// exactly the bytes that WriteRecord of each entry in order would leave, but
// is flushed to the disk once, and a crash leaves all of the entries or none.
// Entries with an empty key write nothing.
FileStatus WriteRecords(App& app, std::initializer_list<RecordEntry> entries);

}  // namespace mirvane
