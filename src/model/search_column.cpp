#include "model/search_column.h"

#include <memory>

#include "foundation/common_tools.h"

namespace quarrion {

void SearchColumn::SetColumn(QBXMLTagRef column) {
    column_ = std::move(column);
    elementName_ = column_ ? CommonTools::LastSegment(column_->TagName()) : std::string();
}

void SearchColumn::Copy(SearchColumn& target, CopyDirection direction) {
    if (direction == CopyDirection::IntoTarget) {
        target.SetColumn(column_);
    } else if (direction == CopyDirection::FromTarget) {
        SetColumn(target.column_);
    }
}

SearchColumn* SearchColumns::Add(QBXMLTagRef tag) {
    if (!tag) return nullptr;
    if (SearchColumn* existing = items_.Item(tag->TagName())) return existing;
    auto column = std::make_unique<SearchColumn>();
    const std::string key = tag->TagName();
    column->Index = items_.Counter() + 1;
    column->SetColumn(std::move(tag));
    return items_.Add(std::move(column), key);
}

void SearchColumns::Copy(SearchColumns& target, CopyDirection direction) {
    if (&target == this) return;
    SearchColumns* from = direction == CopyDirection::IntoTarget   ? this
                          : direction == CopyDirection::FromTarget ? &target
                                                                   : nullptr;
    if (!from) return;
    SearchColumns* to = direction == CopyDirection::IntoTarget ? &target : this;
    to->Clear();
    for (const SearchColumn& column : from->items_) to->Add(column.Column());
}

}  // namespace quarrion
