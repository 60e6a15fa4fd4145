#include "services/atomic_file.h"

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

std::string WriteFileAtomically(const std::filesystem::path& path, std::string_view contents) {
    std::filesystem::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = mkstemp(pattern.data());
    if (fd < 0) return Failure("Cannot create a temporary file for", path, errno);

    const char* data = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            int error = errno;
            ::close(fd);
            ::unlink(pattern.c_str());
            return Failure("Cannot write", path, error);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }

    // mkstemp makes the file private; an existing file keeps its own mode, a new one
    // gets the usual mode of a user's document.
    struct stat existing {};
    mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);

    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int error = errno;
        ::unlink(pattern.c_str());
        return Failure("Cannot write", path, error);
    }
    if (::rename(pattern.c_str(), path.c_str()) != 0) {
        int error = errno;
        ::unlink(pattern.c_str());
        return Failure("Cannot replace", path, error);
    }
    return {};
}

std::string ReadWholeFile(const std::filesystem::path& path, std::string& contents) {
    contents.clear();
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return "The file \"" + path.string() + "\" does not exist.";
    if (std::filesystem::is_directory(path, error))
        return "\"" + path.string() + "\" is a folder, not a file.";
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure("Cannot open", path, errno);
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        contents.resize(static_cast<std::size_t>(size));
        in.read(contents.data(), size);
        if (in.gcount() != size) {
            contents.clear();
            return Failure("Cannot read", path, errno ? errno : EIO);
        }
    }
    return {};
}

}  // namespace quarrion
