#include "processor_test_support.h"

namespace quarrion::test {

std::string RequestSet(const std::string& body, const char* onError) {
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<?qbxml version=\"13.0\"?>\n") +
           "<QBXML><QBXMLMsgsRq onError=\"" + onError + "\">" + body + "</QBXMLMsgsRq></QBXML>";
}

std::vector<std::string> ParsedAnswer::Ids() const {
    std::vector<std::string> ids;
    for (pugi::xml_node record : First().children()) {
        ids.emplace_back(record.select_node("TxnID|ListID").node().text().get());
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
