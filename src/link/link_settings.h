#pragma once

#include <filesystem>
#include <string>

namespace quarrion {

// What the link keeps between runs, in a small "key=value" text file in the data
// folder, so a fresh link instance reads back what another one wrote. Boolean values
// are stored as True and False.
struct LinkSettings {
    // Whether the link writes its errors to the error log.
    bool LogErrors = true;
    // The sample-company file to answer from. Empty: the sample company in the data
    // folder, created on first use.
    std::filesystem::path CompanyFile;
    // When not empty, queries are answered from the qbXML response files in this folder
    // instead of a company file.
    std::filesystem::path ResponseFolder;
    // Records asked for per iterator page; progress is reported after each page.
    int PageSize = 500;

    // The settings file inside `dataFolder`.
    static std::filesystem::path FilePath(const std::filesystem::path& dataFolder);

    // Reads the settings; a missing file, an unreadable file, unknown keys and values
    // that do not parse leave the defaults in place.
    static LinkSettings Load(const std::filesystem::path& dataFolder);

    // Writes all settings atomically. Returns "" or an error message.
    std::string Save(const std::filesystem::path& dataFolder) const;
};

}  // namespace quarrion
