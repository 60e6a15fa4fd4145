#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/atomic_path.h"
#include "foundation/outcome.h"

namespace quarrion {

// Whole-file reads and writes for files a user keeps (exports, the company file,
// settings, logs): written whole or not at all.

// A file written as a stream: everything goes to a temporary file beside the target,
// and `Commit` renames it into place. Without a successful `Commit` the temporary
// file is removed and the target is untouched.
class AtomicFile {
  public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // "" while the temporary file is open and written, else why it is not.
    const std::string& Error() const { return error_; }
    bool Write(std::string_view bytes);
    // Flushes, syncs and renames; fails with the reason when it could not.
    Outcome Commit();

  private:
    AtomicPath path_;
    std::FILE* file_ = nullptr;
    std::string error_;
};

// Writes `contents` whole over `path`; an existing file keeps its permission bits.
// On failure the message names the file and `path` is untouched.
Outcome WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// Reads the whole file into `contents`. A failure names the file (missing, a folder,
// unreadable).
Outcome ReadWholeFile(const std::filesystem::path& path, std::string& contents);

}  // namespace quarrion
