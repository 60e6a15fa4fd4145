#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "link/xml_scanner.h"
#include "qbxml/qbxml_document.h"

namespace quarrion {

// A record kept as the text of its element rather than as parsed nodes, with the
// values a query selects on read out once. Answers from such records copy the text as
// it stands. The text points into the buffer it was found in, which must outlive it.
struct RecordText {
    std::string_view text;  // the element, from its '<' to the end of its end tag
    std::string txnId;
    std::string listId;
    std::string txnDate;
    std::string timeModified;
    std::string isActive;
    bool hasTxnDate = false;
    bool hasTimeModified = false;
    // Children a query's shape may leave out (line items, linked transactions, custom
    // fields): a record with none of them is answered whole whatever the shape.
    bool hasLines = false;
    bool hasLinkedTxns = false;
    bool hasDataExt = false;
};

// Finds records in qbXML text in one pass (XmlScan), without building a document.
namespace RecordTexts {

// Every element named `recordName`, anywhere, in document order (records do not nest
// inside records), as a document look-up for that name finds them.
XmlScanError Anywhere(std::string_view text, std::string_view recordName,
                      std::vector<RecordText>& out);

// Anywhere, and in the same pass the raw start-tag attributes of every element named
// `answerName`, anywhere, in document order; `rootName` receives the root element's name.
XmlScanError AnywhereWithAnswers(std::string_view text, std::string_view recordName,
                                 std::string_view answerName, std::string& rootName,
                                 std::vector<RecordText>& records,
                                 std::vector<std::string_view>& answers);

// Only where each of those records starts and ends, for readers that parse them.
XmlScanError Spans(std::string_view text, std::string_view recordName,
                   std::vector<std::string_view>& out);

// The records of a response message set by type: for each QBXML/QBXMLMsgsRs/<stem>QueryRs
// element (of the first QBXMLMsgsRs), its <stem>Ret children, appended under the stem.
// `rootName` receives the name of the root element and `messages` whether the message
// set was there. With `refusals`, the same pass gathers the error statuses of those
// query responses, by stem (the first error of a stem counts).
XmlScanError ByType(std::string_view text,
                    std::map<std::string, std::vector<RecordText>, std::less<>>& out,
                    std::string& rootName, bool& messages,
                    std::map<std::string, QbxmlStatus, std::less<>>* refusals = nullptr);

// The status a response element named `name` with these raw attributes carries, read
// as QbxmlStatus::Of reads it.
QbxmlStatus StatusOf(std::string_view name, std::string_view attributes);

}  // namespace RecordTexts

}  // namespace quarrion
