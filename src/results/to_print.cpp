#include "results/to_print.h"

#include <unordered_map>

#include "qbxml/shown_value.h"
#include "results/record_paths.h"

namespace quarrion {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

// Sets the text of `parent`'s child `name`, creating the child when it is missing.
void SetChildText(pugi::xml_node parent, const char* name, std::string_view text) {
    pugi::xml_node child = parent.child(name);
    if (!child) child = parent.append_child(name);
    child.text().set(std::string(text).c_str());
}

}  // namespace

std::string ToPrintEntries(const std::vector<pugi::xml_node>& records, const ResultList& list) {
    std::string entries;
    for (const ResultRow& row : list.Rows) {
        auto position = KeyPosition(row.Key);
        if (!position || *position >= records.size()) continue;
        pugi::xml_node record = records[*position];
        if (!entries.empty()) entries.push_back(',');
        entries += TypedText(record.child("TxnID"));
        if (pugi::xml_node sequence = record.child("EditSequence")) {
            entries.push_back('\t');
            entries += TypedText(sequence);
        }
        entries.push_back('\t');
        entries += row.Key;
    }
    return entries;
}

int ApplyToPrintResult(std::string_view result, const std::vector<pugi::xml_node>& records,
                       std::string_view recordElementName, ResultList& list) {
    if (result.empty()) return 0;
    std::unordered_map<std::string_view, std::size_t> rowOfKey;
    for (std::size_t r = 0; r < list.Rows.size(); ++r) rowOfKey.emplace(list.Rows[r].Key, r);
    const std::string columnKey = "//" + std::string(recordElementName) + "/IsToBePrinted";
    std::size_t column = list.Columns.size();
    for (std::size_t c = 0; c < list.Columns.size(); ++c) {
        if (list.Columns[c].Key == columnKey) column = c;
    }

    int changed = 0;
    for (std::string_view part : Split(result, ',')) {
        auto fields = Split(part, '\t');
        if (fields.size() < 3) continue;
        auto position = KeyPosition(fields[0]);
        if (!position || *position >= records.size()) continue;
        pugi::xml_node record = records[*position];
        SetChildText(record, "IsToBePrinted", fields[1]);
        SetChildText(record, "EditSequence", fields[2]);
        ++changed;
        if (column == list.Columns.size()) continue;
        if (auto row = rowOfKey.find(fields[0]); row != rowOfKey.end()) {
            auto& cells = list.Rows[row->second].Cells;
            if (column < cells.size()) {
                cells[column] =
                    ShownValue(std::string(fields[1]), list.Columns[column].DataTypeCode);
            }
        }
    }
    return changed;
}

}  // namespace quarrion
