#include "model/display_column.h"

#include <memory>

#include "model/text_match.h"

namespace quarrion {

void DisplayColumn::SetTag(QBXMLTagRef tag) {
    tag_ = std::move(tag);
    if (heading_.empty() && tag_) heading_ = tag_->UserHeading();
}

void DisplayColumn::SetHeading(std::string_view heading) {
    if (!TextIsBlank(heading)) {
        heading_ = heading;
    } else if (tag_) {
        heading_ = tag_->UserHeading();
    }
}

void DisplayColumn::Copy(DisplayColumn& target, CopyDirection direction) {
    DisplayColumn* from = direction == CopyDirection::IntoTarget   ? this
                          : direction == CopyDirection::FromTarget ? &target
                                                                   : nullptr;
    if (!from || &target == this) return;
    DisplayColumn* to = direction == CopyDirection::IntoTarget ? &target : this;
    to->SetTag(from->tag_);
    to->SetHeading(from->heading_);
}

DisplayColumn* DisplayColumns::Add(QBXMLTagRef tag, std::string_view heading) {
    if (!tag) return nullptr;
    if (DisplayColumn* existing = items_.Item(tag->TagName())) return existing;
    auto column = std::make_unique<DisplayColumn>();
    const std::string key = tag->TagName();
    column->Index = items_.Counter() + 1;
    column->SetTag(std::move(tag));
    column->SetHeading(heading);
    return items_.Add(std::move(column), key);
}

void DisplayColumns::Copy(DisplayColumns& target, CopyDirection direction) {
    if (&target == this) return;
    DisplayColumns* from = direction == CopyDirection::IntoTarget   ? this
                           : direction == CopyDirection::FromTarget ? &target
                                                                    : nullptr;
    if (!from) return;
    DisplayColumns* to = direction == CopyDirection::IntoTarget ? &target : this;
    to->Clear();
    for (const DisplayColumn& column : from->items_) to->Add(column.Tag(), column.Heading());
}

}  // namespace quarrion
