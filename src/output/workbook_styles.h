#pragma once

#include <filesystem>
#include <string>

#include "foundation/outcome.h"

namespace quarrion {

// Gives the cell format at `xfIndex` (its place in the workbook's cellXfs) the
// built-in cell style "Percent", which the workbook library cannot name itself: the
// package's xl/styles.xml gains the style's entry and the format points at it. The
// package at `file` is rewritten in place (it is still the writer's temporary file).
// A failure says why the package could not be changed.
Outcome AddPercentCellStyle(const std::filesystem::path& file, int xfIndex);

}  // namespace quarrion
