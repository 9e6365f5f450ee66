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
  for (const auto& [key, value] : before) {
    // A listed value is what a read of its key gives, up to the read's own
    // line-end and first-character rules; those must not throw or crash.
    (void)mirvane::ReadRecord(app, key);
  }
  (void)mirvane::ReadRecord(app, "lesson_location");

  const std::string path = mirvane::RecordFilePath(app, app.CurrentUser);
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
