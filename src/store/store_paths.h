#pragma once

#include <filesystem>
#include <vector>

namespace quarrion {

// The database file of this version: "Quarrion.qr3" in the data folder.
std::filesystem::path DatabasePath();
// The files of earlier versions ("Quarrion.qr1", "Quarrion.qr2"), deleted at start.
std::vector<std::filesystem::path> OlderDatabasePaths();
// The shipped control file: "Temp Control File.tsl" in the resource folder.
std::filesystem::path ControlFilePath();

}  // namespace quarrion
