#include "store/control_file.h"

#include <array>
#include <cmath>
#include <system_error>

#include "foundation/leading_number.h"
#include "foundation/text_fold.h"

namespace quarrion {

namespace {

constexpr std::array<const char*, kControlFileFields> kFieldNames{
    "Code",      "Reference",   "DefaultSequence", "Sequence",    "TagName",     "DefaultHeading",
    "Level",     "UserHeading", "Searchable",      "SearchGroup", "Version21",   "Version20",
    "Version11", "Version10",   "DataType",        "Version30",   "VersionCA20", "VersionCA30"};

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::string_view Trim(std::string_view text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string Where(long lineNumber, int field) {
    return "Line " + std::to_string(lineNumber) + " of the control file, field " +
           std::to_string(field + 1) + " (" + kFieldNames[static_cast<std::size_t>(field)] + ")";
}

StoreResult ReadNumber(std::string_view text, long lineNumber, int field, std::int16_t& out) {
    // Round half to even, as whole-number fields have always been read.
    double value = std::nearbyint(LeadingNumber(text));
    if (!(value >= -32768.0 && value <= 32767.0)) {
        return StoreResult::Fail(StoreErrorCode::ControlFileOverflow,
                                 Where(lineNumber, field) + " holds \"" + std::string(text) +
                                     "\", which is outside the range -32768 to 32767.");
    }
    out = static_cast<std::int16_t>(value);
    return StoreResult::Ok();
}

StoreResult ReadBoolean(std::string_view text, long lineNumber, int field, bool& out) {
    std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        out = false;
    } else if (EqualsIgnoringCase(trimmed, "true")) {
        out = true;
    } else if (EqualsIgnoringCase(trimmed, "false")) {
        out = false;
    } else if (trimmed.find_first_of("0123456789") != std::string_view::npos &&
               trimmed.find_first_not_of("+-.0123456789eE ") == std::string_view::npos) {
        out = LeadingNumber(trimmed) != 0.0;
    } else {
        return StoreResult::Fail(StoreErrorCode::ControlFileBadBoolean,
                                 Where(lineNumber, field) + " holds \"" + std::string(text) +
                                     "\", which is neither True, False nor a number.");
    }
    return StoreResult::Ok();
}

}  // namespace

StoreResult ParseControlFileLine(std::string_view line, long lineNumber, ControlFileEntry& entry) {
    std::array<std::string_view, kControlFileFields> fields;
    std::size_t count = 0;
    std::size_t start = 0;
    while (count < fields.size()) {
        std::size_t tab = line.find('\t', start);
        fields[count++] = line.substr(start, tab == std::string_view::npos ? tab : tab - start);
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    if (count < fields.size()) {
        return StoreResult::Fail(StoreErrorCode::ControlFileShortLine,
                                 "Line " + std::to_string(lineNumber) +
                                     " of the control file has " + std::to_string(count) +
                                     " fields; every entry needs " +
                                     std::to_string(kControlFileFields) + ".");
    }

    ControlFileEntry e;
    StoreResult r;
    auto number = [&](int i, std::int16_t& out) {
        if (r) r = ReadNumber(fields[static_cast<std::size_t>(i)], lineNumber, i, out);
    };
    auto flag = [&](int i, bool& out) {
        if (r) r = ReadBoolean(fields[static_cast<std::size_t>(i)], lineNumber, i, out);
    };
    auto text = [&](int i) { return std::string(fields[static_cast<std::size_t>(i)]); };

    number(0, e.Code);
    e.Reference = text(1);
    number(2, e.DefaultSequence);
    number(3, e.Sequence);
    e.TagName = text(4);
    e.DefaultHeading = text(5);
    number(6, e.Level);
    e.UserHeading = text(7);
    flag(8, e.Searchable);
    e.SearchGroup = text(9);
    flag(10, e.Version21);
    flag(11, e.Version20);
    flag(12, e.Version11);
    flag(13, e.Version10);
    e.DataType = text(14);
    flag(15, e.Version30);
    flag(16, e.VersionCA20);
    flag(17, e.VersionCA30);
    if (r) entry = std::move(e);
    return r;
}

long ControlFileVersion(std::string_view headerLine) {
    std::size_t end = headerLine.find_last_of("0123456789");
    if (end == std::string_view::npos) return 0;
    std::size_t begin = headerLine.find_last_not_of("0123456789", end);
    begin = begin == std::string_view::npos ? 0 : begin + 1;
    long version = 0;
    for (std::size_t i = begin; i <= end; ++i) {
        if (version > 100'000'000) break;  // absurd versions stay large, never wrap
        version = version * 10 + (headerLine[i] - '0');
    }
    return version;
}

ControlFileReader::ControlFileReader(const std::filesystem::path& path) : path_(path) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) return;
    exists_ = true;
    in_.open(path, std::ios::binary);
    std::string header;
    if (!in_.is_open()) {
        failed_ = true;
        error_ =
            StoreError{StoreErrorCode::ControlFileUnreadable,
                       "The control file \"" + path.string() + "\" cannot be read.", "IOManager"};
        return;
    }
    if (ReadLine(header)) {
        if (header.starts_with("\xEF\xBB\xBF")) header.erase(0, 3);
        version_ = ControlFileVersion(header);
    }
}

bool ControlFileReader::ReadLine(std::string& line) {
    if (!std::getline(in_, line)) return false;
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

ControlFileReader::Step ControlFileReader::Next(ControlFileEntry& entry) {
    if (failed_) return Step::Error;
    if (!exists_) return Step::End;
    std::string line;
    while (ReadLine(line)) {
        if (IsBlank(line)) continue;
        StoreResult parsed = ParseControlFileLine(line, lineNumber_, entry);
        if (parsed) return Step::Entry;
        failed_ = true;
        error_ = parsed.Error();
        return Step::Error;
    }
    if (in_.bad()) {
        failed_ = true;
        error_ = StoreError{StoreErrorCode::ControlFileUnreadable,
                            "Reading the control file \"" + path_.string() +
                                "\" failed after line " + std::to_string(lineNumber_) + ".",
                            "IOManager"};
        return Step::Error;
    }
    return Step::End;
}

}  // namespace quarrion
