#include "model/inc_items.h"

#include <memory>

namespace quarrion {

IncItem* IncItems::Add(std::string_view name, long requestType) {
    if (IncItem* existing = items_.Item(name)) return existing;
    auto item = std::make_unique<IncItem>();
    item->Name = name;
    item->SetRequestType(requestType);
    item->Index = items_.Counter() + 1;
    return items_.Add(std::move(item), name);
}

IncItem* IncItems::ItemByRequestType(long requestType) const {
    for (IncItem& item : items_) {
        if (item.RequestType() == requestType) return &item;
    }
    return nullptr;
}

bool IncItems::AllDone() const {
    for (const IncItem& item : items_) {
        if (!item.Done) return false;
    }
    return true;
}

void IncItems::Copy(IncItems& target, CopyDirection direction) {
    if (&target == this) return;
    IncItems* from = direction == CopyDirection::IntoTarget   ? this
                     : direction == CopyDirection::FromTarget ? &target
                                                              : nullptr;
    if (!from) return;
    IncItems* to = direction == CopyDirection::IntoTarget ? &target : this;
    to->Clear();
    for (IncItem& item : from->items_) {
        IncItem* added = to->Add(item.Name, item.RequestType());
        item.Copy(*added, CopyDirection::IntoTarget);
    }
}

}  // namespace quarrion
