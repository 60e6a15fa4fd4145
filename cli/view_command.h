#pragma once

#include "command.h"

namespace quarrion::cli {

// `quarrion-cli view --type T --key kN [search options] --out FILE.html`: runs the
// search and writes one record's data view as an HTML page.
Command AddViewCommand(CLI::App& parent);

}  // namespace quarrion::cli
