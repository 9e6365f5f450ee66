// The learner record on arbitrary file bytes: reading never fails, and a
// write stores its value and leaves every other key's value as it read.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_app.h"
#include "records/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  mirvane::fuzz::FuzzApp f;
  mirvane::App& app = f.app;
  app.CurrentUser = "learner";
  f.host.files().CreateFolder(app.DataFolder + "tracking\\");
  f.Put(mirvane::RecordFilePath(app, app.CurrentUser), bytes);

  const auto before = mirvane::ListRecord(app);
  {
    // The snapshot's index gives what a search of the whole file gives.
    mirvane::RecordSnapshot snapshot(app);
    for (const auto& [key, value] : before) {
      if (snapshot.Read(key) != mirvane::ReadRecord(app, key)) std::abort();
    }
    if (snapshot.Read("lesson_location") != mirvane::ReadRecord(app, "lesson_location")) std::abort();
  }

  // Two keys in one write leave the bytes of two writes in order.
  const std::string path = mirvane::RecordFilePath(app, app.CurrentUser);
  const std::string start = f.host.files().ReadFile(path).bytes;
  const std::string first_key = before.empty() ? "a" : before.front().first;
  mirvane::WriteRecord(app, first_key, "1");
  mirvane::WriteRecord(app, "b", "2");
  const std::string one_by_one = f.host.files().ReadFile(path).bytes;
  f.Put(path, start);
  mirvane::WriteRecords(app, {{first_key, "1"}, {"b", "2"}});
  if (f.host.files().ReadFile(path).bytes != one_by_one) std::abort();
  f.Put(path, start);

  if (mirvane::WriteRecord(app, "fuzzkey", "fuzz value") != mirvane::FileStatus::Ok) std::abort();
  if (mirvane::ReadRecord(app, "fuzzkey") != "fuzz value") std::abort();
  // Once a rewrite has put the file in its layout (one item a line, the
  // key's own item in place), writing the same value again changes no byte:
  // the file never creeps.
  if (mirvane::WriteRecord(app, "fuzzkey", "fuzz value") != mirvane::FileStatus::Ok) std::abort();
  const std::string settled = f.host.files().ReadFile(path).bytes;
  if (mirvane::WriteRecord(app, "fuzzkey", "fuzz value") != mirvane::FileStatus::Ok) std::abort();
  if (f.host.files().ReadFile(path).bytes != settled) std::abort();
  const auto after = mirvane::ListRecord(app);
  for (const auto& [key, value] : before) {
    if (mirvane::NormaliseRecordKey(key) == "fuzzkey") continue;
    bool kept = false;
    for (const auto& [k, v] : after) kept = kept || (k == key && v == value);
    if (!kept) std::abort();
  }
  return 0;
}
