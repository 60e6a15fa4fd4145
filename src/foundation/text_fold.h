#pragma once

#include <string>
#include <string_view>

namespace quarrion {

// Letter-case helpers for UTF-8 text. ASCII takes a fast path with no allocation
// beyond the result; other text is mapped with utf8proc, so "ÉCOLE" and "école"
// compare equal. Invalid UTF-8 bytes are kept as they are.

// The text with every letter in upper case (the collections' key form).
std::string UpperCase(std::string_view text);

// The text in case-folded form, for comparisons that ignore letter case.
std::string FoldCase(std::string_view text);

// True when the two texts are equal ignoring letter case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The text with the accents of its letters taken off, letter case kept: "Müller" gives
// "Muller", "ÉCOLE" gives "ECOLE", "Søren" gives "Soren". Letters are decomposed and
// their combining marks dropped; the Latin letters whose stroke is no separate mark
// (ø đ ł ħ ŧ and their capitals) map to their plain letter. Other characters, the
// spacing accents ´ and ¸ among them, stay as they are. ASCII text comes back unchanged.
std::string FoldAccents(std::string_view text);

// True when every byte is below 0x80.
bool IsAscii(std::string_view text);

}  // namespace quarrion
