#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "link/web_connector_service.h"

namespace httplib {
class Server;
}

namespace quarrion {

// Where and how the Web Connector service listens.
struct WebConnectorEndpoint {
    std::string host = "127.0.0.1";
    int port = 0;  // 0: a free port the system chooses (tests)
    // Both given: HTTPS with this certificate (chain) and key. Both empty: plain HTTP,
    // which only a loopback host may use.
    std::filesystem::path certFile;
    std::filesystem::path keyFile;
    // Request bodies above this are refused (HTTP 413) before they are read.
    std::size_t maxBodyBytes = 64u << 20;
    // The path the Web Connector posts to (the application file's AppURL).
    std::string path = "/qbwc";
};

// Whether `host` is a loopback address or name (127.0.0.0/8, ::1, localhost).
bool IsLoopbackHost(const std::string& host);

// The SOAP service over HTTP or HTTPS: cpp-httplib on a thread of its own, handing each
// POSTed envelope to the WebConnectorService. A GET on the path answers a short page, so
// a person can check the address (and trust the certificate) from the Windows machine.
// Every refusal (an oversized body, a request that is not a SOAP call) is logged
// through the service.
class WebConnectorServer {
  public:
    // Listens at once. Answers nullptr and sets `error` when it cannot: plain HTTP on a
    // host that is not loopback, an unusable certificate or key, an address in use.
    static std::unique_ptr<WebConnectorServer> Start(const WebConnectorEndpoint& endpoint,
                                                     std::shared_ptr<WebConnectorService> service,
                                                     std::string& error);
    // Stops listening and waits for calls in progress.
    ~WebConnectorServer();
    WebConnectorServer(const WebConnectorServer&) = delete;
    WebConnectorServer& operator=(const WebConnectorServer&) = delete;

    // The port listened on (the chosen one when the endpoint asked for 0).
    int Port() const { return port_; }
    bool Secure() const { return secure_; }
    // The address the Web Connector's application file names: scheme, host, port, path.
    std::string Url() const;
    WebConnectorService& Service() { return *service_; }
    const std::shared_ptr<WebConnectorService>& SharedService() const { return service_; }

  private:
    WebConnectorServer() = default;

    WebConnectorEndpoint endpoint_;
    std::shared_ptr<WebConnectorService> service_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    bool secure_ = false;
};

}  // namespace quarrion
