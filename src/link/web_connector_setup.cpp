#include "link/web_connector_setup.h"

#include <charconv>
#include <map>
#include <mutex>

#include <unistd.h>

#include "link/error_log.h"
#include "link/tls_certificate.h"

namespace quarrion {

namespace {

struct Registry {
    std::mutex mutex;
    // Keyed by host and port; the rest of the set-up must match to share.
    struct Entry {
        std::weak_ptr<WebConnectorServer> server;
        std::string signature;  // user, password hash, certificate and key it runs with
    };
    std::map<std::string, Entry> servers;
};

Registry& Servers() {
    static Registry registry;
    return registry;
}

std::string KeyOf(const std::string& host, int port) {
    return host + "\n" + std::to_string(port);
}

}  // namespace

std::string CertificateHostName(const std::string& listenHost) {
    if (listenHost != "0.0.0.0" && listenHost != "::") return listenHost;
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "localhost";
    return name;
}

std::string ParseListenAddress(const std::string& text, std::string& host, int& port) {
    std::size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        return "\"" + text + "\" is not HOST:PORT (for example 127.0.0.1:8080)";
    }
    host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    } else if (host.find(':') != std::string::npos) {
        return "write an IPv6 address in brackets: [" + host + "]:PORT";
    }
    std::string digits = text.substr(colon + 1);
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
    if (host.empty() || digits.empty() || error != std::errc() ||
        end != digits.data() + digits.size() || port < 1 || port > 65535) {
        return "\"" + text + "\" is not HOST:PORT with a port from 1 to 65535";
    }
    return {};
}

std::filesystem::path DefaultCertificatePath(const std::filesystem::path& dataFolder) {
    return dataFolder / "Web Connector.crt";
}

std::filesystem::path DefaultKeyPath(const std::filesystem::path& dataFolder) {
    return dataFolder / "Web Connector.key";
}

std::string MakeWebConnectorSetup(const LinkSettings& settings,
                                  const std::filesystem::path& dataFolder,
                                  WebConnectorSetup& setup) {
    if (std::string error = ParseListenAddress(settings.WebConnectorListen, setup.endpoint.host,
                                               setup.endpoint.port);
        !error.empty()) {
        return "The Web Connector listen address " + error + ".";
    }
    if (settings.WebConnectorUser.empty() || settings.WebConnectorPasswordHash.empty()) {
        return "No Web Connector user and password are set; run \"quarrion-cli link use "
               "web-connector\" or use Advanced > QuickBooks Connection.";
    }
    setup.config.userName = settings.WebConnectorUser;
    setup.config.passwordHash = settings.WebConnectorPasswordHash;
    setup.config.logEvents = settings.LogErrors;
    setup.config.errorLog = ErrorLog::PathIn(dataFolder);
    setup.wait = std::chrono::seconds(std::max(1, settings.WebConnectorWait));
    setup.endpoint.certFile = settings.WebConnectorCertFile;
    setup.endpoint.keyFile = settings.WebConnectorKeyFile;
    if (setup.endpoint.certFile.empty() && setup.endpoint.keyFile.empty() &&
        !IsLoopbackHost(setup.endpoint.host)) {
        setup.endpoint.certFile = DefaultCertificatePath(dataFolder);
        setup.endpoint.keyFile = DefaultKeyPath(dataFolder);
        if (!std::filesystem::exists(setup.endpoint.certFile) ||
            !std::filesystem::exists(setup.endpoint.keyFile)) {
            const std::string name = CertificateHostName(setup.endpoint.host);
            if (std::string error = MakeSelfSignedCertificate(setup.endpoint.certFile,
                                                              setup.endpoint.keyFile, name);
                !error.empty()) {
                return "Could not make a certificate for the Web Connector: " + error;
            }
            setup.madeCertificate = true;
        }
    }
    return {};
}

std::shared_ptr<WebConnectorServer> AcquireWebConnector(const WebConnectorSetup& setup,
                                                        std::string& error) {
    Registry& registry = Servers();
    std::lock_guard lock(registry.mutex);
    const std::string key = KeyOf(setup.endpoint.host, setup.endpoint.port);
    const std::string signature = setup.config.userName + "\n" + setup.config.passwordHash + "\n" +
                                  setup.endpoint.certFile.string() + "\n" +
                                  setup.endpoint.keyFile.string();
    if (setup.endpoint.port != 0) {
        Registry::Entry& entry = registry.servers[key];
        if (std::shared_ptr<WebConnectorServer> running = entry.server.lock()) {
            if (entry.signature == signature) return running;
            error = "The Web Connector service at " + running->Url() +
                    " still runs with the settings it started with; close the results "
                    "windows that use it, then try again.";
            return nullptr;
        }
    }
    auto service = std::make_shared<WebConnectorService>(setup.config);
    std::unique_ptr<WebConnectorServer> started =
        WebConnectorServer::Start(setup.endpoint, service, error);
    if (!started) {
        service->LogEvent("Error", "The Web Connector service could not start: " + error);
        return nullptr;
    }
    std::shared_ptr<WebConnectorServer> server(std::move(started));
    service->LogEvent("Info", "The Web Connector service listens at " + server->Url() + ".");
    if (setup.endpoint.port != 0) registry.servers[key] = {server, signature};
    return server;
}

std::shared_ptr<WebConnectorServer> RunningWebConnector(const std::string& host, int port) {
    Registry& registry = Servers();
    std::lock_guard lock(registry.mutex);
    auto found = registry.servers.find(KeyOf(host, port));
    return found == registry.servers.end() ? nullptr : found->second.server.lock();
}

}  // namespace quarrion
