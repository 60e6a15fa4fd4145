#pragma once

#include <string>
#include <string_view>

namespace quarrion {

// Quarrion's OwnerID: one GUID for the application, never per version or per file. The
// Web Connector keys Quarrion's private data in the company file by it.
inline constexpr std::string_view kWebConnectorOwnerId = "{6C1E2B8D-5A3F-4E7B-9D21-8F4A0C3B7E65}";

// The application file (.qwc) a user adds to the QuickBooks Web Connector on the
// Windows machine: where to call Quarrion, as whom, and how often. It holds no password;
// the user types that into the Web Connector.
struct WebConnectorAppFile {
    std::string appName = "Quarrion";
    std::string appId;  // may be empty
    std::string appUrl;
    std::string appDescription =
        "Quarrion searches QuickBooks lists and transactions across many types at once.";
    std::string appSupport;  // empty: the service's own page at appUrl
    std::string userName;
    std::string ownerId = std::string(kWebConnectorOwnerId);
    std::string fileId;  // one GUID per company
    int runEveryMinutes = 1;

    // The file's XML text (UTF-8, CR LF line ends as Windows tools write them).
    std::string Text() const;
};

}  // namespace quarrion
