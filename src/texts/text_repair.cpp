#include "texts/text_repair.h"

#include <iterator>

#include "platform/text.h"

namespace mirvane {

namespace {

struct Repair {
  // The UTF-8 bytes of a character, each read as a Windows-1252 character.
  std::string_view garbled;
  std::string_view repaired;
};

// The repair list. Each row works once, in this order, on the text the rows
// before it left: a sequence that a later row forms (dropping a stray "Â" can
// join "Ã" and "©") is left as it is.
constexpr Repair kRepairs[] = {
    {"\u00EF\u00BB\u00BF", ""},    // byte-order mark, wherever it stands
    {"\u00C3\u00A1", "\u00E1"},    // á
    {"\u00C3\u00A9", "\u00E9"},    // é
    {"\u00C3\u00AD", "\u00ED"},    // í
    {"\u00C3\u00B3", "\u00F3"},    // ó
    {"\u00C3\u00BA", "\u00FA"},    // ú
    {"\u00C3\u00BC", "\u00FC"},    // ü
    {"\u00C3\u00B1", "\u00F1"},    // ñ
    {"\u00C3\u0081", "\u00C1"},    // Á (byte 81 is undefined in Windows-1252 and reads as U+0081)
    {"\u00C3\u2030", "\u00C9"},    // É
    {"\u00C3\u008D", "\u00CD"},    // Í (byte 8D reads as U+008D)
    {"\u00C3\u201C", "\u00D3"},    // Ó
    {"\u00C3\u0161", "\u00DA"},    // Ú
    {"\u00C3\u0153", "\u00DC"},    // Ü
    {"\u00C3\u2018", "\u00D1"},    // Ñ
    {"\u00C2\u00A1", "\u00A1"},    // ¡
    {"\u00C2\u00BF", "\u00BF"},    // ¿
    {"\u00E2\u20AC\u0153", "\""},  // left double quotation mark becomes a straight quote
    {"\u00E2\u20AC\u009D", "\""},  // right double quotation mark (byte 9D reads as U+009D)
    {"\u00C2\u00B0", "\u00B0"},    // °
    // The lead byte of any other two-byte character: dropping it leaves the
    // character itself for the Latin-1 signs (©, no-break space, ...).
    {"\u00C2", ""},
    {"\u00E2\u20AC\u201C", "-"},  // en dash becomes a hyphen
};
static_assert(std::size(kRepairs) == 22);

}  // namespace

std::string RepairText(std::string_view text) {
  std::string result(text);
  for (const Repair& repair : kRepairs) {
    result = Replace(result, repair.garbled, repair.repaired);
  }
  return result;
}

}  // namespace mirvane
