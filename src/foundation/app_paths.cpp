#include "foundation/app_paths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace quarrion {

namespace {

std::filesystem::path FromEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

}  // namespace

std::filesystem::path DataFolder() {
    std::filesystem::path folder = FromEnv("QUARRION_HOME");
    if (folder.empty()) {
        std::filesystem::path base = FromEnv("XDG_DATA_HOME");
        if (base.empty()) base = FromEnv("HOME") / ".local" / "share";
        folder = base / "Quarrion";
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::filesystem::path ResourceFolder() {
    if (auto env = FromEnv("QUARRION_RESOURCES"); !env.empty()) return env;
    const char* marker = "Temp Control File.tsl";
    std::filesystem::path exe = ExecutableFolder();
    if (!exe.empty()) {
        for (auto candidate : {exe / "data", exe.parent_path() / "share" / "quarrion"}) {
            if (std::filesystem::exists(candidate / marker)) return candidate;
        }
    }
    return QUARRION_SOURCE_DATA_DIR;
}

}  // namespace quarrion
