#pragma once

#include <cstddef>
#include <string>

namespace quarrion {

class SearchObject2;

// The longest texts the store keeps, in characters: a search's name, a rule's
// compared text or list value, a column heading.
inline constexpr std::size_t kStoredNameLength = 50;
inline constexpr std::size_t kStoredTextLength = 50;
inline constexpr std::size_t kStoredHeadingLength = 50;

// What keeps the store from saving `search` as it is, as a message for the user: a
// blank name, or the first text longer than the store keeps. "" when it fits. The
// store would refuse such a search anyway; asking first names the text at fault.
std::string StoreLimitProblem(const SearchObject2& search);

}  // namespace quarrion
