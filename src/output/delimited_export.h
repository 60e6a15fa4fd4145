#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/codes.h"
#include "foundation/outcome.h"
#include "results/result_list.h"

namespace quarrion {

struct ExportOptions {
    int Format = ExportFormat::Comma;
    // Off by default so files match what the list shows. When on, a text cell that
    // starts with =, +, -, @, TAB or CR, or has such a character right after a line
    // break inside it, gets an apostrophe there so a spreadsheet shows it instead of
    // running it as a formula. Number columns are left alone. Implies StandardQuoting,
    // so no guarded text can escape its field.
    bool GuardFormulas = false;
    // Off by default: the list's own encoding (EncodeField) is the rule. When on,
    // fields follow RFC 4180 so every reader gets the same fields back (see
    // EncodeStandardField).
    bool StandardQuoting = false;

    bool UsesStandardQuoting() const { return StandardQuoting || GuardFormulas; }

    // Starts a written file with the UTF-8 byte order mark, which spreadsheet programs
    // need to read a CSV file as UTF-8 rather than their local code page.
    bool ByteOrderMark = false;
};

// The UTF-8 byte order mark.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// One field as it goes into the file. Tab-delimited fields and empty fields are
// written unchanged. A comma-separated field is quoted when it holds a comma and is
// not already wrapped (first and last character both double quotes); quoting doubles
// inner quotes.
std::string EncodeField(std::string_view text, int format);

// Appends the encoded field to `out` (the allocation-free form the writer uses).
void AppendEncodedField(std::string& out, std::string_view text, int format);

// Standard quoting. Comma-separated: a field holding a comma, a double quote, CR or
// LF is enclosed in double quotes with its inner quotes doubled. Tab-delimited: a
// TAB, CR or LF inside a field becomes a blank, since that format has no quoting.
std::string EncodeStandardField(std::string_view text, int format);
void AppendStandardField(std::string& out, std::string_view text, int format);

// The heading line of a list file (the headings in column creation order) and one
// row's line, each ended by CR LF, appended to `out`: what WriteListFile writes, for
// callers that send the text elsewhere (a terminal).
void AppendListHeading(std::string& out, const ResultList& list, const ExportOptions& options);
void AppendListRow(std::string& out, const ResultList& list, const ResultRow& row,
                   const ExportOptions& options);

// Writes the heading line (columns in creation order) and one line per row, every
// line ended by CR LF, fields joined by "," or TAB. The file is written whole or not
// at all; a failure says why.
Outcome WriteListFile(const std::filesystem::path& file, const ResultList& list,
                      const ExportOptions& options);

// The name an export writes, silent (Export All) or chosen in a dialog: "." +
// extension is appended when the name is longer than four characters and does not
// already end in it (any case).
std::string ExportFileName(std::string_view fileName, int format);
inline std::string SilentExportName(std::string_view fileName, int format) {
    return ExportFileName(fileName, format);
}
inline std::string DialogExportName(std::string_view chosenName, int format) {
    return ExportFileName(chosenName, format);
}

}  // namespace quarrion
