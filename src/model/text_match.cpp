#include "model/text_match.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "foundation/text_fold.h"

namespace quarrion {

namespace {

inline char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Byte-wise equality; ASCII letters fold when case is ignored. Only called on ASCII
// text or on text already folded.
inline bool SameBytes(const char* a, const char* b, std::size_t n, bool ignoreCase) {
    if (!ignoreCase) return std::char_traits<char>::compare(a, b, n) == 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

std::size_t CodePoints(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

// True when no byte has its high bit set; eight bytes at a time.
inline bool Ascii(std::string_view text) {
    const char* p = text.data();
    std::size_t n = text.size();
    std::uint64_t bits = 0;
    while (n >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        bits |= word;
        p += 8;
        n -= 8;
    }
    while (n > 0) {
        bits |= static_cast<unsigned char>(*p++);
        --n;
    }
    return (bits & 0x8080808080808080ULL) == 0;
}

// ASCII texts need no folding; anything else is folded (when case is ignored) so the
// byte comparisons below see one spelling per letter. The folded copies live in
// `storage`, which stays empty (and unallocated) for ASCII.
struct Prepared {
    std::string_view text;
    std::string_view part;
    bool ascii = false;
    // Whether the byte comparisons must fold ASCII letters themselves.
    bool foldBytes = false;
};

struct FoldStorage {
    std::string text;
    std::string part;
};

Prepared Prepare(std::string_view text, std::string_view part, LetterCase letterCase,
                 FoldStorage& storage) {
    Prepared p{text, part, Ascii(text) && Ascii(part), false};
    if (p.ascii) {
        p.foldBytes = letterCase == LetterCase::IgnoreCase;
    } else if (letterCase == LetterCase::IgnoreCase) {
        storage.text = FoldCase(text);
        storage.part = FoldCase(part);
        p.text = storage.text;
        p.part = storage.part;
    }
    return p;
}

bool ContainsBytes(std::string_view text, std::string_view part, bool ignoreCase) {
    if (part.empty()) return true;
    if (part.size() > text.size()) return false;
    if (!ignoreCase) return text.find(part) != std::string_view::npos;
    const char first = Lower(part.front());
    const std::size_t last = text.size() - part.size();
    for (std::size_t at = 0; at <= last; ++at) {
        if (Lower(text[at]) == first &&
            SameBytes(text.data() + at + 1, part.data() + 1, part.size() - 1, true)) {
            return true;
        }
    }
    return false;
}

// Length in bytes of a separator starting at `at`, or 0. The four non-ASCII
// separators are the two-byte UTF-8 forms of U+00A6, U+00B4, U+00B8 and U+00BF.
inline std::size_t SeparatorAt(std::string_view text, std::size_t at) {
    switch (text[at]) {
        case ' ':
        case '!':
        case '"':
        case '\'':
        case '(':
        case ')':
        case ',':
        case '-':
        case '.':
        case ':':
        case ';':
        case '?':
        case '`':
        case '{':
        case '|':
        case '}':
        case '~':
            return 1;
        case '\xC2':
            if (at + 1 < text.size()) {
                switch (text[at + 1]) {
                    case '\xA6':
                    case '\xB4':
                    case '\xB8':
                    case '\xBF':
                        return 2;
                    default:
                        break;
                }
            }
            return 0;
        default:
            return 0;
    }
}

}  // namespace

bool TextContains(std::string_view text, std::string_view part, LetterCase letterCase) {
    FoldStorage storage;
    Prepared p = Prepare(text, part, letterCase, storage);
    return ContainsBytes(p.text, p.part, p.foldBytes);
}

bool TextEquals(std::string_view text, std::string_view value, LetterCase letterCase) {
    FoldStorage storage;
    Prepared p = Prepare(text, value, letterCase, storage);
    return p.text.size() == p.part.size() &&
           SameBytes(p.text.data(), p.part.data(), p.part.size(), p.foldBytes);
}

bool TextStartsWith(std::string_view text, std::string_view start, LetterCase letterCase) {
    FoldStorage storage;
    Prepared p = Prepare(text, start, letterCase, storage);
    if (p.ascii ? p.text.size() <= p.part.size() : CodePoints(p.text) <= CodePoints(p.part)) {
        return false;
    }
    if (p.text.size() < p.part.size()) return false;
    // UTF-8 is prefix-free: equal leading bytes mean equal leading characters.
    return SameBytes(p.text.data(), p.part.data(), p.part.size(), p.foldBytes);
}

bool TextEndsWith(std::string_view text, std::string_view end, LetterCase letterCase) {
    FoldStorage storage;
    Prepared p = Prepare(text, end, letterCase, storage);
    if (p.ascii ? p.text.size() <= p.part.size() : CodePoints(p.text) <= CodePoints(p.part)) {
        return false;
    }
    if (p.text.size() < p.part.size()) return false;
    // A suffix match that starts inside a character would need a continuation byte
    // to equal a lead byte, which UTF-8 rules out.
    return SameBytes(p.text.data() + (p.text.size() - p.part.size()), p.part.data(), p.part.size(),
                     p.foldBytes);
}

bool TextHasWholeWord(std::string_view text, std::string_view word, LetterCase letterCase) {
    FoldStorage storage;
    Prepared p = Prepare(text, word, letterCase, storage);
    const bool ignoreCase = p.foldBytes;
    std::string_view t = p.text;
    if (t.empty()) return false;  // an empty text has no words at all
    // Separators read as blanks and runs of blanks count as one, so the words are the
    // stretches between runs, plus an empty word before a leading run and after a
    // trailing one.
    std::size_t at = 0;
    std::size_t wordStart = 0;
    while (at <= t.size()) {
        std::size_t separator = at < t.size() ? SeparatorAt(t, at) : 0;
        if (at == t.size() || separator > 0) {
            std::size_t length = at - wordStart;
            if (length == p.part.size() &&
                SameBytes(t.data() + wordStart, p.part.data(), length, ignoreCase)) {
                return true;
            }
            if (at == t.size()) break;
            // Skip the whole run of separators.
            at += separator;
            while (at < t.size()) {
                std::size_t next = SeparatorAt(t, at);
                if (next == 0) break;
                at += next;
            }
            wordStart = at;
            if (at == t.size()) {
                // A trailing run leaves one empty last word.
                return p.part.empty();
            }
            continue;
        }
        ++at;
    }
    return false;
}

bool TextIsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace quarrion
