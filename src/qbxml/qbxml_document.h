#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace quarrion {

// Reading and writing qbXML text, shared by the link and its request processors.
//
// Loading is safe against hostile input: a document type declaration (the carrier of
// entity bombs and external entities) is refused outright, pugixml never expands
// entities of its own accord, and elements nested deeper than any qbXML message goes
// are refused, so no later recursive walk can exhaust the stack.
namespace Qbxml {

// Deeper than any real qbXML message (about ten levels), far below any stack limit.
inline constexpr int kMaxDepth = 256;

// The text before and after the responses of a response message set.
inline constexpr std::string_view kResponseHead =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<?qbxml version=\"13.0\"?>\n<QBXML>\n"
    "<QBXMLMsgsRs>\n";
inline constexpr std::string_view kResponseTail = "</QBXMLMsgsRs>\n</QBXML>\n";

// Parses `text` into `doc` (copying it). Returns "" or a message saying what is wrong:
// empty, not well-formed (with the byte offset; a cut-off file ends here), a document
// type declaration, or nesting deeper than kMaxDepth.
std::string Load(pugi::xml_document& doc, std::string_view text);

// The same without a copy: `buffer` is parsed in place and must stay alive and unchanged
// as long as `doc` is used.
std::string LoadInPlace(pugi::xml_document& doc, std::string& buffer);

// True when the text holds a reference to the character 0 (&#0;, &#x00; ...), which
// Load and LoadInPlace refuse; readers that scan text instead ask this first.
bool HoldsNullCharacterReference(std::string_view text);

// Appends `text` with the XML escapes for element content and attribute values.
void AppendEscaped(std::string& out, std::string_view text);

// Appends the element as compact XML (no indentation, no declaration).
void AppendNode(std::string& out, const pugi::xml_node& node);

// The text of a child element, or "" when there is none.
inline std::string_view ChildText(const pugi::xml_node& node, const char* name) {
    return node.child(name).text().get();
}

// Whether a text ends with a suffix ("InvoiceQueryRq" ends with "QueryRq").
inline bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace Qbxml

// The status a qbXML response element carries.
struct QbxmlStatus {
    std::int32_t code = 0;
    std::string severity = "Info";
    std::string message = "Status OK";

    // Codes our processors answer with, and the ones the link acts on.
    static constexpr std::int32_t Ok = 0;
    // A query found nothing (severity Info).
    static constexpr std::int32_t NothingFound = 1;
    // Some of the objects asked for by id are missing; the rest are answered (Warn).
    static constexpr std::int32_t NotAllFound = 500;
    static constexpr std::int32_t ObjectNotFound = 3120;
    static constexpr std::int32_t IteratorInvalid = 3170;
    // The EditSequence sent is not the record's current one.
    static constexpr std::int32_t EditSequenceOutOfDate = 3200;
    // The request (or a filter in it) is not one this processor answers.
    static constexpr std::int32_t NotSupported = 3250;

    bool IsError() const { return severity == "Error"; }

    static QbxmlStatus Make(std::int32_t code, std::string severity, std::string message) {
        return QbxmlStatus{code, std::move(severity), std::move(message)};
    }
    // Reads statusCode, statusSeverity and statusMessage of a response element; a
    // missing or unreadable code counts as an error, so garbage is never taken for
    // success.
    static QbxmlStatus Of(const pugi::xml_node& response);
};

}  // namespace quarrion
