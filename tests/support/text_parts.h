#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarrion::test {

// The parts of `text` between `separator`s; "a,,b" gives three parts, "" gives none.
inline std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    if (text.empty()) return parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

// The lines of a text file's content, without their line ends; a final line end
// starts no further line.
inline std::vector<std::string> Lines(std::string_view text) {
    if (text.ends_with('\n')) text.remove_suffix(1);
    return Split(text, '\n');
}

}  // namespace quarrion::test
