#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "store/control_file.h"

namespace quarrion::test {

// The shipped control file read by the program's own reader; `problem` holds the
// reader's refusal, if any.
struct ShippedCatalog {
    long version = 0;
    std::vector<ControlFileEntry> entries;
    std::string problem;
};

inline const ShippedCatalog& Shipped() {
    static const ShippedCatalog catalog = [] {
        ShippedCatalog read;
        ControlFileReader reader(QUARRION_CONTROL_FILE);
        read.version = reader.Version();
        ControlFileEntry entry;
        ControlFileReader::Step step;
        while ((step = reader.Next(entry)) == ControlFileReader::Step::Entry) {
            read.entries.push_back(entry);
        }
        if (step == ControlFileReader::Step::Error) read.problem = reader.Error().Text();
        return read;
    }();
    return catalog;
}

}  // namespace quarrion::test
