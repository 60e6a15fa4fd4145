#include "sample/record_layout.h"

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

}  // namespace quarrion
