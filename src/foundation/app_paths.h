#pragma once

#include <filesystem>

namespace quarrion {

// Where the program keeps things, without Qt so the core and the terminal tool agree
// with the desktop program.

// The writable data folder (database, settings, error log, temporary folders, sample
// company): $QUARRION_HOME when set, else $XDG_DATA_HOME/Quarrion, else
// ~/.local/share/Quarrion. Created when missing.
std::filesystem::path DataFolder();

// The read-only resources (control file, help pages, images): $QUARRION_RESOURCES when
// set; else "data" beside the executable or <prefix>/share/quarrion above it; else the
// source tree's data folder this build was made from.
std::filesystem::path ResourceFolder();

}  // namespace quarrion
