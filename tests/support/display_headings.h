#pragma once

#include <string>
#include <vector>

#include "model/display_column.h"

namespace quarrion::test {

// The headings of a list's display columns, in order.
inline std::vector<std::string> Headings(const DisplayColumns& columns) {
    std::vector<std::string> headings;
    for (const DisplayColumn& column : columns) headings.push_back(column.Heading());
    return headings;
}

}  // namespace quarrion::test
