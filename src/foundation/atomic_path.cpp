#include "foundation/atomic_path.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quarrion {

AtomicPath::AtomicPath(std::filesystem::path target) : target_(std::move(target)) {
    struct stat existing {};
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    // Names under /dev and /proc (/dev/stdout) stand for open files of this process:
    // replacing them would swap the link itself, so they are written through.
    const std::string name = target_.string();
    const bool systemName = name.rfind("/dev/", 0) == 0 || name.rfind("/proc/", 0) == 0;
    if (exists && S_ISREG(existing.st_mode) && !systemName) {
        // A link to a file: the file it names is replaced, the link stays.
        std::error_code error;
        if (std::filesystem::is_symlink(target_, error)) {
            std::filesystem::path resolved = std::filesystem::canonical(target_, error);
            if (!error) target_ = resolved;
        }
    }
    if (exists && (!S_ISREG(existing.st_mode) || systemName)) {
        if (S_ISDIR(existing.st_mode)) {
            error_ = "\"" + target_.string() + "\" is a folder, not a file.";
            return;
        }
        // A device, a pipe or a terminal (/dev/stdout, /dev/null): there is nothing to
        // replace, and renaming over it would destroy the node, so it is written
        // through directly.
        temporary_ = target_;
        through_ = true;
        return;
    }
    // mkstemp reserves the name so no other writer can take it; the library then
    // truncates and rewrites the file it finds there.
    std::string pattern = target_.string() + ".tmp-XXXXXX";
    int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        error_ = "Cannot create a file in " + target_.parent_path().string() + ": " +
                 std::strerror(errno);
        return;
    }
    // The descriptor stays open only to hold the lock that tells a later clean-up this
    // file is still being written.
    ::flock(fd, LOCK_EX | LOCK_NB);
    lock_ = fd;
    temporary_ = pattern;
}

AtomicPath::~AtomicPath() {
    if (!committed_ && !through_ && !temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
    if (lock_ >= 0) ::close(lock_);
}

std::size_t RemoveLeftoverTemporaries(const std::filesystem::path& folder) {
    std::size_t removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const std::size_t mark = name.rfind(".tmp-");
        if (mark == std::string::npos || name.size() - mark != 11) continue;
        std::error_code kind;
        if (!entry.is_regular_file(kind)) continue;
        int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        // A lock that cannot be had belongs to a writer still at work.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            std::error_code ignored;
            if (std::filesystem::remove(entry.path(), ignored)) ++removed;
        }
        ::close(fd);
    }
    return removed;
}

std::string AtomicPath::Commit() {
    if (temporary_.empty()) return error_.empty() ? "No file was written." : error_;
    if (through_) {
        committed_ = true;
        return {};
    }
    int fd = ::open(temporary_.c_str(), O_RDONLY);
    if (fd < 0) return "Cannot open " + temporary_.string() + ": " + std::strerror(errno);
    bool synced = ::fsync(fd) == 0;
    int savedErrno = errno;
    ::close(fd);
    if (!synced) return std::string("Cannot write: ") + std::strerror(savedErrno);
    // mkstemp makes the file private; an existing file keeps its own mode, a new one
    // gets the usual mode of a user's document.
    struct stat existing {};
    ::chmod(temporary_.c_str(),
            ::stat(target_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644);
    std::error_code error;
    std::filesystem::rename(temporary_, target_, error);
    if (error) return "Cannot replace " + target_.string() + ": " + error.message();
    committed_ = true;
    return {};
}

}  // namespace quarrion
