#include "catalog/qbxml_tags.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace quarrion {

QBXMLTag* QBXMLTags::Add(int code, std::string_view reference, int defaultSequence, int sequence,
                         std::string_view tagName, std::string_view defaultHeading, int level,
                         std::string_view userHeading, bool searchable,
                         std::string_view searchGroup, std::string_view dataType, std::int32_t id) {
    std::string key = std::to_string(code);
    key.append(tagName);
    if (QBXMLTag* existing = tags_.Item(key)) return existing;

    auto tag = std::make_unique<QBXMLTag>();
    tag->Searchable = searchable;
    tag->SearchGroup = searchGroup;
    tag->Code = code;
    tag->Reference = reference;
    tag->DefaultSequence = defaultSequence;
    tag->Sequence = sequence;
    tag->SetTagName(tagName);
    tag->DefaultHeading = defaultHeading;
    tag->Level = level;
    tag->SetUserHeading(userHeading);
    tag->Index = static_cast<std::int32_t>(tags_.Counter() + 1);
    tag->SetDataType(dataType);
    tag->ID = id;
    return tags_.Add(std::move(tag), key);
}

QBXMLTag* QBXMLTags::Item(int code, std::string_view tagName) const {
    std::string key = std::to_string(code);
    key.append(tagName);
    return tags_.Item(key);
}

bool QBXMLTags::RequestIsSequenced(int code) const {
    for (const QBXMLTag& tag : tags_) {
        if (tag.Code == code && tag.Sequence > 0) return true;
    }
    return false;
}

bool QBXMLTags::RequestHeaders(int code, std::vector<QBXMLTag*>& tags) const {
    tags.clear();
    // Each entry sorts by the text "SSSS_IIII" (sequence and catalog position, at least
    // four digits each), compared by character code: sequence first, catalog order
    // among equals. Numbers above 9999 make longer keys that sort as text, not as
    // numbers, which is the order the column layouts were made in.
    std::vector<std::pair<std::string, QBXMLTag*>> keyed;
    char key[48];
    for (QBXMLTag& tag : tags_) {
        if (tag.Code != code || tag.Sequence <= 0) continue;
        std::snprintf(key, sizeof key, "%04ld_%04ld", static_cast<long>(tag.Sequence),
                      static_cast<long>(tag.Index));
        keyed.emplace_back(key, &tag);
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    tags.reserve(keyed.size());
    for (const auto& entry : keyed) tags.push_back(entry.second);
    return !tags.empty();
}

}  // namespace quarrion
