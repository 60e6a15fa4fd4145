#include "link/error_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <mutex>

#include "foundation/atomic_file.h"

namespace quarrion {

namespace {

// Every instance of the process appends through this lock, so lines never interleave
// and the header is written once.
std::mutex& LogMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string Clean(std::string_view text) {
    std::string clean(text);
    for (char& c : clean) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return clean;
}

std::string LocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

}  // namespace

std::filesystem::path ErrorLog::PathIn(const std::filesystem::path& dataFolder) {
    return dataFolder / "Error Log.txt";
}

std::string_view ErrorLog::Header() {
    return "Time\tRequest Type\tStatus Code\tSeverity\tMessage";
}

Outcome ErrorLog::Append(const Entry& entry) const {
    std::string line = LocalTime() + "\t" + Clean(entry.requestType) + "\t" +
                       std::to_string(entry.statusCode) + "\t" + Clean(entry.severity) + "\t" +
                       Clean(entry.message) + "\n";
    std::lock_guard lock(LogMutex());
    int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        return Outcome::Fail("Cannot open the error log \"" + path_.string() +
                             "\": " + std::strerror(errno));
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size == 0) line = std::string(Header()) + "\n" + line;
    // One write per line: with O_APPEND another process's lines cannot land inside it.
    const char* data = line.data();
    std::size_t left = line.size();
    Outcome written = Outcome::Ok();
    while (left > 0) {
        ssize_t count = ::write(fd, data, left);
        if (count < 0) {
            if (errno == EINTR) continue;
            written = Outcome::Fail("Cannot write the error log \"" + path_.string() +
                                    "\": " + std::strerror(errno));
            break;
        }
        data += count;
        left -= static_cast<std::size_t>(count);
    }
    ::close(fd);
    return written;
}

Outcome ErrorLog::Clear() const {
    std::lock_guard lock(LogMutex());
    return WriteFileAtomically(path_, std::string(Header()) + "\n");
}

std::string ErrorLog::Stamp() const {
    struct stat info {};
    if (::stat(path_.c_str(), &info) != 0) return "missing";
    return std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
           std::to_string(info.st_mtim.tv_nsec) + ":" + std::to_string(info.st_ino);
}

}  // namespace quarrion
