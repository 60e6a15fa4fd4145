#include "simulated_web_connector.h"

#include <thread>

#include <httplib.h>

#include "link/soap_envelope.h"

namespace quarrion::test {

SimulatedWebConnector::SimulatedWebConnector(std::string url, RequestProcessor* quickBooks,
                                             std::string caFile)
    : quickBooks_(quickBooks) {
    // scheme://host:port/path
    const std::size_t pathStart = url.find('/', url.find("://") + 3);
    path_ = url.substr(pathStart);
    client_ = std::make_unique<httplib::Client>(url.substr(0, pathStart));
    if (!caFile.empty()) {
        client_->set_ca_cert_path(caFile.c_str());
        client_->enable_server_certificate_verification(true);
    }
    client_->set_read_timeout(std::chrono::seconds(30));
}

SimulatedWebConnector::~SimulatedWebConnector() = default;

// `method` "" posts the body as it stands, without a SOAPAction.
SimulatedWebConnector::Reply SimulatedWebConnector::Send(const std::string& body,
                                                         const std::string& method) {
    httplib::Headers headers;
    if (!method.empty())
        headers.emplace("SOAPAction", "\"http://developer.intuit.com/" + method + "\"");
    Reply reply;
    httplib::Result result = client_->Post(path_, headers, body, "text/xml; charset=utf-8");
    if (!result) return reply;
    reply.httpStatus = result->status;
    reply.body = result->body;
    if (!method.empty() && result->status == 200)
        Soap::ParseReply(result->body, method, reply.values);
    return reply;
}

SimulatedWebConnector::Reply SimulatedWebConnector::Post(const std::string& body) {
    return Send(body, "");
}

SimulatedWebConnector::Reply SimulatedWebConnector::Call(
    const std::string& method, const std::vector<std::pair<std::string, std::string>>& parameters) {
    return Send(Soap::Request(method, parameters), method);
}

SimulatedWebConnector::Update SimulatedWebConnector::RunUpdate(const Options& options) {
    Update update;
    // Logs of the Web Connector 2.x show the server's version asked first.
    Call("serverVersion", {});
    Call("clientVersion", {{"strVersion", "2.3.0.215"}});
    Reply signIn =
        Call("authenticate", {{"strUserName", options.user}, {"strPassword", options.password}});
    const std::string ticket = signIn.First();
    update.authenticateStatus = signIn.values.size() > 1 ? signIn.values[1] : "";
    if (update.authenticateStatus == "none" || update.authenticateStatus == "nvu" ||
        update.authenticateStatus == "busy" || signIn.httpStatus != 200) {
        update.closeResult = Call("closeConnection", {{"ticket", ticket}}).First();
        return update;
    }
    if (!options.openFailureHresult.empty()) {
        update.connectionErrorResult =
            Call("connectionError", {{"ticket", ticket},
                                     {"hresult", options.openFailureHresult},
                                     {"message", options.openFailureMessage}})
                .First();
        update.closeResult = Call("closeConnection", {{"ticket", ticket}}).First();
        return update;
    }
    int noOpsLeft = options.noOps;
    bool first = true;
    for (;;) {
        Reply request = Call("sendRequestXML", {{"ticket", ticket},
                                                {"strHCPResponse", first ? "<QBXML/>" : ""},
                                                {"strCompanyFileName", "C:\\Books\\Acme.qbw"},
                                                {"qbXMLCountry", "US"},
                                                {"qbXMLMajorVers", "16"},
                                                {"qbXMLMinorVers", "0"}});
        first = false;
        if (request.First().empty()) {
            update.lastError = Call("getLastError", {{"ticket", ticket}}).First();
            if (update.lastError == "NoOp" && noOpsLeft-- > 0) {
                std::this_thread::sleep_for(options.noOpPause);
                continue;
            }
            break;
        }
        ProcessResult answer = quickBooks_->ProcessRequest(request.First());
        ++update.requestsRun;
        const bool ok = answer.Ok();
        Reply percent = Call("receiveResponseXML", {{"ticket", ticket},
                                                    {"response", ok ? answer.response : ""},
                                                    {"hresult", ok ? "" : "0x80040400"},
                                                    {"message", ok ? "" : answer.failure.message}});
        int value = std::atoi(percent.First().c_str());
        update.percents.push_back(value);
        if (value < 0) {
            update.lastError = Call("getLastError", {{"ticket", ticket}}).First();
            break;
        }
        if (value >= 100) break;
    }
    update.closeResult = Call("closeConnection", {{"ticket", ticket}}).First();
    return update;
}

}  // namespace quarrion::test
