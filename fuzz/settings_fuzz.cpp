// The item-wise reader and the settings lookup on arbitrary settings files.
// The first line of the input is the key looked up, the rest the file.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_app.h"
#include "platform/codepage.h"
#include "startup/item_reader.h"
#include "startup/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t line_end = input.find('\n');
  const std::string_view key = input.substr(0, line_end);
  const std::string_view file =
      line_end == std::string_view::npos ? std::string_view() : input.substr(line_end + 1);

  // Every item lies inside the text, and the reader always moves on.
  mirvane::ItemReader reader(file);
  std::string_view item;
  std::size_t items = 0;
  while (reader.Next(item)) {
    if (!item.empty() && (item.data() < file.data() || item.data() + item.size() > file.data() + file.size())) {
      std::abort();
    }
    if (++items > file.size() + 1) std::abort();
  }

  mirvane::fuzz::FuzzApp f;
  f.Settings(file);
  const std::string from_file = mirvane::ReadSetting(f.app, key);
  if (from_file != mirvane::FindSetting(mirvane::DecodeText(file, mirvane::TextEncoding::Detect), key)) {
    std::abort();
  }
  // The snapshot's index gives what the search of the whole text gives.
  mirvane::SettingsSnapshot settings(f.app);
  if (settings.Read(key) != from_file) std::abort();
  reader = mirvane::ItemReader(file);
  for (int n = 0; n < 8 && reader.Next(item);) {
    const std::string_view entry_key = item.substr(0, item.find('='));
    if (entry_key.size() == item.size()) continue;
    ++n;
    if (settings.Read(entry_key) != mirvane::ReadSetting(f.app, entry_key)) std::abort();
  }
  return 0;
}
