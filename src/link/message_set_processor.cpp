#include "link/message_set_processor.h"

#include <cstring>

#include "qbxml/request_type_info.h"

namespace quarrion {

void MessageSetProcessor::AppendResponseStart(std::string& out, std::string_view name,
                                              const pugi::xml_node& request,
                                              const QbxmlStatus& status,
                                              std::string_view extraAttributes) {
    out.append("<").append(name);
    if (pugi::xml_attribute id = request.attribute("requestID")) {
        out.append(" requestID=\"");
        Qbxml::AppendEscaped(out, id.value());
        out.append("\"");
    }
    out.append(" statusCode=\"").append(std::to_string(status.code));
    out.append("\" statusSeverity=\"");
    Qbxml::AppendEscaped(out, status.severity);
    out.append("\" statusMessage=\"");
    Qbxml::AppendEscaped(out, status.message);
    out.append("\"").append(extraAttributes).append(">\n");
}

void MessageSetProcessor::AppendStatusOnly(std::string& out, std::string_view name,
                                           const pugi::xml_node& request, const QbxmlStatus& status,
                                           std::string_view extraAttributes) {
    AppendResponseStart(out, name, request, status, extraAttributes);
    out.append("</").append(name).append(">\n");
}

ProcessResult MessageSetProcessor::ProcessRequest(std::string_view request) {
    pugi::xml_document doc;
    if (std::string error = Qbxml::Load(doc, request); !error.empty()) {
        return ProcessResult::Failed(LinkError::RequestRejected,
                                     "The request could not be read. " + error);
    }
    pugi::xml_node messages = doc.child("QBXML").child("QBXMLMsgsRq");
    if (!messages) {
        return ProcessResult::Failed(LinkError::RequestRejected,
                                     "The request is not a qbXML request message set "
                                     "(QBXML/QBXMLMsgsRq is missing).");
    }
    bool stopOnError = std::strcmp(messages.attribute("onError").value(), "continueOnError") != 0;

    answeredRecords_.clear();
    if (ProcessorFailure failure = BeginMessageSet()) {
        EndMessageSet();
        return ProcessResult{{}, std::move(failure), {}};
    }
    std::string out(Qbxml::kResponseHead);
    ProcessorFailure failure;
    for (pugi::xml_node rq = messages.first_child(); rq; rq = rq.next_sibling()) {
        if (rq.type() != pugi::node_element) continue;
        std::string_view name = rq.name();
        QbxmlStatus status;
        if (Qbxml::EndsWith(name, "QueryRq")) {
            status = AnswerQuery(rq, name.substr(0, name.size() - 7), out, failure);
        } else if (Qbxml::EndsWith(name, "ModRq")) {
            status = AnswerMod(rq, name.substr(0, name.size() - 5), out, failure);
        } else {
            std::string rsName = Qbxml::EndsWith(name, "Rq")
                                     ? std::string(name.substr(0, name.size() - 2)) + "Rs"
                                     : std::string(name) + "Rs";
            status =
                QbxmlStatus::Make(QbxmlStatus::NotSupported, "Error",
                                  "The request " + std::string(name) + " is not supported here.");
            AppendStatusOnly(out, rsName, rq, status);
        }
        if (failure) break;
        if (status.IsError() && stopOnError) break;
    }
    EndMessageSet();
    if (failure) {
        answeredRecords_.clear();
        return ProcessResult{{}, std::move(failure), {}};
    }
    out.append(Qbxml::kResponseTail);
    return ProcessResult{std::move(out), {}, std::move(answeredRecords_)};
}

}  // namespace quarrion
