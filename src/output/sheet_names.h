#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quarrion {

// Worksheet names a spreadsheet accepts, made from result tab titles.
//
// A spreadsheet refuses a sheet name that is empty, longer than 31 characters
// (counted in UTF-16 units), holds any of : \ / ? * [ ], begins or ends with an
// apostrophe, is the reserved "History", or repeats another sheet's name ignoring
// letter case. Tab titles never meet those rules by design, so the names are
// repaired rather than refused: a title that already fits is used unchanged.

// The title made acceptable on its own: forbidden characters become '_', leading
// and trailing apostrophes are dropped, the text is cut to 31 UTF-16 units on a
// character boundary; an empty or reserved result becomes "Sheet" + `position`.
std::string ValidSheetName(std::string_view title, int position);

// One name per title, in order, each valid and different from all earlier ones
// ignoring letter case: a repeated name gets " (2)", " (3)", ... with its text
// shortened so the whole still fits in 31 units.
std::vector<std::string> UniqueSheetNames(const std::vector<std::string>& titles);

}  // namespace quarrion
