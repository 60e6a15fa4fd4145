#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "store/store_error.h"

namespace quarrion {

// The control file's name; it ships in the resource folder.
inline constexpr const char* kControlFileName = "Temp Control File.tsl";

// One catalog entry as a control-file line gives it: eighteen TAB-separated fields in
// this order. The first sixteen are the layout a catalog entry writes as its output
// line; the last two are the Canadian-edition flags.
struct ControlFileEntry {
    std::int16_t Code = 0;
    std::string Reference;
    std::int16_t DefaultSequence = 0;
    std::int16_t Sequence = 0;
    std::string TagName;
    std::string DefaultHeading;
    std::int16_t Level = 0;
    std::string UserHeading;
    bool Searchable = false;
    std::string SearchGroup;
    bool Version21 = false;
    bool Version20 = false;
    bool Version11 = false;
    bool Version10 = false;
    std::string DataType;
    bool Version30 = false;
    bool VersionCA20 = false;
    bool VersionCA30 = false;

    bool operator==(const ControlFileEntry&) const = default;
};

inline constexpr int kControlFileFields = 18;

// Reads one entry line (without its line end). Numbers are read from the field's
// leading numeric part (none reads as 0) and rounded to whole numbers; one outside
// -32768..32767 is refused. Booleans are True or False in any letter case, or a number
// (0 false, anything else true); an empty field reads as false; other text is refused.
// Texts are taken as they are. Fewer than eighteen fields are refused; more are ignored.
// `lineNumber` only goes into the message of a refusal.
StoreResult ParseControlFileLine(std::string_view line, long lineNumber, ControlFileEntry& entry);

// The catalog version a header line announces: its last run of digits ("Quarrion
// control file<TAB>version<TAB>3" gives 3). A header without digits gives 0.
long ControlFileVersion(std::string_view headerLine);

// Reads a control file front to back: UTF-8 text (a leading byte-order mark is
// dropped), LF or CR LF line ends, line 1 a header that is never an entry, blank lines
// (nothing but spaces and TABs) skipped.
class ControlFileReader {
  public:
    // Opens the file and reads its header. A missing file is not an error: Exists()
    // answers false and Next() answers End at once.
    explicit ControlFileReader(const std::filesystem::path& path);

    bool Exists() const { return exists_; }
    long Version() const { return version_; }

    enum class Step { Entry, End, Error };
    // The next entry into `entry`; Error stops reading for good (see Error()).
    Step Next(ControlFileEntry& entry);
    const StoreError& Error() const { return error_; }
    // The number of the line read last (1 is the header).
    long LineNumber() const { return lineNumber_; }

  private:
    bool ReadLine(std::string& line);

    std::filesystem::path path_;
    std::ifstream in_;
    bool exists_ = false;
    bool failed_ = false;
    long version_ = 0;
    long lineNumber_ = 0;
    StoreError error_;
};

}  // namespace quarrion
