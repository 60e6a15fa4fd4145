#include "link/web_connector_processor.h"

#include "qbxml/request_type_info.h"

namespace quarrion {

WebConnectorProcessor::WebConnectorProcessor(Acquire acquire, std::chrono::milliseconds wait)
    : acquire_(std::move(acquire)), wait_(wait) {}

ProcessResult WebConnectorProcessor::ProcessRequest(std::string_view request) {
    if (!server_) {
        std::string error;
        server_ = acquire_ ? acquire_(error) : nullptr;
        if (!server_) {
            return ProcessResult::Failed(
                LinkError::WebConnectorUnavailable,
                "The QuickBooks Web Connector service could not start: " + error);
        }
    }
    WebConnectorService& service = server_->Service();
    if (unreached_) {
        if (service.CurrentStatus().lastContact == contactAtFailure_) return *unreached_;
        unreached_.reset();
    }
    auto report = [this](const std::string& text) {
        if (progress_) progress_(text);
    };
    const bool sessionOpen = service.CurrentStatus().sessionOpen;
    report(sessionOpen ? "Sending the request to QuickBooks through the Web Connector ..."
                       : "Waiting for the QuickBooks Web Connector at " + server_->Url() + " ...");
    std::shared_ptr<WebConnectorJob> job = service.Submit(std::string(request));
    bool sent = false;
    ProcessResult result = service.Wait(
        job, std::chrono::steady_clock::now() + wait_, cancel_, [&](WebConnectorJob::State state) {
            if (state == WebConnectorJob::State::Sent) {
                sent = true;
                report("QuickBooks is answering ...");
            } else if (state == WebConnectorJob::State::Queued) {
                report("Waiting for the QuickBooks Web Connector at " + server_->Url() + " ...");
            }
        });
    const bool cancelled = cancel_ && cancel_->load();
    if (!result.Ok() && result.failure.code == LinkError::WebConnectorTimedOut && !sent &&
        !cancelled) {
        unreached_ = result;
        contactAtFailure_ = service.CurrentStatus().lastContact;
    }
    return result;
}

ProcessorFailure WebConnectorProcessor::OpenRecord(std::string_view, std::int32_t) {
    // qbXML has no request that shows a record on QuickBooks' screen.
    return {LinkError::CannotOpenRecord, RequestTypeInfo::ErrorText(LinkError::CannotOpenRecord)};
}

std::string WebConnectorProcessor::FileText() const {
    if (server_) {
        std::string file = server_->Service().CurrentStatus().companyFile;
        if (!file.empty()) return file;
    }
    return "QuickBooks (Web Connector)";
}

void WebConnectorProcessor::SetWaitHooks(std::function<void(const std::string&)> progress,
                                         const std::atomic<bool>* cancel) {
    progress_ = std::move(progress);
    cancel_ = cancel;
}

}  // namespace quarrion
