#include "search/close_matches.h"

#include <algorithm>
#include <tuple>

#include "foundation/common_tools.h"
#include "foundation/text_fold.h"

namespace quarrion {

namespace {

// Levenshtein distance between two (case-folded) texts, by bytes.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::vector<std::string> CloseMatches(std::string_view word,
                                      const std::vector<std::string>& candidates,
                                      std::size_t limit) {
    const std::string folded = FoldCase(word);
    const std::string lastSegment = FoldCase(CommonTools::LastSegment(word));
    // Allow about one slip in four characters, at least two.
    const std::size_t allowed = std::max<std::size_t>(2, folded.size() / 4);

    // (rank, distance, position) keeps the order stable among equals.
    std::vector<std::tuple<int, std::size_t, std::size_t>> found;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::string candidate = FoldCase(candidates[i]);
        const std::size_t distance = EditDistance(folded, candidate);
        if (distance <= allowed) {
            found.emplace_back(0, distance, i);
        } else if (!lastSegment.empty() &&
                   FoldCase(CommonTools::LastSegment(candidates[i])) == lastSegment) {
            found.emplace_back(1, distance, i);
        } else if (!folded.empty() && candidate.find(folded) != std::string::npos) {
            found.emplace_back(2, distance, i);
        }
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> matches;
    for (const auto& [rank, distance, index] : found) {
        if (matches.size() >= limit) break;
        matches.push_back(candidates[index]);
    }
    return matches;
}

}  // namespace quarrion
