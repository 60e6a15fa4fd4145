#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quarrion {

// Why a request never reached the company data: the company file is missing or
// damaged, the request could not be read, a change could not be saved. Code 0 means
// no failure; other codes are LinkError codes (request_type_info.h).
struct ProcessorFailure {
    std::int32_t code = 0;
    std::string message;

    explicit operator bool() const { return code != 0; }
};

// Where one record element sits in a response text: bytes [begin, end).
struct RecordSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The answer to one request message set: the qbXML response text, or a failure.
struct ProcessResult {
    std::string response;
    ProcessorFailure failure;
    // Said by a processor that builds its answers from records it has already read
    // through whole (our own): where each record it put into `response` sits, in
    // order. The link then reads only what lies between them instead of every record
    // again. Empty when the processor does not say (the Web Connector's answers come
    // from elsewhere and are read through whole).
    std::vector<RecordSpan> recordSpans;

    bool Ok() const { return !failure; }
    static ProcessResult Failed(std::int32_t code, std::string message) {
        return ProcessResult{{}, ProcessorFailure{code, std::move(message)}, {}};
    }
};

// What answers the link's qbXML requests in place of QuickBooks. A processor is used by
// one link instance, from that instance's worker thread only; it need not be
// thread-safe itself (anything it shares with other processors must be).
class RequestProcessor {
  public:
    virtual ~RequestProcessor() = default;

    // Answers a qbXML request message set with a qbXML response message set holding one
    // response element per request, each with statusCode, statusSeverity and
    // statusMessage. Answers a failure (never throws, never crashes) when the company
    // data cannot be reached or the request text is not a readable message set.
    virtual ProcessResult ProcessRequest(std::string_view request) = 0;

    // Makes the changes of the requests answered so far durable. A failure means they
    // are lost: the processor has gone back to the last state saved.
    virtual ProcessorFailure SaveChanges() { return {}; }

    // Shows a record in the application that holds it. The processors we build have no
    // such application and answer LinkError::CannotOpenRecord.
    virtual ProcessorFailure OpenRecord(std::string_view recordId, std::int32_t requestType) = 0;

    // The response context handed out with every Response: names the processor.
    virtual std::string Context() const = 0;

    // The "QuickBooks file" the link reports with its messages: what the answers come
    // from (the company file, or the response folder).
    virtual std::string FileText() const = 0;

    // For a processor that waits on another program (the QuickBooks Web Connector):
    // `progress` tells the user what it waits for, and the wait ends when `cancel` turns
    // true. The link sets them once, on its worker thread, before the first request;
    // both outlive the processor. Processors that answer at once ignore them.
    virtual void SetWaitHooks(std::function<void(const std::string&)> /*progress*/,
                              const std::atomic<bool>* /*cancel*/) {}
};

}  // namespace quarrion
