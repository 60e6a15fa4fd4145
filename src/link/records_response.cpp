#include "link/records_response.h"

#include <charconv>

#include <pugixml.hpp>

#include "link/message_set_processor.h"

namespace quarrion {

RecordsResponse::RecordsResponse(std::string stem)
    : stem_(std::move(stem)), recordName_(stem_ + "Ret") {}

std::string RecordsResponse::AddPage(std::string_view pageText, std::size_t maxRecords,
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
    info.status = QbxmlStatus::Of(rs);
    info.iteratorId = rs.attribute("iteratorID").value();
    std::string_view remaining = rs.attribute("iteratorRemainingCount").value();
    std::from_chars(remaining.data(), remaining.data() + remaining.size(), info.remaining);
    if (info.status.IsError()) return {};

    if (!started_) {
        started_ = true;
        text_.append(Qbxml::kResponseHead);
        MessageSetProcessor::AppendResponseStart(text_, rsName, rs, info.status);
        startTagEnd_ = text_.rfind('>');
    }
    std::size_t sizeBefore = text_.size();
    for (pugi::xml_node record = rs.child(recordName_.c_str()); record;
         record = record.next_sibling(recordName_.c_str())) {
        ++info.recordsInPage;
        if (info.recordsTaken >= maxRecords) continue;
        Qbxml::AppendNode(text_, record);
        text_.push_back('\n');
        ++info.recordsTaken;
    }
    count_ += info.recordsTaken;
    // One reservation sized from the first page keeps the growing answer from being
    // copied again and again (and from holding twice its size while it is).
    if (count_ == info.recordsTaken && info.recordsTaken > 0 && info.remaining > 0) {
        std::size_t perRecord = (text_.size() - sizeBefore) / info.recordsTaken + 1;
        std::size_t expected = std::min(info.remaining, maxRecords - info.recordsTaken);
        text_.reserve(text_.size() + perRecord * expected + perRecord * expected / 8 + 4096);
    }
    return {};
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
