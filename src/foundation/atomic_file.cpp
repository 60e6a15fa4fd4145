#include "foundation/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace quarrion {

namespace {

std::string Failure(const char* what, const std::filesystem::path& path, int error) {
    return std::string(what) + " \"" + path.string() + "\": " + std::strerror(error);
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target)
    : path_(std::move(target)), error_(path_.Error()) {
    if (!error_.empty()) return;
    file_ = std::fopen(path_.TemporaryPath().c_str(), path_.WritesThrough() ? "ab" : "wb");
    if (!file_) error_ = Failure("Cannot write", path_.TemporaryPath(), errno);
}

AtomicFile::~AtomicFile() {
    if (file_) std::fclose(file_);
}

bool AtomicFile::Write(std::string_view bytes) {
    if (!file_ || !error_.empty()) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        error_ = Failure("Cannot write", path_.TemporaryPath(), errno);
        return false;
    }
    return true;
}

Outcome AtomicFile::Commit() {
    if (!file_) return Outcome::Fail(error_.empty() ? "The file is not open." : error_);
    if (!error_.empty()) return Outcome::Fail(error_);
    bool flushed = std::fflush(file_) == 0;
    int savedErrno = errno;
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed)
        return Outcome::Fail(Failure("Cannot write", path_.TemporaryPath(), savedErrno));
    return path_.Commit();
}

Outcome WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
    AtomicFile file(path);
    file.Write(contents);
    return file.Commit();
}

Outcome ReadWholeFile(const std::filesystem::path& path, std::string& contents) {
    contents.clear();
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return Outcome::Fail("The file \"" + path.string() + "\" does not exist.");
    if (std::filesystem::is_directory(path, error))
        return Outcome::Fail("\"" + path.string() + "\" is a folder, not a file.");
    // A pipe or a device would block or never end; only regular files are read.
    if (!std::filesystem::is_regular_file(path, error))
        return Outcome::Fail("\"" + path.string() + "\" is not a regular file.");
    std::ifstream in(path, std::ios::binary);
    if (!in) return Outcome::Fail(Failure("Cannot open", path, errno));
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        contents.resize(static_cast<std::size_t>(size));
        in.read(contents.data(), size);
        if (in.gcount() != size) {
            contents.clear();
            return Outcome::Fail(Failure("Cannot read", path, errno ? errno : EIO));
        }
    }
    return {};
}

}  // namespace quarrion
