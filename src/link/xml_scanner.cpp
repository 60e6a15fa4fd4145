#include "link/xml_scanner.h"

#include <charconv>

namespace quarrion::XmlScan {

namespace {

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// The reference at the start of `raw` ("&amp;", "&#38;", ...) decoded onto `out`;
// answers its length, or 0 when it is none.
std::size_t DecodeReference(std::string_view raw, std::string& out) {
    std::size_t semicolon = raw.find(';');
    if (semicolon == std::string_view::npos || semicolon < 2) return 0;
    std::string_view name = raw.substr(1, semicolon - 1);
    if (name[0] == '#') {
        std::uint32_t code = 0;
        std::string_view digits = name.substr(1);
        int base = 10;
        if (!digits.empty() && digits[0] == 'x') {
            base = 16;
            digits.remove_prefix(1);
        }
        auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), code, base);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
            code == 0 || code > 0x10FFFF) {
            return 0;
        }
        AppendUtf8(out, code);
        return semicolon + 1;
    }
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [entity, character] : kNamed) {
        if (name == entity) {
            out.push_back(character);
            return semicolon + 1;
        }
    }
    return 0;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string Decode(std::string_view raw) {
    if (raw.find('&') == std::string_view::npos && raw.find('\r') == std::string_view::npos) {
        return std::string(raw);
    }
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size();) {
        char c = raw[i];
        if (c == '&') {
            if (std::size_t used = DecodeReference(raw.substr(i), out)) {
                i += used;
                continue;
            }
        } else if (c == '\r') {
            // Line ends read as a parser reads them: CR LF and a lone CR become LF.
            out.push_back('\n');
            i += i + 1 < raw.size() && raw[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        out.push_back(c);
        ++i;
    }
    return out;
}

std::string Attribute(std::string_view attributes, std::string_view name, bool* found) {
    if (found) *found = false;
    std::size_t p = 0;
    while (p < attributes.size()) {
        while (p < attributes.size() && IsSpace(attributes[p])) ++p;
        std::size_t nameBegin = p;
        while (p < attributes.size() && IsNameChar(attributes[p])) ++p;
        std::string_view attribute = attributes.substr(nameBegin, p - nameBegin);
        std::size_t equals = attributes.find('=', p);
        if (attribute.empty() || equals == std::string_view::npos) return {};
        p = equals + 1;
        while (p < attributes.size() && IsSpace(attributes[p])) ++p;
        if (p >= attributes.size()) return {};
        char quote = attributes[p];
        std::size_t close = attributes.find(quote, p + 1);
        if (close == std::string_view::npos) return {};
        if (attribute == name) {
            if (found) *found = true;
            std::string value = Decode(attributes.substr(p + 1, close - p - 1));
            // Whitespace characters in attribute values read as blanks.
            for (char& c : value) {
                if (c == '\t' || c == '\n' || c == '\r') c = ' ';
            }
            return value;
        }
        p = close + 1;
    }
    return {};
}

bool IsUtf8Text(std::string_view text) {
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    if (text.size() >= 2 && (text[0] == '\0' || text[1] == '\0')) return false;  // UTF-16/32
    if (text.size() >= 2 && static_cast<unsigned char>(text[0]) >= 0xFE) return false;
    if (text.substr(0, 5) != "<?xml") return true;
    std::size_t close = text.find("?>");
    if (close == std::string_view::npos) return false;
    std::string_view declaration = text.substr(5, close - 5);
    bool found = false;
    std::string encoding = Attribute(declaration, "encoding", &found);
    if (!found) return true;
    std::string lower;
    for (char c : Trimmed(encoding))
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return lower == "utf-8" || lower == "utf8" || lower == "us-ascii" || lower == "ascii";
}

}  // namespace quarrion::XmlScan
