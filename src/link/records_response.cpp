#include "link/records_response.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "link/message_set_processor.h"
#include "link/xml_scanner.h"

namespace quarrion {

namespace {

// Finds, in one pass over a page, the response element QBXML/QBXMLMsgsRs/<rsName>
// (the first of each, as a document look-up would) and the byte ranges of its record
// children.
struct PageScan {
    PageScan(std::string_view rsName, std::string_view recordName)
        : rsName(rsName), recordName(recordName) {}

    std::string_view rsName;
    std::string_view recordName;
    int state = 0;  // 0 before QBXML, 1 in it, 2 in QBXMLMsgsRs, 3 in the response, 4 past
    bool rootIsQbxml = false;
    bool messagesSeen = false;
    bool rsFound = false;
    std::string_view rsAttributes;
    std::size_t recordBegin = 0;
    std::vector<std::pair<std::size_t, std::size_t>> records;

    bool Start(std::string_view name, std::size_t begin, std::string_view attributes, bool,
               int depth) {
        if (depth == 1) {
            rootIsQbxml = name == "QBXML";
            if (rootIsQbxml) state = 1;
        } else if (depth == 2 && state == 1 && !messagesSeen && name == "QBXMLMsgsRs") {
            messagesSeen = true;
            state = 2;
        } else if (depth == 3 && state == 2 && !rsFound && name == rsName) {
            rsFound = true;
            rsAttributes = attributes;
            state = 3;
        } else if (depth == 4 && state == 3 && name == recordName) {
            recordBegin = begin;
        }
        return true;
    }
    bool End(std::string_view name, std::size_t end, int depth) {
        if (depth == 4 && state == 3 && name == recordName) {
            records.emplace_back(recordBegin, end);
        } else if (depth == 3 && state == 3) {
            state = 4;
        } else if (depth == 2 && state == 2) {
            state = 1;
        }
        return true;
    }
    void Text(std::string_view, int) {}
};

// A page with the records the processor vouched for cut out: each becomes an empty
// element of the same name, so a scan of the rest sees the page's whole structure
// without reading every record again.
class ElidedPage {
  public:
    // False (and nothing kept) when the spans do not fit the page: out of order,
    // overlapping, outside it, or not an element's text.
    bool Build(std::string_view page, std::span<const RecordSpan> spans) {
        text_.reserve(spans.size() * 24 + 4096);
        std::size_t at = 0;
        for (const RecordSpan& span : spans) {
            if (span.begin < at || span.end <= span.begin + 3 || span.end > page.size() ||
                page[span.begin] != '<' || page[span.end - 1] != '>' ||
                !XmlScan::IsNameStart(page[span.begin + 1])) {
                return false;
            }
            std::size_t nameEnd = span.begin + 2;
            while (nameEnd < span.end && XmlScan::IsNameChar(page[nameEnd])) ++nameEnd;
            text_.append(page.substr(at, span.begin - at));
            text_.push_back('<');
            text_.append(page.substr(span.begin + 1, nameEnd - span.begin - 1));
            text_.append("/>");
            shifts_.push_back({text_.size(), span.end});
            at = span.end;
        }
        text_.append(page.substr(at));
        return true;
    }

    std::string_view Text() const { return text_; }

    // Where an offset of the cut page lies in the page itself.
    std::size_t Original(std::size_t offset) const {
        // The last record cut out that ends at or before the offset sets the shift.
        auto after = std::upper_bound(
            shifts_.begin(), shifts_.end(), offset,
            [](std::size_t value, const Shift& shift) { return value < shift.cutEnd; });
        if (after == shifts_.begin()) return offset;
        const Shift& shift = *(after - 1);
        return offset - shift.cutEnd + shift.pageEnd;
    }

  private:
    struct Shift {
        std::size_t cutEnd;   // past the stand-in, in the cut page
        std::size_t pageEnd;  // past the record, in the page
    };
    std::string text_;
    std::vector<Shift> shifts_;
};

}  // namespace

RecordsResponse::RecordsResponse(std::string stem)
    : stem_(std::move(stem)), recordName_(stem_ + "Ret") {}

std::string RecordsResponse::AddPage(std::string_view pageText, std::size_t maxRecords,
                                     QueryPageInfo& info,
                                     std::span<const RecordSpan> knownRecords) {
    // Text in another encoding needs a parser's conversion; UTF-8 pages (all our
    // processors answer) are scanned and their records copied byte for byte.
    if (!XmlScan::IsUtf8Text(pageText)) return AddParsedPage(pageText, maxRecords, info);
    info = QueryPageInfo{};
    const std::string rsName = stem_ + "QueryRs";
    ElidedPage elided;
    bool cut = !knownRecords.empty() && elided.Build(pageText, knownRecords);
    PageScan scan(rsName, recordName_);
    XmlScanError error = XmlScan::Scan(cut ? elided.Text() : pageText, scan);
    if (error && cut) {
        // Read whole again, so what is said of the page names its own places.
        cut = false;
        scan = PageScan(rsName, recordName_);
        error = XmlScan::Scan(pageText, scan);
    }
    if (error) return "The answer to the " + stem_ + " query could not be read. " + error.message;
    if (cut) {
        for (auto& [begin, end] : scan.records) {
            begin = elided.Original(begin);
            end = elided.Original(end);
        }
    }
    if (!scan.rsFound) {
        return "The answer to the " + stem_ + " query holds no " + rsName + " element.";
    }
    // The response element's start tag alone, read by the parser so its attributes
    // mean exactly what they do in a parsed page.
    pugi::xml_document head;
    std::string tag = "<" + rsName + std::string(scan.rsAttributes) + "/>";
    if (std::string error = Qbxml::Load(head, tag); !error.empty()) {
        return "The answer to the " + stem_ + " query could not be read. " + error;
    }
    pugi::xml_node rs = head.document_element();
    ReadStatus(rs, info);
    if (info.status.IsError()) return {};

    Begin(rsName, rs, info.status);
    std::size_t sizeBefore = text_.size();
    info.recordsInPage = scan.records.size();
    for (const auto& [begin, end] : scan.records) {
        if (info.recordsTaken >= maxRecords) break;
        text_.append(pageText.substr(begin, end - begin));
        text_.push_back('\n');
        ++info.recordsTaken;
    }
    Taken(info, maxRecords, sizeBefore);
    return {};
}

std::string RecordsResponse::AddParsedPage(std::string_view pageText, std::size_t maxRecords,
                                           QueryPageInfo& info) {
    info = QueryPageInfo{};
    pugi::xml_document doc;
    if (std::string error = Qbxml::Load(doc, pageText); !error.empty()) {
        return "The answer to the " + stem_ + " query could not be read. " + error;
    }
    const std::string rsName = stem_ + "QueryRs";
    pugi::xml_node rs = doc.child("QBXML").child("QBXMLMsgsRs").child(rsName.c_str());
    if (!rs) {
        return "The answer to the " + stem_ + " query holds no " + rsName + " element.";
    }
    ReadStatus(rs, info);
    if (info.status.IsError()) return {};

    Begin(rsName, rs, info.status);
    std::size_t sizeBefore = text_.size();
    for (pugi::xml_node record = rs.child(recordName_.c_str()); record;
         record = record.next_sibling(recordName_.c_str())) {
        ++info.recordsInPage;
        if (info.recordsTaken >= maxRecords) continue;
        Qbxml::AppendNode(text_, record);
        text_.push_back('\n');
        ++info.recordsTaken;
    }
    Taken(info, maxRecords, sizeBefore);
    return {};
}

void RecordsResponse::ReadStatus(const pugi::xml_node& rs, QueryPageInfo& info) {
    info.status = QbxmlStatus::Of(rs);
    info.iteratorId = rs.attribute("iteratorID").value();
    std::string_view remaining = rs.attribute("iteratorRemainingCount").value();
    std::from_chars(remaining.data(), remaining.data() + remaining.size(), info.remaining);
}

void RecordsResponse::Begin(const std::string& rsName, const pugi::xml_node& rs,
                            const QbxmlStatus& status) {
    if (started_) return;
    started_ = true;
    text_.append(Qbxml::kResponseHead);
    MessageSetProcessor::AppendResponseStart(text_, rsName, rs, status);
    startTagEnd_ = text_.rfind('>');
}

void RecordsResponse::Taken(const QueryPageInfo& info, std::size_t maxRecords,
                            std::size_t sizeBefore) {
    count_ += info.recordsTaken;
    // One reservation sized from the first page keeps the growing answer from being
    // copied again and again (and from holding twice its size while it is).
    if (count_ == info.recordsTaken && info.recordsTaken > 0 && info.remaining > 0) {
        std::size_t perRecord = (text_.size() - sizeBefore) / info.recordsTaken + 1;
        std::size_t expected = std::min(info.remaining, maxRecords - info.recordsTaken);
        text_.reserve(text_.size() + perRecord * expected + perRecord * expected / 8 + 4096);
    }
}

std::string RecordsResponse::Finish() {
    if (!started_) {
        // Every page failed before a status was seen; answer a well-formed empty set.
        text_.append(Qbxml::kResponseHead);
    } else {
        text_.append("</").append(stem_).append("QueryRs>\n");
        if (limitReached_) {
            std::string marks = " limitReached=\"true\"";
            if (unsearched_ > 0) {
                marks += " iteratorRemainingCount=\"" + std::to_string(unsearched_) + "\"";
            }
            text_.insert(startTagEnd_, marks);
        }
    }
    text_.append(Qbxml::kResponseTail);
    std::string whole = std::move(text_);
    text_.clear();
    started_ = false;
    count_ = 0;
    limitReached_ = false;
    unsearched_ = 0;
    return whole;
}

}  // namespace quarrion
