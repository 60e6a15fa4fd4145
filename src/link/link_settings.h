#pragma once

#include <filesystem>
#include <string>

#include "foundation/outcome.h"

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
    // When not empty ("HOST:PORT"), requests go to a real QuickBooks company through the
    // QuickBooks Web Connector, which calls the service listening here; this wins over a
    // response folder and a company file.
    std::string WebConnectorListen;
    // The UserName of the Web Connector's application file, and the password it must
    // give, kept only as a salted slow hash (password_hash.h).
    std::string WebConnectorUser;
    std::string WebConnectorPasswordHash;
    // HTTPS certificate (chain) and key; empty on a loopback address means plain HTTP,
    // elsewhere a self-signed pair made in the data folder.
    std::filesystem::path WebConnectorCertFile;
    std::filesystem::path WebConnectorKeyFile;
    // Seconds a request waits for the Web Connector to run it before it fails.
    int WebConnectorWait = 300;
    // The FileID GUID of the application file, made once so every written file agrees.
    std::string WebConnectorFileId;

    // The settings file inside `dataFolder`.
    static std::filesystem::path FilePath(const std::filesystem::path& dataFolder);

    // Reads the settings; a missing file, an unreadable file, unknown keys and values
    // that do not parse leave the defaults in place.
    static LinkSettings Load(const std::filesystem::path& dataFolder);

    // Writes all settings, whole or not at all.
    Outcome Save(const std::filesystem::path& dataFolder) const;
};

}  // namespace quarrion
