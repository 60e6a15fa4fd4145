#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/request_processor.h"
#include "link/web_connector_server.h"

namespace quarrion {

// Answers the link's requests from a real QuickBooks company through the QuickBooks Web
// Connector: each request message set is queued at the Web Connector service and
// answered when the Web Connector has run it in QuickBooks and posted the response back.
// Queries and modify requests go the same way. A request the Web Connector does not
// take and answer within the wait fails with a clear message instead of hanging.
class WebConnectorProcessor : public RequestProcessor {
  public:
    // Starts (or joins) the service; nullptr with a reason when it cannot listen.
    using Acquire = std::function<std::shared_ptr<WebConnectorServer>(std::string& error)>;

    // The service is acquired at the first request, so a failure to listen is reported
    // as that request's failure.
    WebConnectorProcessor(Acquire acquire, std::chrono::milliseconds wait);

    ProcessResult ProcessRequest(std::string_view request) override;
    ProcessorFailure OpenRecord(std::string_view recordId, std::int32_t requestType) override;
    std::string Context() const override { return "Web Connector"; }
    // The company file QuickBooks reported, once a session has told it.
    std::string FileText() const override;
    void SetWaitHooks(std::function<void(const std::string&)> progress,
                      const std::atomic<bool>* cancel) override;

  private:
    Acquire acquire_;
    std::chrono::milliseconds wait_;
    std::shared_ptr<WebConnectorServer> server_;
    std::function<void(const std::string&)> progress_;
    // Set when a request waited its whole time without the Web Connector calling: the
    // failure and the last contact then. Later requests fail at once while no call has
    // come since, so a search of many types does not wait the time once per type.
    std::optional<ProcessResult> unreached_;
    std::optional<std::chrono::system_clock::time_point> contactAtFailure_;
    const std::atomic<bool>* cancel_ = nullptr;
};

}  // namespace quarrion
