#include "catalog/view_tags.h"

#include <algorithm>

#include "catalog/qbxml_tag.h"
#include "foundation/text_fold.h"

namespace quarrion {

void ViewTag::SetTag(QBXMLTag* tag) {
    tag_ = tag;
    if (!tag) return;
    Heading = tag->UserHeading();
    Sequence = tag->Sequence;
    Level = tag->Level;
    TagName = tag->TagName();
}

ViewTag* ViewTags::Add(QBXMLTag* tag) {
    if (!tag) return nullptr;
    if (ViewTag* existing = Item(std::string_view(tag->TagName()))) return existing;
    auto view = std::make_unique<ViewTag>();
    view->SetTag(tag);
    view->Index = ++counter_;
    view->Protect = Protect;
    byName_.emplace(UpperCase(view->TagName), tags_.size());
    tags_.push_back(std::move(view));
    return tags_.back().get();
}

ViewTag* ViewTags::Item(std::size_t position) const {
    if (position < 1 || position > tags_.size()) return nullptr;
    return tags_[position - 1].get();
}

ViewTag* ViewTags::Item(std::string_view tagName) const {
    auto found = byName_.find(UpperCase(tagName));
    return found == byName_.end() ? nullptr : tags_[found->second].get();
}

void ViewTags::Remove(std::size_t position) {
    if (position < 1 || position > tags_.size()) return;
    tags_.erase(tags_.begin() + static_cast<std::ptrdiff_t>(position - 1));
    Reindex();
}

void ViewTags::Remove(std::string_view tagName) {
    auto found = byName_.find(UpperCase(tagName));
    if (found != byName_.end()) Remove(found->second + 1);
}

void ViewTags::Clear() {
    tags_.clear();
    byName_.clear();
    counter_ = 0;
}

bool ViewTags::IsSequenced() const {
    return std::any_of(tags_.begin(), tags_.end(),
                       [](const auto& tag) { return tag->Sequence > 0; });
}

void ViewTags::Sort() {
    auto shownEnd = std::stable_partition(tags_.begin(), tags_.end(),
                                          [](const auto& tag) { return tag->Sequence > 0; });
    std::stable_sort(tags_.begin(), shownEnd,
                     [](const auto& a, const auto& b) { return a->Sequence < b->Sequence; });
    Reindex();
}

void ViewTags::Reindex() {
    byName_.clear();
    for (std::size_t i = 0; i < tags_.size(); ++i) byName_.emplace(UpperCase(tags_[i]->TagName), i);
}

}  // namespace quarrion
