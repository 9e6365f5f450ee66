// The repair of mis-decoded text and the screen rendering of a content file
// on arbitrary bytes, read as the program reads them.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_app.h"
#include "platform/codepage.h"
#include "platform/text.h"
#include "review/screen_page.h"
#include "texts/text_repair.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Content files are read strictly as Windows-1252: valid UTF-8 in, valid out.
  const std::string as_read = mirvane::DecodeAnsi(bytes);
  const std::string repaired = mirvane::RepairText(as_read);
  if (!mirvane::IsValidUtf8(repaired)) std::abort();
  // A repair only removes or shortens.
  if (repaired.size() > as_read.size()) std::abort();
  (void)mirvane::RepairText(bytes);  // raw bytes must not crash it either

  mirvane::fuzz::FuzzApp f;
  f.Settings("language=en\r\n");
  if (std::optional<std::string> body = mirvane::RenderScreenContent(f.app, as_read)) {
    if (!mirvane::IsValidUtf8(*body)) std::abort();
    (void)mirvane::PageBytes(*body);
  }
  return 0;
}
