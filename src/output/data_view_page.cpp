#include "output/data_view_page.h"

#include <array>

#include "foundation/atomic_file.h"

namespace quarrion {

namespace {

struct PageImage {
    const char* Name;
    const char* MimeType;
};

constexpr std::array<PageImage, 4> kPageImages{{{"dataview.gif", "image/gif"},
                                                {"clip_anime.gif", "image/gif"},
                                                {"clip06.GIF", "image/gif"},
                                                {"xml_globe_00_tn.jpg", "image/jpeg"}}};

std::string Base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t at = 0;
    for (; at + 2 < bytes.size(); at += 3) {
        const unsigned value = static_cast<unsigned char>(bytes[at]) << 16 |
                               static_cast<unsigned char>(bytes[at + 1]) << 8 |
                               static_cast<unsigned char>(bytes[at + 2]);
        out += kAlphabet[value >> 18 & 63];
        out += kAlphabet[value >> 12 & 63];
        out += kAlphabet[value >> 6 & 63];
        out += kAlphabet[value & 63];
    }
    if (const std::size_t rest = bytes.size() - at; rest > 0) {
        unsigned value = static_cast<unsigned char>(bytes[at]) << 16;
        if (rest == 2) value |= static_cast<unsigned char>(bytes[at + 1]) << 8;
        out += kAlphabet[value >> 18 & 63];
        out += kAlphabet[value >> 12 & 63];
        out += rest == 2 ? kAlphabet[value >> 6 & 63] : '=';
        out += '=';
    }
    return out;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::string EmbedDataViewImages(std::string_view html, const std::filesystem::path& imageFolder) {
    std::string page(html);
    for (const PageImage& image : kPageImages) {
        std::string bytes;
        if (!ReadWholeFile(imageFolder / image.Name, bytes)) continue;
        ReplaceAll(page, std::string("../") + image.Name,
                   std::string("data:") + image.MimeType + ";base64," + Base64(bytes));
    }
    return page;
}

std::string FillNoteArea(std::string_view html, std::string_view content) {
    // The area as the stylesheet writes it and the HTML output keeps it: empty.
    constexpr std::string_view kArea = "<div id=\"div_note\" class=\"note\">";
    std::string page(html);
    const std::size_t at = page.find(kArea);
    if (at == std::string::npos) return page;
    const std::size_t inside = at + kArea.size();
    const std::size_t end = page.find("</div>", inside);
    if (end == std::string::npos) return page;
    page.replace(inside, end - inside, content);
    return page;
}

}  // namespace quarrion
