#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quarrion {

// Small path, text and flag helpers shared by every subsystem. Stateless.
class CommonTools {
  public:
    // The folder with exactly one trailing '/' ("" stays "").
    static std::string NormalizeFolder(std::string_view folder);
    // The folder part of a path, with trailing '/'; "" when the path has no folder.
    static std::string FolderOf(std::string_view path);
    // The text after the last '/' or '\\' (CustomerRef/FullName -> FullName).
    static std::string LastSegment(std::string_view path);

    // An ExportFormat; others give "".
    static std::string ExportExtension(int format);
    static std::string ExportFilterText(int format);

    // Display texts of comparison operations and data-type choices; distinct per code,
    // "" for codes that have none.
    static std::string OperatorText(std::int32_t operation);
    static std::string ChoiceText(std::int32_t choice);

    static bool HasFlag(std::int32_t value, std::int32_t flag) { return (value & flag) == flag; }

    // Wildcard match of the whole record text against the entered pattern: '*' any
    // run of characters, '?' one character, letter case ignored. Answers the record
    // text when it matches, "" otherwise.
    static std::string MatchText(std::string_view recordText, std::string_view pattern);
};

}  // namespace quarrion
