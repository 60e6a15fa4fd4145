#include "link/link_date.h"

#include <cstdio>

namespace quarrion {

bool IsZeroDate(const LinkDate& date) {
    return !date.ok() || date.year() < std::chrono::year{1900};
}

std::string IsoDate(const LinkDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

LinkDate ParseIsoDate(std::string_view text) {
    auto digits = [&](std::size_t from, std::size_t count, int& value) {
        value = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    int y = 0, m = 0, d = 0;
    if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !digits(0, 4, y) ||
        !digits(5, 2, m) || !digits(8, 2, d)) {
        return LinkDate{};
    }
    LinkDate date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                  std::chrono::day{static_cast<unsigned>(d)}};
    return date.ok() ? date : LinkDate{};
}

}  // namespace quarrion
