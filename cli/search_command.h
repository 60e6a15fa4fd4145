#pragma once

#include "command.h"

namespace quarrion::cli {

// `quarrion-cli search`: builds a search from options (or loads a saved one), runs it
// through the link and writes the result lists, or saves the search with --save.
Command AddSearchCommand(CLI::App& parent);

}  // namespace quarrion::cli
