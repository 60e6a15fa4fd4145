#include "search/result_text.h"

#include <utf8proc.h>

#include <algorithm>

#include "foundation/common_tools.h"
#include "model/inc_items.h"
#include "model/search_object2.h"

namespace quarrion {

namespace {

// Walks UTF-8 text; `visit` gets each code point and its bytes, or -1 and one byte
// for a byte that starts no valid sequence.
template <typename Visit>
void ForEachCodePoint(std::string_view text, Visit visit) {
    const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
    utf8proc_ssize_t left = static_cast<utf8proc_ssize_t>(text.size());
    while (left > 0) {
        utf8proc_int32_t codePoint = -1;
        utf8proc_ssize_t length = utf8proc_iterate(bytes, left, &codePoint);
        if (length <= 0) {
            codePoint = -1;
            length = 1;
        }
        visit(codePoint, std::string_view(reinterpret_cast<const char*>(bytes),
                                          static_cast<std::size_t>(length)));
        bytes += length;
        left -= length;
    }
}

void AppendHex4(std::string& out, unsigned value) {
    static const char* digits = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out.push_back(digits[(value >> shift) & 0xF]);
}

// A cell as one terminal line: control characters become blanks, invalid bytes U+FFFD,
// and text wider than `widest` is cut with "...".
std::string TableCell(std::string_view text, std::size_t widest) {
    std::string cell;
    std::size_t width = 0;
    bool cut = false;
    const std::size_t room = widest > 3 ? widest - 3 : widest;
    std::size_t keptBytes = 0;
    ForEachCodePoint(text, [&](utf8proc_int32_t codePoint, std::string_view bytes) {
        if (cut) return;
        std::string piece;
        if (codePoint < 0) {
            piece = "\xEF\xBF\xBD";
        } else if (codePoint < 0x20 || codePoint == 0x7F) {
            piece = " ";
        } else {
            piece = std::string(bytes);
        }
        const std::size_t w = DisplayWidth(piece);
        if (width + w > widest) {
            cut = true;
            return;
        }
        width += w;
        cell += piece;
        if (width <= room) keptBytes = cell.size();
    });
    if (cut) {
        cell.resize(keptBytes);
        cell += "...";
    }
    return cell;
}

std::string PadTo(const std::string& text, std::size_t width, bool right) {
    const std::size_t shown = DisplayWidth(text);
    if (shown >= width) return text;
    std::string padding(width - shown, ' ');
    return right ? padding + text : text + padding;
}

}  // namespace

std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    ForEachCodePoint(text, [&](utf8proc_int32_t codePoint, std::string_view) {
        width += static_cast<std::size_t>(
            std::max(0, utf8proc_charwidth(codePoint < 0 ? 0xFFFD : codePoint)));
    });
    return width;
}

std::string ResultsCaption(SearchObject2& search) {
    const bool named = search.Name.find_first_not_of(" \t") != std::string::npos;
    if (named || (search.FromDate != ZeroDate && search.ToDate != ZeroDate))
        return search.Caption();
    if (search.FromDate != ZeroDate) return "(from " + search.FormatFrom() + ")";
    if (search.ToDate != ZeroDate) return "(to " + search.FormatTo() + ")";
    return "All dates";
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    ForEachCodePoint(text, [&](utf8proc_int32_t codePoint, std::string_view bytes) {
        switch (codePoint) {
            case '"':
                out += "\\\"";
                return;
            case '\\':
                out += "\\\\";
                return;
            case '\b':
                out += "\\b";
                return;
            case '\f':
                out += "\\f";
                return;
            case '\n':
                out += "\\n";
                return;
            case '\r':
                out += "\\r";
                return;
            case '\t':
                out += "\\t";
                return;
            default:
                break;
        }
        if (codePoint < 0) {
            out += "\xEF\xBF\xBD";
        } else if (codePoint < 0x20) {
            AppendHex4(out, static_cast<unsigned>(codePoint));
        } else {
            out.append(bytes);
        }
    });
    out += "\"";
    return out;
}

std::string ResultsJson(std::string_view caption, const IncItems& items,
                        std::span<const ResultList> lists) {
    std::string out = "{\n  \"caption\": " + JsonString(caption) + ",\n  \"types\": [";
    for (std::size_t position = 1; position <= items.Count(); ++position) {
        const IncItem& item = *items.Item(position);
        const ResultList* list = position <= lists.size() ? &lists[position - 1] : nullptr;
        out += position > 1 ? ",\n    {" : "\n    {";
        out += "\n      \"request_type\": " + std::to_string(item.RequestType());
        out += ",\n      \"name\": " + JsonString(item.Name);
        out += ",\n      \"title\": " + JsonString(list ? list->Title : std::string());
        out += ",\n      \"message\": " + JsonString(item.Message);
        out += ",\n      \"done\": ";
        out += item.Done ? "true" : "false";
        out += ",\n      \"columns\": [";
        if (list) {
            for (std::size_t c = 0; c < list->Columns.size(); ++c) {
                out += c ? ",\n        " : "\n        ";
                out += "{\"key\": " + JsonString(list->Columns[c].Key) +
                       ", \"heading\": " + JsonString(list->Columns[c].Heading) + "}";
            }
            if (!list->Columns.empty()) out += "\n      ";
        }
        out += "],\n      \"rows\": [";
        if (list) {
            for (std::size_t r = 0; r < list->Rows.size(); ++r) {
                const ResultRow& row = list->Rows[r];
                out += r ? ",\n        " : "\n        ";
                out += "{\"key\": " + JsonString(row.Key) + ", \"cells\": [";
                for (std::size_t c = 0; c < row.Cells.size(); ++c) {
                    if (c) out += ", ";
                    out += JsonString(row.Cells[c]);
                }
                out += "], \"match\": " + JsonString(row.MatchText) + "}";
            }
            if (!list->Rows.empty()) out += "\n      ";
        }
        out += "]\n    }";
    }
    if (items.Count() > 0) out += "\n  ";
    out += "]\n}\n";
    return out;
}

std::string AlignedTable(const std::vector<std::vector<std::string>>& rows, bool heading,
                         const std::vector<bool>& rightAligned) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        if (widths.size() < row.size()) widths.resize(row.size(), 0);
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
        }
    }
    auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const std::string cell = c < cells.size() ? cells[c] : std::string();
            bool right = c < rightAligned.size() && rightAligned[c];
            if (c) text += "  ";
            text += PadTo(cell, widths[c], right);
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text + "\n";
    };
    std::string out;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        out += line(rows[r]);
        if (r == 0 && heading) {
            std::vector<std::string> dashes;
            for (std::size_t width : widths) dashes.emplace_back(width, '-');
            out += line(dashes);
        }
    }
    return out;
}

std::string ResultsTable(const IncItems& items, std::span<const ResultList> lists,
                         std::size_t widest) {
    std::string out;
    for (std::size_t position = 1; position <= items.Count(); ++position) {
        const IncItem& item = *items.Item(position);
        const ResultList* list = position <= lists.size() ? &lists[position - 1] : nullptr;
        if (position > 1) out += "\n";
        out += (list && !list->Title.empty() ? list->Title : item.Name) + "\n";
        out += "  " + TableCell(item.Message, 1000) + "\n";
        if (!list) continue;

        bool anyMatch = std::any_of(list->Rows.begin(), list->Rows.end(),
                                    [](const ResultRow& row) { return !row.MatchText.empty(); });
        std::vector<std::vector<std::string>> rows;
        std::vector<bool> right = {false};
        std::vector<std::string> headings = {"Key"};
        for (const ResultColumn& column : list->Columns) {
            headings.push_back(TableCell(column.Heading, widest));
            right.push_back(CommonTools::HasFlag(column.DataTypeCode, Kind::Number));
        }
        if (anyMatch) {
            headings.emplace_back("Match");
            right.push_back(false);
        }
        rows.push_back(std::move(headings));
        for (const ResultRow& row : list->Rows) {
            std::vector<std::string> cells = {row.Key};
            for (std::size_t c = 0; c < list->Columns.size(); ++c) {
                cells.push_back(c < row.Cells.size() ? TableCell(row.Cells[c], widest)
                                                     : std::string());
            }
            if (anyMatch) cells.push_back(TableCell(row.MatchText, widest));
            rows.push_back(std::move(cells));
        }
        if (list->Rows.empty()) continue;
        out += "\n" + AlignedTable(rows, true, right);
    }
    return out;
}

std::string ResultsDelimited(std::span<const ResultList> lists, const ExportOptions& options) {
    std::string out;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        if (i) out += "\r\n";
        AppendListHeading(out, lists[i], options);
        for (const ResultRow& row : lists[i].Rows) AppendListRow(out, lists[i], row, options);
    }
    return out;
}

}  // namespace quarrion
