#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "link/request_processor.h"
#include "qbxml/qbxml_document.h"

namespace quarrion {

// What one page of a records query said besides its records.
struct QueryPageInfo {
    QbxmlStatus status;
    std::string iteratorId;         // "" when the answer is not part of a walk
    std::size_t remaining = 0;      // iteratorRemainingCount
    std::size_t recordsInPage = 0;  // record elements the page held
    std::size_t recordsTaken = 0;   // of those, added to the answer
};

// The link's side of a records query: reads each page QuickBooks answers and gathers
// the records into one qbXML response document, so the program gets a single answer
// per type however many pages it took. The document has the form of one page: the
// message set with one stem + "QueryRs" element (status of the first page) holding
// every record, in the order received. Records are copied as the page holds them,
// byte for byte; a page that is not well-formed adds nothing.
class RecordsResponse {
  public:
    explicit RecordsResponse(std::string stem);

    // Reads a page, adds at most `maxRecords` of its records and fills `info`. Answers
    // "" or what is wrong with the page (unreadable, or not an answer to this query);
    // a page with an error status is read fine and adds nothing. `knownRecords`, when
    // the processor said where the records it put in the page sit (ProcessResult::
    // recordSpans), are taken as well-formed elements and only the text around them is
    // read; spans that do not fit the page are ignored and the page is read whole.
    std::string AddPage(std::string_view pageText, std::size_t maxRecords, QueryPageInfo& info,
                        std::span<const RecordSpan> knownRecords = {});

    std::size_t RecordCount() const { return count_; }

    // Says in the answer that the walk stopped at the record limit with records left:
    // the QueryRs element gets limitReached="true" and, when QuickBooks told how many
    // were left (`unsearched` above 0), iteratorRemainingCount with that number, so the
    // examination can tell the user the list is not the whole story.
    void MarkLimitReached(std::size_t unsearched) {
        limitReached_ = true;
        unsearched_ = unsearched;
    }

    // The whole answer; the object is empty afterwards.
    std::string Finish();

  private:
    // Pages in an encoding other than UTF-8 go through a parser and are written out again.
    std::string AddParsedPage(std::string_view pageText, std::size_t maxRecords,
                              QueryPageInfo& info);
    static void ReadStatus(const pugi::xml_node& rs, QueryPageInfo& info);
    void Begin(const std::string& rsName, const pugi::xml_node& rs, const QbxmlStatus& status);
    void Taken(const QueryPageInfo& info, std::size_t maxRecords, std::size_t sizeBefore);

    std::string stem_;
    std::string recordName_;
    std::string text_;
    bool started_ = false;
    std::size_t count_ = 0;
    std::size_t startTagEnd_ = 0;  // where the QueryRs start tag's '>' sits in text_
    bool limitReached_ = false;
    std::size_t unsearched_ = 0;
};

}  // namespace quarrion
