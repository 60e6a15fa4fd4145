#include "link/web_connector_server.h"

#include <arpa/inet.h>

#include <httplib.h>
#include <openssl/ssl.h>

#include "link/soap_envelope.h"

namespace quarrion {

namespace {

constexpr const char* kXmlType = "text/xml; charset=utf-8";
// The Web Connector calls again within moments of an answer; a session idle longer than
// this has gone anyway.
constexpr std::chrono::seconds kFinishGrace{3};

std::string UrlHost(const std::string& host) {
    return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

}  // namespace

bool IsLoopbackHost(const std::string& host) {
    if (host == "localhost" || host == "::1" || host == "[::1]") return true;
    in_addr address{};
    if (inet_pton(AF_INET, host.c_str(), &address) == 1) {
        return (ntohl(address.s_addr) >> 24) == 127;
    }
    return false;
}

std::unique_ptr<WebConnectorServer> WebConnectorServer::Start(
    const WebConnectorEndpoint& endpoint, std::shared_ptr<WebConnectorService> service,
    std::string& error) {
    error.clear();
    const bool secure = !endpoint.certFile.empty() || !endpoint.keyFile.empty();
    if (secure && (endpoint.certFile.empty() || endpoint.keyFile.empty())) {
        error = "HTTPS needs both a certificate and its key.";
        return nullptr;
    }
    if (!secure && !IsLoopbackHost(endpoint.host)) {
        error =
            "Plain HTTP is only allowed on a loopback address (127.0.0.1, localhost); "
            "listening on " +
            endpoint.host + " needs HTTPS with a certificate and key.";
        return nullptr;
    }
    std::unique_ptr<WebConnectorServer> self(new WebConnectorServer());
    self->endpoint_ = endpoint;
    self->service_ = std::move(service);
    self->secure_ = secure;
    if (secure) {
        auto server = std::make_unique<httplib::SSLServer>(endpoint.certFile.c_str(),
                                                           endpoint.keyFile.c_str());
        if (!server->is_valid()) {
            error = "The certificate " + endpoint.certFile.string() + " or its key " +
                    endpoint.keyFile.string() + " could not be used.";
            return nullptr;
        }
        SSL_CTX_set_min_proto_version(server->ssl_context(), TLS1_2_VERSION);
        self->server_ = std::move(server);
    } else {
        self->server_ = std::make_unique<httplib::Server>();
    }

    httplib::Server& server = *self->server_;
    WebConnectorService* calls = self->service_.get();
    const std::size_t limit = endpoint.maxBodyBytes;
    server.set_payload_max_length(limit);
    server.set_read_timeout(std::chrono::seconds(30));
    server.set_write_timeout(std::chrono::seconds(30));
    server.Post(endpoint.path, [calls](const httplib::Request& request, httplib::Response& reply) {
        Soap::Call call;
        if (std::string problem = Soap::ParseCall(request.body, call); !problem.empty()) {
            calls->LogEvent("Warn",
                            "Refused a request from " + request.remote_addr + ": " + problem + ".");
            reply.status = 500;
            reply.set_content(Soap::Fault("Client", problem), kXmlType);
            return;
        }
        bool fault = false;
        std::string answer = calls->Handle(call, request.remote_addr, fault);
        reply.status = fault ? 500 : 200;
        reply.set_content(answer, kXmlType);
    });
    server.Get(endpoint.path, [](const httplib::Request&, httplib::Response& reply) {
        reply.set_content(
            "Quarrion's QuickBooks Web Connector service. Add Quarrion's "
            "application file to the Web Connector to use it.\n",
            "text/plain; charset=utf-8");
    });
    server.set_logger(
        [calls, limit](const httplib::Request& request, const httplib::Response& reply) {
            if (reply.status == 413) {
                calls->LogEvent("Warn", "Refused a request from " + request.remote_addr +
                                            ": its body is larger than " + std::to_string(limit) +
                                            " bytes.");
            }
        });

    const std::string bindHost = endpoint.host == "localhost" ? "127.0.0.1" : endpoint.host;
    if (endpoint.port == 0) {
        self->port_ = server.bind_to_any_port(bindHost);
        if (self->port_ < 0) self->port_ = 0;
    } else if (server.bind_to_port(bindHost, endpoint.port)) {
        self->port_ = endpoint.port;
    }
    if (self->port_ <= 0) {
        error = "Cannot listen on " + UrlHost(endpoint.host) + ":" + std::to_string(endpoint.port) +
                ": the address is taken or not this machine's.";
        return nullptr;
    }
    self->thread_ = std::thread([&server] { server.listen_after_bind(); });
    // stop() reaches only a server that runs, so the destructor must not come first.
    for (int i = 0; i < 500 && !server.is_running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return self;
}

WebConnectorServer::~WebConnectorServer() {
    // A Web Connector still in a session is let finish it, so it shows no error.
    if (service_ && thread_.joinable()) service_->Finish(kFinishGrace);
    if (server_) server_->stop();
    if (thread_.joinable()) thread_.join();
}

std::string WebConnectorServer::Url() const {
    return std::string(secure_ ? "https://" : "http://") + UrlHost(endpoint_.host) + ":" +
           std::to_string(port_) + endpoint_.path;
}

}  // namespace quarrion
