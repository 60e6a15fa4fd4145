#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "link/request_processor.h"
#include "qbxml/qbxml_document.h"

namespace quarrion {

// The frame our processors share: reads a request message set safely, hands each
// request to the processor by kind (query or modify) and assembles the response
// message set. With onError="stopOnError" (the default) the requests after the first
// one answered with an error are not answered, as QuickBooks does.
class MessageSetProcessor : public RequestProcessor {
  public:
    ProcessResult ProcessRequest(std::string_view request) final;

    // The start tag of a response element: requestID echoed from the request, then the
    // status attributes, then `extraAttributes` (already escaped, with a leading space).
    static void AppendResponseStart(std::string& out, std::string_view name,
                                    const pugi::xml_node& request, const QbxmlStatus& status,
                                    std::string_view extraAttributes = {});
    // A response element that carries only its status.
    static void AppendStatusOnly(std::string& out, std::string_view name,
                                 const pugi::xml_node& request, const QbxmlStatus& status,
                                 std::string_view extraAttributes = {});

  protected:
    // Where the records answered so far in the message set sit in its text; the
    // answers note each record they append (RecordQueryAnswerer does) and the result
    // carries them (ProcessResult::recordSpans). Emptied when a message set begins.
    std::vector<RecordSpan>& AnsweredRecords() { return answeredRecords_; }

    // Called before the first request of a message set; a failure answers the whole set.
    virtual ProcessorFailure BeginMessageSet() { return {}; }
    // Called after the last request of a message set that began, failed or not.
    virtual void EndMessageSet() {}

    // Append the response element (stem + "QueryRs" or stem + "ModRs") for one request
    // and answer its status. Setting `failure` abandons the whole message set.
    virtual QbxmlStatus AnswerQuery(const pugi::xml_node& request, std::string_view stem,
                                    std::string& out, ProcessorFailure& failure) = 0;
    virtual QbxmlStatus AnswerMod(const pugi::xml_node& request, std::string_view stem,
                                  std::string& out, ProcessorFailure& failure) = 0;

  private:
    std::vector<RecordSpan> answeredRecords_;
};

}  // namespace quarrion
