// Value decoding on arbitrary text, and the round trip through the encoding:
// whatever decodes must encode to a text that decodes to the same value.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "records/value_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (std::optional<std::string> decoded = mirvane::DecodeValue(text)) {
    std::optional<std::string> again = mirvane::DecodeValue(mirvane::EncodeValue(*decoded));
    if (!again || *again != *decoded) std::abort();
  }
  // Any text at all encodes to something that decodes.
  if (!mirvane::DecodeValue(mirvane::EncodeValue(text))) std::abort();
  return 0;
}
