#pragma once

#include "command.h"

namespace quarrion::cli {

// `quarrion-cli searches list|show NAME|delete NAME`: the saved searches.
Command AddSearchesCommand(CLI::App& parent);

}  // namespace quarrion::cli
