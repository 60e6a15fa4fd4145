#include "foundation/atomic_path.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace quarrion {

TargetKind KindOfTarget(const std::filesystem::path& target, std::filesystem::path& place) {
    place = target;
    auto systemName = [](const std::filesystem::path& path) {
        const std::string name = path.string();
        return name.rfind("/dev/", 0) == 0 || name.rfind("/proc/", 0) == 0;
    };
    // Follow the links one by one: a hop into /dev or /proc means the name stands for
    // an open file of the process, whatever the final file is.
    std::filesystem::path at = target;
    for (int hops = 0; hops < 40; ++hops) {
        if (systemName(at)) return TargetKind::WriteThrough;
        std::error_code error;
        if (!std::filesystem::is_symlink(at, error)) break;
        std::filesystem::path next = std::filesystem::read_symlink(at, error);
        if (error) break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) return TargetKind::Replace;
    if (S_ISDIR(existing.st_mode)) return TargetKind::Folder;
    if (!S_ISREG(existing.st_mode)) return TargetKind::WriteThrough;
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::canonical(target, error);
    if (!error) place = resolved;
    return TargetKind::Replace;
}

AtomicPath::AtomicPath(std::filesystem::path target) : target_(std::move(target)) {
    std::filesystem::path place;
    switch (KindOfTarget(target_, place)) {
        case TargetKind::Folder:
            error_ = "\"" + target_.string() + "\" is a folder, not a file.";
            return;
        case TargetKind::WriteThrough:
            temporary_ = target_;
            through_ = true;
            return;
        case TargetKind::Replace:
            target_ = place;
            break;
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

Outcome AtomicPath::Commit() {
    if (temporary_.empty()) return Outcome::Fail(error_.empty() ? "No file was written." : error_);
    if (through_) {
        committed_ = true;
        return {};
    }
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
