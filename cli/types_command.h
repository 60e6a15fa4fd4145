#pragma once

#include "command.h"

namespace quarrion::cli {

// "types": every request type a search can include, by code, name and title, so a
// script or a user knows each spelling --type accepts.
Command AddTypesCommand(CLI::App& app);

}  // namespace quarrion::cli
