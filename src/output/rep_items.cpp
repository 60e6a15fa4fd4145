#include "output/rep_items.h"

#include <algorithm>

#include "foundation/text_fold.h"

namespace quarrion {

namespace {

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

void RepItems::Clear() {
    items_.clear();
    byKey_.clear();
    counter_ = 0;
}

RepItem* RepItems::Add(std::string_view name, std::string_view heading, std::string_view after) {
    std::string key = UpperCase(name);
    if (auto found = byKey_.find(key); found != byKey_.end()) return found->second;

    auto item = std::make_unique<RepItem>();
    item->Index = ++counter_;
    item->Heading = heading;
    item->Name = name;
    RepItem* stored = item.get();

    std::size_t at = items_.size();
    if (!IsBlank(after)) {
        if (RepItem* previous = Item(after)) at = PositionOf(previous) + 1;
    }
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    byKey_.emplace(std::move(key), stored);
    return stored;
}

RepItem* RepItems::Item(std::size_t position) const {
    if (position < 1 || position > items_.size()) return nullptr;
    return items_[position - 1].get();
}

RepItem* RepItems::Item(std::string_view key) const {
    auto found = byKey_.find(UpperCase(key));
    return found == byKey_.end() ? nullptr : found->second;
}

void RepItems::Remove(std::size_t position) {
    if (position < 1 || position > items_.size()) return;
    byKey_.erase(UpperCase(items_[position - 1]->Name));
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position - 1));
}

void RepItems::Remove(std::string_view key) {
    auto found = byKey_.find(UpperCase(key));
    if (found == byKey_.end()) return;
    std::size_t at = PositionOf(found->second);
    byKey_.erase(found);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(at));
}

std::size_t RepItems::PositionOf(const RepItem* item) const {
    auto found = std::find_if(items_.begin(), items_.end(),
                              [item](const auto& entry) { return entry.get() == item; });
    return static_cast<std::size_t>(found - items_.begin());
}

}  // namespace quarrion
