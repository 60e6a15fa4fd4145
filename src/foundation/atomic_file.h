#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/atomic_path.h"

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
    // Flushes, syncs and renames; returns "" on success or the reason it failed.
    std::string Commit();

  private:
    AtomicPath path_;
    std::FILE* file_ = nullptr;
    std::string error_;
};

// Writes `contents` whole over `path`; an existing file keeps its permission bits.
// Returns "" on success, otherwise a message naming the file; on failure `path` is
// untouched.
std::string WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// Reads the whole file into `contents`. Returns "" on success, otherwise a message
// naming the file (missing, a folder, unreadable).
std::string ReadWholeFile(const std::filesystem::path& path, std::string& contents);

}  // namespace quarrion
