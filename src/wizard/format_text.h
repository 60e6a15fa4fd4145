#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quarrion {

// The wizard's panel and window texts name the request type they are about through two
// placeholders: "&requesttitle" (the type's list title, as tabs and menus show it) and
// "&requestname" (the type's name). Returns `text` with every occurrence of either
// replaced, letter case ignored; a code the program does not offer replaces them with
// nothing.
std::string FormatText(std::string_view text, std::int32_t requestType);

}  // namespace quarrion
