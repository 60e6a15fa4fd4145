#include "qbxml/qbxml_document.h"

#include <charconv>
#include <cstring>

namespace quarrion {

namespace Qbxml {

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_doctype;

std::string Check(const pugi::xml_document& doc, const pugi::xml_parse_result& result, bool empty) {
    if (empty) return "The text is empty.";
    if (!result) {
        return std::string("The text is not well-formed XML (") + result.description() +
               " at byte " + std::to_string(result.offset) + "); it may have been cut off.";
    }
    // Depth-first walk without recursion, counting the depth as it goes.
    pugi::xml_node node = doc.first_child();
    int depth = 1;
    while (node) {
        if (node.type() == pugi::node_doctype) {
            return "The text carries a document type declaration, which qbXML never does; "
                   "it was refused.";
        }
        if (depth > kMaxDepth) {
            return "The text nests elements more than " + std::to_string(kMaxDepth) +
                   " levels deep, which qbXML never does; it was refused.";
        }
        if (node.first_child()) {
            node = node.first_child();
            ++depth;
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
            --depth;
            if (node == doc) node = pugi::xml_node();
        }
        if (node) node = node.next_sibling();
    }
    if (!doc.document_element()) return "The text holds no XML element.";
    int documents = 0;
    for (pugi::xml_node top = doc.first_child(); top; top = top.next_sibling()) {
        if (top.type() == pugi::node_element) ++documents;
    }
    if (documents > 1) {
        return "The text holds " + std::to_string(documents) +
               " documents one after another where one is expected; it was refused.";
    }
    return {};
}

// A character reference to code 0 (&#0;, &#x00; ...), which XML forbids and which
// would otherwise cut a value short at the reference.
bool HoldsNullReference(std::string_view text) {
    for (std::size_t at = text.find("&#"); at != std::string_view::npos;
         at = text.find("&#", at + 2)) {
        std::size_t i = at + 2;
        if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) ++i;
        std::size_t digits = i;
        while (i < text.size() && text[i] == '0') ++i;
        if (i > digits && i < text.size() && text[i] == ';') return true;
    }
    return false;
}

constexpr const char* kNullReference =
    "The text holds a reference to the character 0 (&#0;), which XML forbids; it was refused.";

bool IsBlank(std::string_view text) {
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    }
    return true;
}

struct StringWriter : pugi::xml_writer {
    explicit StringWriter(std::string& out) : out(out) {}
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
    std::string& out;
};

}  // namespace

bool HoldsNullCharacterReference(std::string_view text) {
    return HoldsNullReference(text);
}

std::string Load(pugi::xml_document& doc, std::string_view text) {
    if (HoldsNullReference(text)) return kNullReference;
    pugi::xml_parse_result result =
        doc.load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_auto);
    return Check(doc, result, IsBlank(text));
}

std::string LoadInPlace(pugi::xml_document& doc, std::string& buffer) {
    // Asked first: parsing in place rewrites the buffer.
    bool blank = IsBlank(buffer);
    if (HoldsNullReference(buffer)) return kNullReference;
    pugi::xml_parse_result result =
        doc.load_buffer_inplace(buffer.data(), buffer.size(), kParseOptions, pugi::encoding_auto);
    return Check(doc, result, blank);
}

void AppendEscaped(std::string& out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* escape = nullptr;
        switch (text[i]) {
            case '&':
                escape = "&amp;";
                break;
            case '<':
                escape = "&lt;";
                break;
            case '>':
                escape = "&gt;";
                break;
            case '"':
                escape = "&quot;";
                break;
            case '\'':
                escape = "&apos;";
                break;
            default:
                continue;
        }
        out.append(text.substr(start, i - start));
        out.append(escape);
        start = i + 1;
    }
    out.append(text.substr(start));
}

void AppendNode(std::string& out, const pugi::xml_node& node) {
    StringWriter writer(out);
    node.print(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
}

}  // namespace Qbxml

QbxmlStatus QbxmlStatus::Of(const pugi::xml_node& response) {
    QbxmlStatus status;
    std::string_view code = response.attribute("statusCode").value();
    std::int32_t number = 0;
    auto [end, error] = std::from_chars(code.data(), code.data() + code.size(), number);
    if (code.empty() || error != std::errc() || end != code.data() + code.size()) {
        return Make(-1, "Error",
                    "The response element " + std::string(response.name()) +
                        " carries no readable statusCode.");
    }
    status.code = number;
    status.severity = response.attribute("statusSeverity").value();
    if (status.severity.empty()) status.severity = number == 0 || number == 1 ? "Info" : "Error";
    status.message = response.attribute("statusMessage").value();
    return status;
}

}  // namespace quarrion
