#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "link/request_processor.h"

namespace quarrion::test {

// A request message set around `body` (one or more requests).
std::string RequestSet(const std::string& body, const char* onError = "stopOnError");

// A processor's answer, parsed: the response elements in order; the first one's status
// code and the ids (TxnID or ListID) of its records.
struct ParsedAnswer {
    ProcessResult result;
    std::shared_ptr<pugi::xml_document> doc;
    std::vector<pugi::xml_node> responses;

    pugi::xml_node First() const { return responses.empty() ? pugi::xml_node() : responses[0]; }
    int Code() const { return First().attribute("statusCode").as_int(-999); }
    std::vector<std::string> Ids() const;
};

ParsedAnswer Ask(RequestProcessor& processor, const std::string& request);

// A processor that answers each request with what `answer` makes of it, standing in
// for QuickBooks answering oddly; it opens no record.
class StubProcessor : public RequestProcessor {
  public:
    using Answer = std::function<ProcessResult(std::string_view request)>;
    explicit StubProcessor(Answer answer) : answer_(std::move(answer)) {}
    ProcessResult ProcessRequest(std::string_view request) override { return answer_(request); }
    ProcessorFailure OpenRecord(std::string_view, std::int32_t) override { return {}; }
    std::string Context() const override { return "Stub"; }
    std::string FileText() const override { return "stub"; }

  private:
    Answer answer_;
};

// A processor factory whose processors always answer `reply`.
inline std::function<std::unique_ptr<RequestProcessor>()> Answering(std::string reply) {
    return [reply] {
        return std::make_unique<StubProcessor>([reply](std::string_view) {
            return ProcessResult{reply, {}};
        });
    };
}

}  // namespace quarrion::test
