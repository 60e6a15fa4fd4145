#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarrion {

// The candidates that look like what a user meant by `word`, best first, at most
// `limit`: those within a few typing slips of it (letter case ignored), then those
// whose last path segment equals the word's last segment or that contain the word.
// Used to suggest a field path or a type name after a misspelling.
std::vector<std::string> CloseMatches(std::string_view word,
                                      const std::vector<std::string>& candidates,
                                      std::size_t limit = 5);

}  // namespace quarrion
