#pragma once

#include "command.h"

namespace quarrion::cli {

// `quarrion-cli log show|clear`: the link's error log in the data folder.
Command AddLogCommand(CLI::App& parent);

}  // namespace quarrion::cli
