#include "output/delimited_export.h"

#include "services/atomic_file.h"
#include "services/common_tools.h"
#include "services/text_fold.h"

namespace quarrion {

namespace {

bool IsNumberType(std::int32_t dataTypeCode) { return (dataTypeCode & 64) != 0; }

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
    return "." + CommonTools::ExportExtension(format == ExportFormat::Comma ? 1 : 2);
}

}  // namespace

void AppendEncodedField(std::string& out, std::string_view text, int format) {
    bool quote = format == ExportFormat::Comma && !text.empty() &&
                 text.find(',') != std::string_view::npos &&
                 !(text.front() == '"' || text.back() == '"');
    if (!quote) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (char c : text) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

std::string EncodeField(std::string_view text, int format) {
    std::string out;
    AppendEncodedField(out, text, format);
    return out;
}

std::string WriteListFile(const std::filesystem::path& file, const ResultList& list,
                          const ExportOptions& options) {
    AtomicFile out(file);
    if (!out.Error().empty()) return out.Error();
    const int format = options.Format == ExportFormat::Comma ? ExportFormat::Comma : ExportFormat::Tab;
    const char delimiter = format == ExportFormat::Comma ? ',' : '\t';

    std::string buffer;
    buffer.reserve(1 << 16);
    auto flushIfFull = [&] {
        if (buffer.size() < (1 << 16)) return true;
        bool ok = out.Write(buffer);
        buffer.clear();
        return ok;
    };

    for (std::size_t c = 0; c < list.Columns.size(); ++c) {
        if (c) buffer.push_back(delimiter);
        AppendEncodedField(buffer, list.Columns[c].Heading, format);
    }
    buffer.append("\r\n");

    std::string guarded;
    for (const ResultRow& row : list.Rows) {
        for (std::size_t c = 0; c < row.Cells.size(); ++c) {
            if (c) buffer.push_back(delimiter);
            std::string_view cell = row.Cells[c];
            bool textColumn = c >= list.Columns.size() || !IsNumberType(list.Columns[c].DataTypeCode);
            if (options.GuardFormulas && textColumn && StartsLikeAFormula(cell)) {
                guarded.assign("'").append(cell);
                cell = guarded;
            }
            AppendEncodedField(buffer, cell, format);
        }
        buffer.append("\r\n");
        if (!flushIfFull()) return out.Error();
    }
    if (!out.Write(buffer)) return out.Error();
    return out.Commit();
}

std::string SilentExportName(std::string_view fileName, int format) {
    std::string name(fileName);
    std::string extension = Extension(format);
    if (name.size() > 4 && !EndsWithExtension(name, extension)) name += extension;
    return name;
}

std::string DialogExportName(std::string_view chosenName, int format) {
    std::string name(chosenName);
    std::string extension = Extension(format);
    if (name.size() >= 5 && !EndsWithExtension(name, extension)) name += extension;
    return name;
}

}  // namespace quarrion
