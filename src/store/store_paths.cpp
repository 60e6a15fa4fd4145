#include "store/store_paths.h"

#include "foundation/app_paths.h"
#include "store/control_file.h"

namespace quarrion {

std::filesystem::path DatabasePath() {
    return DataFolder() / "Quarrion.qr3";
}

std::vector<std::filesystem::path> OlderDatabasePaths() {
    std::filesystem::path folder = DataFolder();
    return {folder / "Quarrion.qr1", folder / "Quarrion.qr2"};
}

std::filesystem::path ControlFilePath() {
    return ResourceFolder() / kControlFileName;
}

}  // namespace quarrion
