#include "output/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quarrion {

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {
    std::string pattern = target_.string() + ".tmp-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) {
        error_ = "Cannot create a file in " + target_.parent_path().string() + ": " +
                 std::strerror(errno);
        return;
    }
    temporary_ = pattern;
    file_ = fdopen(fd, "wb");
    if (!file_) {
        error_ = std::strerror(errno);
        ::close(fd);
    }
}

AtomicFile::~AtomicFile() {
    if (file_) std::fclose(file_);
    if (!committed_ && !temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

bool AtomicFile::Write(std::string_view bytes) {
    if (!file_) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        if (error_.empty()) error_ = std::string("Cannot write: ") + std::strerror(errno);
        return false;
    }
    return true;
}

std::string AtomicFile::Commit() {
    if (!file_) return error_.empty() ? "The file is not open." : error_;
    if (!error_.empty()) return error_;
    bool flushed = std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    int savedErrno = errno;
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) return std::string("Cannot write: ") + std::strerror(savedErrno);
    // mkstemp creates 0600; a kept file gets the ordinary permissions.
    ::chmod(temporary_.c_str(), 0644);
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) return "Cannot replace " + target_.string() + ": " + error.message();
    committed_ = true;
    return {};
}

}  // namespace quarrion
