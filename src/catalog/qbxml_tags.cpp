#include "catalog/qbxml_tags.h"

#include <algorithm>
#include <memory>
#include <string>

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
    for (QBXMLTag& tag : tags_) {
        if (tag.Code == code && tag.Sequence > 0) tags.push_back(&tag);
    }
    // Sequence first, then catalog position: every entry has an Index of its own, so
    // the order is total and the same on every call.
    std::sort(tags.begin(), tags.end(), [](const QBXMLTag* a, const QBXMLTag* b) {
        if (a->Sequence != b->Sequence) return a->Sequence < b->Sequence;
        return a->Index < b->Index;
    });
    return !tags.empty();
}

}  // namespace quarrion
