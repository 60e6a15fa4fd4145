#pragma once

#include "command.h"

namespace quarrion::cli {

// `quarrion-cli sample --out FILE [--seed N] [--scale S] [--today YYYY-MM-DD]`:
// writes a sample company file.
Command AddSampleCommand(CLI::App& parent);

}  // namespace quarrion::cli
