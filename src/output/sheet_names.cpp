#include "output/sheet_names.h"

#include <cstddef>
#include <unordered_set>

#include "foundation/text_fold.h"

namespace quarrion {

namespace {

constexpr std::size_t kMaxUnits = 31;

bool IsForbidden(char c) {
    switch (c) {
        case ':':
        case '\\':
        case '/':
        case '?':
        case '*':
        case '[':
        case ']':
            return true;
        default:
            return false;
    }
}

// Byte length of the UTF-8 sequence that starts with `lead` (1 for stray bytes, so
// invalid text is kept byte by byte rather than dropped).
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// The longest prefix of `text` that fits in `units` UTF-16 units, cut between
// characters. Four-byte sequences need a surrogate pair, two units.
std::string CutToUnits(std::string_view text, std::size_t units) {
    std::size_t used = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t length = SequenceLength(static_cast<unsigned char>(text[at]));
        if (at + length > text.size()) length = text.size() - at;
        std::size_t cost = length == 4 ? 2 : 1;
        if (used + cost > units) break;
        used += cost;
        at += length;
    }
    return std::string(text.substr(0, at));
}

std::string TrimApostrophes(std::string text) {
    std::size_t first = text.find_first_not_of('\'');
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of('\'');
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string ValidSheetName(std::string_view title, int position) {
    std::string name(title);
    for (char& c : name) {
        if (IsForbidden(c)) c = '_';
    }
    // Cutting can expose an apostrophe at the end, so trim after cutting too.
    name = TrimApostrophes(CutToUnits(TrimApostrophes(std::move(name)), kMaxUnits));
    if (name.empty() || EqualsIgnoringCase(name, "History")) {
        name = "Sheet" + std::to_string(position);
    }
    return name;
}

std::vector<std::string> UniqueSheetNames(const std::vector<std::string>& titles) {
    std::vector<std::string> names;
    names.reserve(titles.size());
    std::unordered_set<std::string> taken;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        std::string base = ValidSheetName(titles[i], static_cast<int>(i + 1));
        std::string name = base;
        for (int copy = 2; taken.contains(FoldCase(name)); ++copy) {
            std::string suffix = " (" + std::to_string(copy) + ")";
            std::string stem = TrimApostrophes(CutToUnits(base, kMaxUnits - suffix.size()));
            name = stem + suffix;
        }
        taken.insert(FoldCase(name));
        names.push_back(std::move(name));
    }
    return names;
}

}  // namespace quarrion
