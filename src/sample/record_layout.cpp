#include "sample/record_layout.h"

#include <algorithm>

namespace quarrion {

std::span<const LayoutRow> RecordLayout::Rows(std::int32_t requestType) {
    using namespace record_layout_detail;
    for (std::size_t i = 0; i < kTypeCount; ++i) {
        if (kTypes[i].code == requestType) return {kRows + kTypes[i].first, kTypes[i].count};
    }
    return {};
}

std::string_view RecordLayout::Name(El element) {
    auto index = static_cast<std::size_t>(element);
    return index < kElementNameCount ? record_layout_detail::kNames[index] : std::string_view();
}

std::optional<El> RecordLayout::Find(std::string_view name) {
    // The generator writes the names sorted, so a binary search finds them.
    const auto* begin = record_layout_detail::kNames;
    const auto* end = begin + kElementNameCount;
    const auto* it = std::lower_bound(begin, end, name);
    if (it == end || *it != name) return std::nullopt;
    return static_cast<El>(it - begin);
}

}  // namespace quarrion
