#include "foundation/atomic_path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quarrion {

AtomicPath::AtomicPath(std::filesystem::path target) : target_(std::move(target)) {
    // mkstemp reserves the name so no other writer can take it; the library then
    // truncates and rewrites the file it finds there.
    std::string pattern = target_.string() + ".tmp-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) {
        error_ = "Cannot create a file in " + target_.parent_path().string() + ": " +
                 std::strerror(errno);
        return;
    }
    ::close(fd);
    temporary_ = pattern;
}

AtomicPath::~AtomicPath() {
    if (!committed_ && !temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

Outcome AtomicPath::Commit() {
    if (temporary_.empty()) return Outcome::Fail(error_.empty() ? "No file was written." : error_);
    int fd = ::open(temporary_.c_str(), O_RDONLY);
    if (fd < 0)
        return Outcome::Fail("Cannot open " + temporary_.string() + ": " + std::strerror(errno));
    bool synced = ::fsync(fd) == 0;
    int savedErrno = errno;
    ::close(fd);
    if (!synced) return Outcome::Fail(std::string("Cannot write: ") + std::strerror(savedErrno));
    // mkstemp makes the file private; an existing file keeps its own mode, a new one
    // gets the usual mode of a user's document.
    struct stat existing {};
    ::chmod(temporary_.c_str(),
            ::stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644);
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) return Outcome::Fail("Cannot replace " + target_.string() + ": " + error.message());
    committed_ = true;
    return {};
}

}  // namespace quarrion
