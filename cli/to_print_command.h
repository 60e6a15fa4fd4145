#pragma once

#include "command.h"

namespace quarrion::cli {

// `quarrion-cli to-print set|clear --type T [search options]`: runs the search and sets
// or clears the to-be-printed state of every transaction it lists.
Command AddToPrintCommand(CLI::App& parent);

}  // namespace quarrion::cli
