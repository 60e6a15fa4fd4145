#include "foundation/text_fold.h"

#include <utf8proc.h>

#include <algorithm>

namespace quarrion {

namespace {

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

void AppendCodePoint(std::string& out, utf8proc_int32_t cp) {
    utf8proc_uint8_t encoded[4];
    utf8proc_ssize_t length = utf8proc_encode_char(cp, encoded);
    out.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(length));
}

// Hands each code point of `text` to `emit`, which appends what it stands for to the
// result; bytes that do not decode are copied as they are.
template <typename Emit>
std::string EachCodePoint(std::string_view text, Emit emit) {
    std::string out;
    out.reserve(text.size());
    const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
    utf8proc_ssize_t at = 0;
    const auto size = static_cast<utf8proc_ssize_t>(text.size());
    while (at < size) {
        utf8proc_int32_t cp = 0;
        utf8proc_ssize_t used = utf8proc_iterate(bytes + at, size - at, &cp);
        if (used <= 0) {
            out.push_back(text[static_cast<std::size_t>(at)]);
            ++at;
            continue;
        }
        emit(cp, out);
        at += used;
    }
    return out;
}

// Maps each code point through `map`.
template <typename Map>
std::string MapCodePoints(std::string_view text, Map map) {
    return EachCodePoint(
        text, [&](utf8proc_int32_t cp, std::string& out) { AppendCodePoint(out, map(cp)); });
}

// Latin letters with a stroke or bar (Ø ø Đ đ Ł ł Ħ ħ Ŧ ŧ): Unicode gives them no
// decomposition, but a user who types "Soren" means "Søren" as much as "Muller" means
// "Müller".
struct StrokeLetter {
    utf8proc_int32_t letter;
    char plain;
};
constexpr StrokeLetter kStrokeLetters[] = {
    {0x00D8, 'O'}, {0x00F8, 'o'}, {0x0110, 'D'}, {0x0111, 'd'}, {0x0141, 'L'},
    {0x0142, 'l'}, {0x0126, 'H'}, {0x0127, 'h'}, {0x0166, 'T'}, {0x0167, 't'},
};

utf8proc_int32_t PlainLetterOf(utf8proc_int32_t cp) {
    for (const StrokeLetter& stroke : kStrokeLetters) {
        if (stroke.letter == cp) return stroke.plain;
    }
    return cp;
}

}  // namespace

std::string FoldAccents(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    return EachCodePoint(text, [](utf8proc_int32_t cp, std::string& out) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
            return;
        }
        // Canonical decomposition only: compatibility forms would turn the spacing
        // accents ´ and ¸, which the whole-word rule reads as separators, into blanks.
        utf8proc_int32_t parts[8];
        int boundary = 0;
        utf8proc_ssize_t count =
            utf8proc_decompose_char(PlainLetterOf(cp), parts, 8,
                                    static_cast<utf8proc_option_t>(UTF8PROC_DECOMPOSE), &boundary);
        if (count < 1 || count > 8) {
            parts[0] = PlainLetterOf(cp);
            count = 1;
        }
        for (utf8proc_ssize_t i = 0; i < count; ++i) {
            if (utf8proc_category(parts[i]) != UTF8PROC_CATEGORY_MN) AppendCodePoint(out, parts[i]);
        }
    });
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string UpperCase(std::string_view text) {
    if (IsAscii(text)) {
        std::string out(text);
        for (char& c : out) c = AsciiUpper(c);
        return out;
    }
    return MapCodePoints(text, [](utf8proc_int32_t cp) { return utf8proc_toupper(cp); });
}

std::string FoldCase(std::string_view text) {
    if (IsAscii(text)) {
        std::string out(text);
        for (char& c : out) c = AsciiLower(c);
        return out;
    }
    // Simple one-to-one folding keeps lengths comparable code point by code point.
    return MapCodePoints(
        text, [](utf8proc_int32_t cp) { return utf8proc_tolower(utf8proc_toupper(cp)); });
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b)) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
        }
        return true;
    }
    return FoldCase(a) == FoldCase(b);
}

}  // namespace quarrion
