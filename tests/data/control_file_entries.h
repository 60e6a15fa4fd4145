#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quarrion::test {

// The shipped control file read field by field, for tests that check it or check
// data against it. Reads the file as the store does: line 1 is the header, blank
// lines are skipped, every other line is split at TAB characters.
struct ControlFile {
    struct Entry {
        int lineNumber = 0;
        std::vector<std::string> fields;
        int Code() const { return std::stoi(fields.at(0)); }
        const std::string& TagName() const { return fields.at(4); }
    };

    std::string header;
    std::vector<Entry> entries;
    bool hasCarriageReturns = false;
    bool readable = false;
};

inline std::filesystem::path ShippedControlFile() {
    return QUARRION_CONTROL_FILE;
}

inline ControlFile ReadControlFile(const std::filesystem::path& path = ShippedControlFile()) {
    ControlFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in) return file;
    file.readable = true;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            file.hasCarriageReturns = true;
            line.pop_back();
        }
        if (number == 1) {
            file.header = line;
            continue;
        }
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        ControlFile::Entry entry;
        entry.lineNumber = number;
        std::string field;
        std::istringstream split(line);
        while (std::getline(split, field, '\t')) entry.fields.push_back(field);
        if (!line.empty() && line.back() == '\t') entry.fields.emplace_back();
        file.entries.push_back(std::move(entry));
    }
    return file;
}

}  // namespace quarrion::test
