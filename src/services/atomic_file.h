#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quarrion {

// Whole-file reads and writes for files a user keeps (company file, settings, logs).

// Writes `contents` to a temporary file in the same folder, flushes it to disk and
// renames it over `path`, so a reader (or a crash) sees either the old file or the new
// one, never half of one. An existing file keeps its permission bits. Returns "" on
// success, otherwise a message naming the file; on failure `path` is untouched.
std::string WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// Reads the whole file into `contents`. Returns "" on success, otherwise a message
// naming the file (missing, a folder, unreadable).
std::string ReadWholeFile(const std::filesystem::path& path, std::string& contents);

}  // namespace quarrion
