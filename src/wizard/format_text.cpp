#include "wizard/format_text.h"

#include "foundation/text_fold.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

constexpr std::string_view kTitle = "&requesttitle";
constexpr std::string_view kName = "&requestname";

bool StartsHere(std::string_view text, std::size_t at, std::string_view placeholder) {
    return text.size() - at >= placeholder.size() &&
           EqualsIgnoringCase(text.substr(at, placeholder.size()), placeholder);
}

}  // namespace

std::string FormatText(std::string_view text, std::int32_t requestType) {
    const std::string title = RequestTypeInfo::TypeTitle(requestType);
    const std::string name = RequestTypeInfo::TypeName(requestType);
    std::string formatted;
    formatted.reserve(text.size() + title.size());
    // One pass from the left, so a title or name that itself holds a placeholder's
    // letters is never replaced again.
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == '&') {
            if (StartsHere(text, at, kTitle)) {
                formatted += title;
                at += kTitle.size();
                continue;
            }
            if (StartsHere(text, at, kName)) {
                formatted += name;
                at += kName.size();
                continue;
            }
        }
        formatted += text[at++];
    }
    return formatted;
}

}  // namespace quarrion
