#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/request_processor.h"
#include "link/soap_envelope.h"
#include "link/web_connector_service.h"

namespace httplib {
class Client;
}

namespace quarrion::test {

// Plays the QuickBooks Web Connector against the service over loopback, call for call
// as the real one does, with a request processor standing in for QuickBooks.
class SimulatedWebConnector {
  public:
    // `url` is the service's address ("http://127.0.0.1:PORT/qbwc"); an https address
    // is called with certificate checks against `caFile`.
    SimulatedWebConnector(std::string url, RequestProcessor* quickBooks, std::string caFile = {});
    ~SimulatedWebConnector();

    struct Reply {
        int httpStatus = 0;  // 0: no connection
        std::vector<std::string> values;
        std::string body;
        std::string First() const { return values.empty() ? std::string() : values[0]; }
    };
    // One SOAP call with its parameters, in order.
    Reply Call(const std::string& method,
               const std::vector<std::pair<std::string, std::string>>& parameters);
    // A POST of any body (for refusals).
    Reply Post(const std::string& body);

    struct Options {
        std::string user;
        std::string password;
        // When set, the company does not open: connectionError is called with these.
        std::string openFailureHresult;
        std::string openFailureMessage;
        // How many "NoOp" answers are waited out before the update gives up.
        int noOps = 0;
        std::chrono::milliseconds noOpPause{20};
    };
    // What one update did.
    struct Update {
        std::string authenticateStatus;  // authenticate's second string
        int requestsRun = 0;
        std::vector<int> percents;  // receiveResponseXML's answers
        std::string lastError;      // the last getLastError answer
        std::string closeResult;
        std::string connectionErrorResult;
    };
    // One scheduled update: version calls, authenticate, the send/receive loop (with
    // getLastError whenever sendRequestXML answers ""), closeConnection.
    Update RunUpdate(const Options& options);

  private:
    Reply Send(const std::string& body, const std::string& method);

    RequestProcessor* quickBooks_;
    std::unique_ptr<httplib::Client> client_;
    std::string path_;
};

// One call straight to `service` as from `peer`, without HTTP: the reply's values.
inline std::vector<std::string> CallService(
    WebConnectorService& service, const std::string& method,
    const std::vector<std::pair<std::string, std::string>>& parameters, const std::string& peer) {
    Soap::Call call;
    Soap::ParseCall(Soap::Request(method, parameters), call);
    bool fault = false;
    std::vector<std::string> values;
    Soap::ParseReply(service.Handle(call, peer, fault), method, values);
    return values;
}

}  // namespace quarrion::test
