#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "qbxml/qbxml_document.h"

namespace quarrion {

// A single strict pass over UTF-8 XML text that reports elements and their text
// without building a document. The link and the response files use it where all they
// need of a large answer is where its records start and end and a few of their
// values: copying a record's bytes is far cheaper than parsing it into nodes and
// writing it out again.
//
// The pass refuses what Qbxml::Load refuses (text that is not well-formed, a document
// type declaration, nesting deeper than Qbxml::kMaxDepth) and answers where it
// stopped; it does not check everything a full parser does (names' characters beyond
// ASCII, references to entities that do not exist), so whoever parses the text later
// still sees such damage.
//
// A handler provides:
//   bool Start(std::string_view name, std::size_t begin, std::string_view attributes,
//              bool empty, int depth)  // begin: offset of '<'; false stops the pass
//   bool End(std::string_view name, std::size_t end, int depth)  // end: past '>'
//   void Text(std::string_view raw, int depth)  // raw character data, references kept
// `depth` is 1 for the root element. Comments and processing instructions are
// skipped; CDATA sections are reported as text (raw, without their markers).
struct XmlScanError {
    std::string message;  // "" when the text was read to its end or the handler stopped
    std::size_t offset = 0;

    explicit operator bool() const { return !message.empty(); }
};

namespace XmlScan {

inline bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Character classes of names, by byte (every byte from 0x80 up belongs to a UTF-8
// sequence, which names may hold).
struct NameClasses {
    bool start[256] = {};
    bool part[256] = {};
    constexpr NameClasses() {
        for (int c = 0; c < 256; ++c) {
            bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
                          c == ':' || c >= 0x80;
            start[c] = letter;
            part[c] = letter || (c >= '0' && c <= '9') || c == '-' || c == '.';
        }
    }
};
inline constexpr NameClasses kNames{};

inline bool IsNameChar(char c) {
    return kNames.part[static_cast<unsigned char>(c)];
}

inline bool IsNameStart(char c) {
    return kNames.start[static_cast<unsigned char>(c)];
}

// Decodes the five predefined entities and character references; anything else after
// '&' is kept as it stands (as pugixml does).
std::string Decode(std::string_view raw);

// The decoded value of an attribute in a start tag's attribute text; "" when absent.
// `found` tells an empty value from a missing one.
std::string Attribute(std::string_view attributes, std::string_view name, bool* found = nullptr);

// True when text with this start can be scanned as it is: UTF-8 (with or without a
// byte-order mark) and an XML declaration, if any, naming UTF-8 or US-ASCII or no
// encoding at all.
bool IsUtf8Text(std::string_view text);

template <class Handler>
XmlScanError Scan(std::string_view text, Handler& handler) {
    const char* const base = text.data();
    const std::size_t size = text.size();
    std::size_t at = 0;
    if (size >= 3 && std::memcmp(base, "\xEF\xBB\xBF", 3) == 0) at = 3;
    std::vector<std::string_view> open;
    open.reserve(16);
    bool rootSeen = false;
    auto fail = [&](const char* message, std::size_t where) {
        return XmlScanError{std::string("The text is not well-formed XML (") + message +
                                " at byte " + std::to_string(where) +
                                "); it may have been cut off.",
                            where};
    };
    auto find = [&](std::string_view what, std::size_t from) { return text.find(what, from); };

    while (at < size) {
        // Character data up to the next tag. (Short in qbXML, a value or the
        // indentation between tags; the library search still beats a plain loop.)
        const void* lessThan = std::memchr(base + at, '<', size - at);
        std::size_t next =
            lessThan ? static_cast<std::size_t>(static_cast<const char*>(lessThan) - base) : size;
        const bool lt = next < size;
        if (next > at) {
            std::string_view raw(base + at, next - at);
            if (open.empty()) {
                for (char c : raw) {
                    if (!IsSpace(c)) return fail("text outside the root element", at);
                }
            } else {
                handler.Text(raw, static_cast<int>(open.size()));
            }
        }
        if (!lt) break;
        at = next;
        if (at + 1 >= size) return fail("a tag is cut off", at);
        char kind = base[at + 1];
        if (kind == '/') {
            // The only name that may follow is the open element's: compared at once.
            if (open.empty()) return fail("an end tag does not match", at);
            const std::string_view name = open.back();
            std::size_t p = at + 2 + name.size();
            if (p >= size) return fail("an end tag is cut off", at);
            if (std::memcmp(base + at + 2, name.data(), name.size()) != 0)
                return fail("an end tag does not match", at);
            if (IsNameChar(base[p])) return fail("an end tag does not match", at);
            while (p < size && IsSpace(base[p])) ++p;
            if (p >= size) return fail("an end tag is cut off", at);
            if (base[p] != '>') return fail("an end tag is malformed", at);
            open.pop_back();
            if (!handler.End(name, p + 1, static_cast<int>(open.size()) + 1)) return {};
            at = p + 1;
        } else if (kind == '!') {
            if (text.compare(at, 4, "<!--") == 0) {
                std::size_t close = find("-->", at + 4);
                if (close == std::string_view::npos) return fail("a comment is cut off", at);
                at = close + 3;
            } else if (text.compare(at, 9, "<![CDATA[") == 0) {
                if (open.empty()) return fail("character data outside the root element", at);
                std::size_t close = find("]]>", at + 9);
                if (close == std::string_view::npos) return fail("a CDATA section is cut off", at);
                handler.Text(std::string_view(base + at + 9, close - at - 9),
                             static_cast<int>(open.size()));
                at = close + 3;
            } else if (text.compare(at, 9, "<!DOCTYPE") == 0) {
                return XmlScanError{
                    "The text carries a document type declaration, which qbXML "
                    "never does; it was refused.",
                    at};
            } else {
                return fail("markup is malformed", at);
            }
        } else if (kind == '?') {
            std::size_t close = find("?>", at + 2);
            if (close == std::string_view::npos)
                return fail("a processing instruction is cut off", at);
            at = close + 2;
        } else {
            std::size_t nameBegin = at + 1;
            if (!IsNameStart(base[nameBegin])) return fail("a tag is malformed", at);
            std::size_t p = nameBegin + 1;
            while (p < size && IsNameChar(base[p])) ++p;
            std::string_view name(base + nameBegin, p - nameBegin);
            std::size_t attributesBegin = p;
            // Attributes: name = "value" pairs, values without '<'.
            bool empty = false;
            for (;;) {
                std::size_t spaced = p;
                while (p < size && IsSpace(base[p])) ++p;
                if (p >= size) return fail("a start tag is cut off", at);
                if (base[p] == '>') break;
                if (base[p] == '/') {
                    if (p + 1 >= size) return fail("a start tag is cut off", at);
                    if (base[p + 1] != '>') return fail("a start tag is malformed", at);
                    empty = true;
                    break;
                }
                if (p == spaced || !IsNameStart(base[p]))
                    return fail("an attribute is malformed", p);
                while (p < size && IsNameChar(base[p])) ++p;
                while (p < size && IsSpace(base[p])) ++p;
                if (p >= size) return fail("a start tag is cut off", at);
                if (base[p] != '=') return fail("an attribute is malformed", p);
                ++p;
                while (p < size && IsSpace(base[p])) ++p;
                if (p >= size) return fail("a start tag is cut off", at);
                char quote = base[p];
                if (quote != '"' && quote != '\'') return fail("an attribute is malformed", p);
                std::size_t close = text.find(quote, p + 1);
                if (close == std::string_view::npos) return fail("a start tag is cut off", at);
                if (std::memchr(base + p + 1, '<', close - p - 1))
                    return fail("an attribute value holds '<'", p);
                p = close + 1;
            }
            std::string_view attributes(base + attributesBegin, p - attributesBegin);
            if (open.empty()) {
                if (rootSeen) return fail("a second root element", at);
                rootSeen = true;
            }
            const int depth = static_cast<int>(open.size()) + 1;
            if (depth > Qbxml::kMaxDepth) {
                return XmlScanError{"The text nests elements more than " +
                                        std::to_string(Qbxml::kMaxDepth) +
                                        " levels deep, which qbXML never does; it was refused.",
                                    at};
            }
            if (!handler.Start(name, at, attributes, empty, depth)) return {};
            if (empty) {
                if (!handler.End(name, p + 2, depth)) return {};
                at = p + 2;
            } else {
                open.push_back(name);
                at = p + 1;
            }
        }
    }
    if (!open.empty()) return fail("an element is not closed", size);
    if (!rootSeen) {
        return XmlScanError{"The text holds no XML element.", size};
    }
    return {};
}

}  // namespace XmlScan

}  // namespace quarrion
