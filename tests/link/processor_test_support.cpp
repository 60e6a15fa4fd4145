#include "processor_test_support.h"

#include <cstdlib>

namespace quarrion::test {

std::string RequestSet(const std::string& body, const char* onError) {
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<?qbxml version=\"13.0\"?>\n") +
           "<QBXML><QBXMLMsgsRq onError=\"" + onError + "\">" + body + "</QBXMLMsgsRq></QBXML>";
}

int ParsedAnswer::Code(std::size_t i) const {
    if (i >= responses.size()) return -999;
    return std::atoi(responses[i].attribute("statusCode").value());
}

std::vector<std::string> ParsedAnswer::Ids(std::size_t i) const {
    std::vector<std::string> ids;
    if (i >= responses.size()) return ids;
    for (pugi::xml_node record : responses[i].children()) {
        const char* id =
            record.child("TxnID") ? record.child_value("TxnID") : record.child_value("ListID");
        ids.emplace_back(id);
    }
    return ids;
}

ParsedAnswer Ask(RequestProcessor& processor, const std::string& request) {
    ParsedAnswer answer;
    answer.result = processor.ProcessRequest(request);
    answer.doc = std::make_shared<pugi::xml_document>();
    if (answer.result.Ok() && answer.doc->load_string(answer.result.response.c_str())) {
        for (pugi::xml_node rs : answer.doc->child("QBXML").child("QBXMLMsgsRs").children()) {
            answer.responses.push_back(rs);
        }
    }
    return answer;
}

}  // namespace quarrion::test
