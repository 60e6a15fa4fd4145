#pragma once

#include "command.h"

namespace quarrion::cli {

// `quarrion-cli link show|use|qwc`: which request processor the link answers from (the
// sample company, saved response files, or a real QuickBooks company through the
// QuickBooks Web Connector), and the application file for the Web Connector.
Command AddLinkCommand(CLI::App& parent);

}  // namespace quarrion::cli
