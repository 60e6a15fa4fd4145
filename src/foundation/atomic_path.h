#pragma once

#include <filesystem>
#include <string>

#include "foundation/outcome.h"

namespace quarrion {

// A kept file that a library writes by path (the workbook writer opens and closes
// the file itself), made whole or not at all: the library writes to `TemporaryPath`,
// a fresh name beside the target, and `Commit` syncs it and renames it into place.
// Without a successful `Commit` the temporary file is removed and the target is
// untouched. An existing target that is not a regular file is handled apart: a
// folder is refused (`Error`), anything else (a device such as /dev/stdout, a pipe)
// is written through directly, since it cannot be replaced. `AtomicFile` builds the
// stream writer on it.
class AtomicPath {
  public:
    explicit AtomicPath(std::filesystem::path target);
    ~AtomicPath();
    AtomicPath(const AtomicPath&) = delete;
    AtomicPath& operator=(const AtomicPath&) = delete;

    // "" when the temporary name is reserved, else why it could not be.
    const std::string& Error() const { return error_; }
    const std::filesystem::path& TemporaryPath() const { return temporary_; }
    // True when the target itself is written (see TargetKind::WriteThrough): open it
    // for appending, so output already sent to the same file stays.
    bool WritesThrough() const { return through_; }
    // Syncs and renames; fails with the reason when it could not.
    Outcome Commit();

  private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::string error_;
    bool committed_ = false;
    bool through_ = false;  // the target itself is written: it is no regular file
    int lock_ = -1;         // held on the temporary file until it is renamed or removed
};

// How a kept file reaches the place it is asked for.
enum class TargetKind {
    Replace,       // absent or a regular file: written beside and renamed into place
    WriteThrough,  // a device, a pipe, or a name that stands for an open file of the
                   // process (/dev/stdout, a link into /proc): written directly, since
                   // renaming over it would destroy the node or lose the output
    Folder,        // refused
};
// The kind of `target`; for Replace, `place` is the file to replace (a link's final
// target, so the link stays), else `target` itself.
TargetKind KindOfTarget(const std::filesystem::path& target, std::filesystem::path& place);

// Removes the temporary files (`<name>.tmp-XXXXXX`) that writers killed before their
// Commit left in `folder`. A writer still at work holds a lock on its temporary file,
// so only abandoned ones go. Answers how many were removed.
std::size_t RemoveLeftoverTemporaries(const std::filesystem::path& folder);

}  // namespace quarrion
