#include "link/soap_envelope.h"

#include <cstring>

#include <pugixml.hpp>

#include "qbxml/qbxml_document.h"

namespace quarrion::Soap {

namespace {

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

std::string_view LocalName(const pugi::xml_node& node) {
    std::string_view name = node.name();
    std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The namespace URI an element's name is in, from the xmlns declarations on it and its
// ancestors (pugixml does not resolve namespaces itself).
std::string_view NamespaceOf(const pugi::xml_node& node) {
    std::string_view name = node.name();
    std::size_t colon = name.find(':');
    std::string attribute =
        colon == std::string_view::npos ? "xmlns" : "xmlns:" + std::string(name.substr(0, colon));
    for (pugi::xml_node at = node; at && at.type() == pugi::node_element; at = at.parent()) {
        if (pugi::xml_attribute declared = at.attribute(attribute.c_str())) return declared.value();
    }
    return {};
}

bool IsNil(const pugi::xml_node& node) {
    for (pugi::xml_attribute attribute : node.attributes()) {
        std::string_view name = attribute.name();
        if ((name == "nil" || name.ends_with(":nil")) && attribute.as_bool()) return true;
    }
    return false;
}

// All character data directly inside the element; a sender may split it with CDATA.
std::string TextOf(const pugi::xml_node& node) {
    std::string text;
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            text += child.value();
        }
    }
    return text;
}

pugi::xml_node ChildByLocalName(const pugi::xml_node& node, std::string_view name) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element && LocalName(child) == name) return child;
    }
    return {};
}

pugi::xml_node FirstElement(const pugi::xml_node& node) {
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element) return child;
    }
    return {};
}

std::string Envelope(std::string_view body) {
    std::string out(kXmlDeclaration);
    out += "<soap:Envelope xmlns:soap=\"";
    out += kEnvelopeNamespace;
    out +=
        "\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>";
    out += body;
    out += "</soap:Body></soap:Envelope>";
    return out;
}

std::string ResultElement(std::string_view method, std::string_view inner) {
    std::string out = "<" + std::string(method) + "Response xmlns=\"" +
                      std::string(kServiceNamespace) + "\"><" + std::string(method) + "Result>";
    out += inner;
    out += "</" + std::string(method) + "Result></" + std::string(method) + "Response>";
    return out;
}

// Parses an envelope and finds its body. Answers "" or what is wrong.
std::string LoadBody(pugi::xml_document& doc, std::string_view text, pugi::xml_node& body) {
    if (std::string error = Qbxml::Load(doc, text); !error.empty()) {
        return "the request is not a readable XML document: " + error;
    }
    pugi::xml_node envelope = FirstElement(doc);
    if (!envelope || LocalName(envelope) != "Envelope" ||
        NamespaceOf(envelope) != kEnvelopeNamespace) {
        return "the request is not a SOAP 1.1 envelope";
    }
    body = ChildByLocalName(envelope, "Body");
    if (!body) return "the SOAP envelope has no Body";
    return {};
}

}  // namespace

std::string Call::Parameter(std::string_view name) const {
    auto found = parameters.find(name);
    return found == parameters.end() ? std::string() : found->second;
}

std::string ParseCall(std::string_view text, Call& call) {
    pugi::xml_document doc;
    pugi::xml_node body;
    if (std::string error = LoadBody(doc, text, body); !error.empty()) return error;
    pugi::xml_node operation = FirstElement(body);
    if (!operation) return "the SOAP Body holds no call";
    if (NamespaceOf(operation) != kServiceNamespace) {
        return "the call " + std::string(LocalName(operation)) + " is not in the namespace " +
               std::string(kServiceNamespace);
    }
    call.method = LocalName(operation);
    call.parameters.clear();
    for (pugi::xml_node child : operation.children()) {
        if (child.type() != pugi::node_element) continue;
        call.parameters[std::string(LocalName(child))] = IsNil(child) ? "" : TextOf(child);
    }
    return {};
}

std::string StringReply(std::string_view method, std::string_view value) {
    std::string inner;
    Qbxml::AppendEscaped(inner, value);
    return Envelope(ResultElement(method, inner));
}

std::string IntReply(std::string_view method, int value) {
    return Envelope(ResultElement(method, std::to_string(value)));
}

std::string StringArrayReply(std::string_view method, const std::vector<std::string>& values) {
    std::string inner;
    for (const std::string& value : values) {
        inner += "<string>";
        Qbxml::AppendEscaped(inner, value);
        inner += "</string>";
    }
    return Envelope(ResultElement(method, inner));
}

std::string Fault(std::string_view code, std::string_view text) {
    std::string body = "<soap:Fault><faultcode>soap:";
    body += code;
    body += "</faultcode><faultstring>";
    Qbxml::AppendEscaped(body, text);
    body += "</faultstring></soap:Fault>";
    return Envelope(body);
}

std::string Request(std::string_view method,
                    const std::vector<std::pair<std::string, std::string>>& parameters) {
    std::string inner =
        "<" + std::string(method) + " xmlns=\"" + std::string(kServiceNamespace) + "\">";
    for (const auto& [name, value] : parameters) {
        inner += "<" + name + ">";
        Qbxml::AppendEscaped(inner, value);
        inner += "</" + name + ">";
    }
    inner += "</" + std::string(method) + ">";
    return Envelope(inner);
}

std::string ParseReply(std::string_view text, std::string_view method,
                       std::vector<std::string>& values) {
    values.clear();
    pugi::xml_document doc;
    pugi::xml_node body;
    if (std::string error = LoadBody(doc, text, body); !error.empty()) return error;
    if (pugi::xml_node fault = ChildByLocalName(body, "Fault")) {
        return "SOAP fault: " + TextOf(ChildByLocalName(fault, "faultstring"));
    }
    pugi::xml_node response = ChildByLocalName(body, std::string(method) + "Response");
    pugi::xml_node result = ChildByLocalName(response, std::string(method) + "Result");
    if (!result) return "the reply holds no " + std::string(method) + "Result";
    bool any = false;
    for (pugi::xml_node child : result.children()) {
        if (child.type() == pugi::node_element && LocalName(child) == "string") {
            values.push_back(IsNil(child) ? "" : TextOf(child));
            any = true;
        }
    }
    if (!any) values.push_back(TextOf(result));
    return {};
}

}  // namespace quarrion::Soap
