#include "qbxml/to_print_list.h"

namespace quarrion {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

std::vector<ToPrintEntry> ParseToPrintEntries(std::string_view list) {
    std::vector<ToPrintEntry> entries;
    if (list.empty()) return entries;
    for (std::string_view part : Split(list, ',')) {
        std::vector<std::string_view> fields = Split(part, '\t');
        ToPrintEntry entry;
        entry.txnId = std::string(fields[0]);
        if (fields.size() == 2) {
            entry.key = std::string(fields[1]);
        } else if (fields.size() == 3) {
            entry.editSequence = std::string(fields[1]);
            entry.hasEditSequence = true;
            entry.key = std::string(fields[2]);
        } else {
            entry.wellFormed = false;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string FormatToPrintResults(std::span<const ToPrintResult> results) {
    std::string list;
    for (const ToPrintResult& result : results) {
        if (!list.empty()) list += ",";
        list += result.key + "\t" + result.isToBePrinted + "\t" + result.editSequence;
    }
    return list;
}

}  // namespace quarrion
