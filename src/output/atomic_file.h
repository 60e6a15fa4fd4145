#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace quarrion {

// A file the user keeps, written whole or not at all: everything goes to a
// temporary file beside the target, and `Commit` renames it into place. Without a
// successful `Commit` the temporary file is removed and the target is untouched.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // "" when the temporary file is open, else why it could not be created.
    const std::string& Error() const { return error_; }
    bool Write(std::string_view bytes);
    // Flushes, syncs and renames; returns "" on success or the reason it failed.
    std::string Commit();

    const std::filesystem::path& TemporaryPath() const { return temporary_; }

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    std::string error_;
    bool committed_ = false;
};

}  // namespace quarrion
