#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "link/link_settings.h"
#include "link/web_connector_server.h"

namespace quarrion {

// Reads "HOST:PORT" ("127.0.0.1:8080", "0.0.0.0:8443", "[::1]:8080", "books.example:443").
// Answers "" or what is wrong with it.
std::string ParseListenAddress(const std::string& text, std::string& host, int& port);

// The name a made certificate is for, and the application file calls: the listen host,
// or this machine's host name when the service listens on every address.
std::string CertificateHostName(const std::string& listenHost);

// The self-signed pair the link makes for a listen address that is not loopback when no
// certificate is configured.
std::filesystem::path DefaultCertificatePath(const std::filesystem::path& dataFolder);
std::filesystem::path DefaultKeyPath(const std::filesystem::path& dataFolder);

// Everything the Web Connector service needs, read from the link settings.
struct WebConnectorSetup {
    WebConnectorEndpoint endpoint;
    WebConnectorConfig config;
    std::chrono::seconds wait{300};
    // A self-signed certificate was made for this set-up just now.
    bool madeCertificate = false;
};

// Builds the set-up from the settings: the listen address, user and password hash, the
// certificate (for a host that is not loopback without one configured, the data
// folder's self-signed pair, made on first use), the error log and the wait. Answers ""
// or what is wrong (no user or password set, an address that does not read, a
// certificate that cannot be made).
std::string MakeWebConnectorSetup(const LinkSettings& settings,
                                  const std::filesystem::path& dataFolder,
                                  WebConnectorSetup& setup);

// The running service for a set-up, shared by every processor and window of this
// process that asks for the same address, user and certificate; it stops listening
// when the last holder lets go. Answers nullptr and sets `error` when it cannot listen.
std::shared_ptr<WebConnectorServer> AcquireWebConnector(const WebConnectorSetup& setup,
                                                        std::string& error);

// The running service for an address if anything in this process holds one.
std::shared_ptr<WebConnectorServer> RunningWebConnector(const std::string& host, int port);

}  // namespace quarrion
