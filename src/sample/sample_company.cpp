#include "sample/sample_company.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "foundation/atomic_path.h"
#include "foundation/calendar_day.h"
#include "qbxml/request_type_info.h"
#include "sample/record_tree.h"
#include "sample/record_writer.h"
#include "sample/sample_books.h"
#include "sample/sample_records.h"

namespace quarrion {

namespace {

// Pieces go to the sink at about this size, so memory stays flat however large the
// company grows.
constexpr std::size_t kChunk = 1 << 20;

std::optional<std::int32_t> TodayOf(const SampleCompanyOptions& options) {
    if (options.today.empty()) return LocalToday();
    return ParseIsoDay(options.today);
}

std::string SystemError(int code) {
    return std::strerror(code);
}

}  // namespace

Outcome ValidateSampleCompanyOptions(const SampleCompanyOptions& options) {
    if (!std::isfinite(options.scale) || options.scale <= 0 || options.scale > kMaxSampleScale) {
        char buffer[96];
        std::snprintf(buffer, sizeof buffer, "The scale must be greater than 0 and at most %g.",
                      kMaxSampleScale);
        return Outcome::Fail(buffer);
    }
    if (!TodayOf(options)) {
        return Outcome::Fail(
            "\"" + options.today +
            "\" is not a date; give the day as YYYY-MM-DD, for example 2026-11-02.");
    }
    return {};
}

Outcome StreamSampleCompany(const SampleCompanyOptions& options,
                            const std::function<bool(std::string_view)>& sink) {
    if (Outcome valid = ValidateSampleCompanyOptions(options); !valid) return valid;
    const SampleBooks books = PlanSampleBooks(options.seed, options.scale, *TodayOf(options));

    std::string out;
    out.reserve(kChunk + kChunk / 4);
    auto flush = [&](bool force) {
        if (out.empty() || (!force && out.size() < kChunk)) return true;
        const bool accepted = sink(out);
        out.clear();
        return accepted;
    };

    out +=
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<?qbxml version=\"13.0\"?>\n<QBXML>\n  "
        "<QBXMLMsgsRs>\n";
    RecordTree tree;
    for (const RequestType& type : RequestTypeInfo::All()) {
        const auto code = static_cast<std::size_t>(type.code);
        const std::vector<int>& records =
            type.isTransaction ? books.transactions[code] : books.lists[code];
        const std::string stem(type.stem);
        out += "    <" + stem + "QueryRs requestID=\"" + std::to_string(type.code) + "\" ";
        if (records.empty()) {
            out +=
                "statusCode=\"1\" statusSeverity=\"Info\" statusMessage=\"A query request did not "
                "find a "
                "matching object in QuickBooks\" />\n";
            continue;
        }
        out += "statusCode=\"0\" statusSeverity=\"Info\" statusMessage=\"Status OK\">\n";
        RecordWriter writer(type.code);
        for (int index : records) {
            BuildSampleRecord(books, type.code, index, tree);
            writer.Write(tree, out, 3);
            if (!flush(false)) return Outcome::Fail("stopped");
        }
        out += "    </" + stem + "QueryRs>\n";
    }
    out += "  </QBXMLMsgsRs>\n</QBXML>\n";
    if (!flush(true)) return Outcome::Fail("stopped");
    return {};
}

std::string GenerateSampleCompany(const SampleCompanyOptions& options) {
    std::string document;
    const Outcome made = StreamSampleCompany(options, [&](std::string_view piece) {
        document += piece;
        return true;
    });
    return made ? document : std::string();
}

Outcome WriteSampleCompany(const std::filesystem::path& file, const SampleCompanyOptions& options) {
    if (Outcome valid = ValidateSampleCompanyOptions(options); !valid) return valid;
    if (file.empty() || file.filename().empty())
        return Outcome::Fail("No company file name was given.");
    const std::filesystem::path folder =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        return Outcome::Fail("Cannot write the company file " + file.string() +
                             ": it is a folder.");
    }

    // A target that is no regular file (/dev/stdout, a pipe) cannot be replaced, and
    // renaming over it would destroy the node: it is written through.
    std::filesystem::path place;
    if (KindOfTarget(file, place) == TargetKind::WriteThrough) {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> through(std::fopen(file.c_str(), "ab"),
                                                                &std::fclose);
        if (!through) {
            return Outcome::Fail("Cannot write the company file " + file.string() + ": " +
                                 SystemError(errno) + ".");
        }
        int throughError = 0;
        const Outcome streamedThrough = StreamSampleCompany(options, [&](std::string_view piece) {
            if (std::fwrite(piece.data(), 1, piece.size(), through.get()) != piece.size()) {
                throughError = errno;
                return false;
            }
            return true;
        });
        if (std::fclose(through.release()) != 0 && throughError == 0) throughError = errno;
        if (!streamedThrough || throughError != 0) {
            return Outcome::Fail(
                "Cannot write the company file " + file.string() + ": " +
                (throughError != 0 ? SystemError(throughError) : streamedThrough.Message()) + ".");
        }
        return {};
    }

    std::string pattern = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return Outcome::Fail("Cannot create the company file in " + folder.string() + ": " +
                             SystemError(errno) + ".");
    }
    const std::filesystem::path temporary = pattern;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(fdopen(fd, "wb"), &std::fclose);
    if (!stream) {
        const int code = errno;
        ::close(fd);
        std::filesystem::remove(temporary, error);
        return Outcome::Fail("Cannot write the company file " + file.string() + ": " +
                             SystemError(code) + ".");
    }
    int writeError = 0;
    const Outcome streamed = StreamSampleCompany(options, [&](std::string_view piece) {
        if (std::fwrite(piece.data(), 1, piece.size(), stream.get()) != piece.size()) {
            writeError = errno;
            return false;
        }
        return true;
    });
    if (writeError == 0 && (std::fflush(stream.get()) != 0 || fsync(fileno(stream.get())) != 0)) {
        writeError = errno;
    }
    // Files the user keeps are readable like any other file they create.
    fchmod(
        fileno(stream.get()), 0644 & ~[] {
            const mode_t mask = umask(0);
            umask(mask);
            return mask;
        }());
    if (std::fclose(stream.release()) != 0 && writeError == 0) writeError = errno;
    if (!streamed || writeError != 0) {
        std::filesystem::remove(temporary, error);
        return Outcome::Fail("Cannot write the company file " + file.string() + ": " +
                             (writeError != 0 ? SystemError(writeError) : streamed.Message()) +
                             ".");
    }
    std::filesystem::rename(temporary, file, error);
    if (error) {
        const std::string reason = error.message();
        std::filesystem::remove(temporary, error);
        return Outcome::Fail("Cannot replace the company file " + file.string() + ": " + reason +
                             ".");
    }
    return {};
}

}  // namespace quarrion
