#include "output/delimited_export.h"

#include "foundation/atomic_file.h"
#include "foundation/common_tools.h"
#include "foundation/text_fold.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

bool StartsLikeAFormula(std::string_view text) {
    if (text.empty()) return false;
    switch (text.front()) {
        case '=':
        case '+':
        case '-':
        case '@':
        case '\t':
        case '\r':
            return true;
        default:
            return false;
    }
}

bool EndsWithExtension(std::string_view name, std::string_view dottedExtension) {
    if (name.size() < 4) return false;
    return EqualsIgnoringCase(name.substr(name.size() - 4), dottedExtension);
}

std::string Extension(int format) {
    return "." + CommonTools::ExportExtension(format == ExportFormat::Comma ? ExportFormat::Comma
                                                                            : ExportFormat::Tab);
}

// `text` in double quotes, with each quote inside doubled.
void AppendQuoted(std::string& out, std::string_view text) {
    out.push_back('"');
    for (char c : text) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace

void AppendEncodedField(std::string& out, std::string_view text, int format) {
    bool wrapped = text.size() >= 2 && text.front() == '"' && text.back() == '"';
    bool quote = format == ExportFormat::Comma && !text.empty() &&
                 text.find(',') != std::string_view::npos && !wrapped;
    if (!quote) {
        out.append(text);
        return;
    }
    AppendQuoted(out, text);
}

std::string EncodeField(std::string_view text, int format) {
    std::string out;
    AppendEncodedField(out, text, format);
    return out;
}

void AppendStandardField(std::string& out, std::string_view text, int format) {
    if (format != ExportFormat::Comma) {
        for (char c : text) out.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
        return;
    }
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    AppendQuoted(out, text);
}

std::string EncodeStandardField(std::string_view text, int format) {
    std::string out;
    AppendStandardField(out, text, format);
    return out;
}

namespace {

void AppendField(std::string& out, std::string_view text, int format,
                 const ExportOptions& options) {
    if (options.UsesStandardQuoting()) {
        AppendStandardField(out, text, format);
    } else {
        AppendEncodedField(out, text, format);
    }
}

bool StartsAFormulaAfterABreak(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t';
}

// The text with an apostrophe before a formula at its start and after every line
// break inside it, so no line a spreadsheet reads starts a formula. The apostrophe
// belongs to the field, so it sits inside any quotes.
std::string GuardedText(std::string_view cell) {
    std::string guarded;
    guarded.reserve(cell.size() + 2);
    if (StartsLikeAFormula(cell)) guarded.push_back('\'');
    for (std::size_t i = 0; i < cell.size(); ++i) {
        guarded.push_back(cell[i]);
        bool lineBreak = cell[i] == '\r' || cell[i] == '\n';
        if (lineBreak && i + 1 < cell.size() && StartsAFormulaAfterABreak(cell[i + 1])) {
            guarded.push_back('\'');
        }
    }
    return guarded;
}

bool NeedsGuard(std::string_view cell) {
    if (StartsLikeAFormula(cell)) return true;
    for (std::size_t i = 0; i + 1 < cell.size(); ++i) {
        if ((cell[i] == '\r' || cell[i] == '\n') && StartsAFormulaAfterABreak(cell[i + 1])) {
            return true;
        }
    }
    return false;
}

}  // namespace

void AppendListHeading(std::string& out, const ResultList& list, const ExportOptions& options) {
    const int format =
        options.Format == ExportFormat::Comma ? ExportFormat::Comma : ExportFormat::Tab;
    const char delimiter = format == ExportFormat::Comma ? ',' : '\t';
    for (std::size_t c = 0; c < list.Columns.size(); ++c) {
        if (c) out.push_back(delimiter);
        AppendField(out, list.Columns[c].Heading, format, options);
    }
    out.append("\r\n");
}

void AppendListRow(std::string& out, const ResultList& list, const ResultRow& row,
                   const ExportOptions& options) {
    const int format =
        options.Format == ExportFormat::Comma ? ExportFormat::Comma : ExportFormat::Tab;
    const char delimiter = format == ExportFormat::Comma ? ',' : '\t';
    for (std::size_t c = 0; c < row.Cells.size(); ++c) {
        if (c) out.push_back(delimiter);
        std::string_view cell = row.Cells[c];
        bool textColumn =
            c >= list.Columns.size() || !DataTypeCode::IsNumber(list.Columns[c].DataTypeCode);
        if (options.GuardFormulas && textColumn && NeedsGuard(cell)) {
            AppendField(out, GuardedText(cell), format, options);
            continue;
        }
        AppendField(out, cell, format, options);
    }
    out.append("\r\n");
}

Outcome WriteListFile(const std::filesystem::path& file, const ResultList& list,
                      const ExportOptions& options) {
    AtomicFile out(file);
    if (!out.Error().empty()) return Outcome::Fail(out.Error());

    std::string buffer;
    buffer.reserve(1 << 16);
    if (options.ByteOrderMark) buffer += kUtf8ByteOrderMark;
    AppendListHeading(buffer, list, options);
    for (const ResultRow& row : list.Rows) {
        AppendListRow(buffer, list, row, options);
        if (buffer.size() >= (1 << 16)) {
            if (!out.Write(buffer)) return Outcome::Fail(out.Error());
            buffer.clear();
        }
    }
    if (!out.Write(buffer)) return Outcome::Fail(out.Error());
    return out.Commit();
}

std::string ExportFileName(std::string_view fileName, int format) {
    std::string name(fileName);
    std::string extension = Extension(format);
    if (name.size() > 4 && !EndsWithExtension(name, extension)) name += extension;
    return name;
}

}  // namespace quarrion
