#pragma once

#include "command.h"

namespace quarrion::cli {

// `quarrion-cli catalog list TYPE|update|reset`: the catalog of qbXML elements.
Command AddCatalogCommand(CLI::App& parent);

}  // namespace quarrion::cli
