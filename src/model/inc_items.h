#pragma once

#include <cstddef>
#include <string_view>

#include "foundation/codes.h"
#include "foundation/keyed_items.h"
#include "model/inc_item.h"

namespace quarrion {

// The request types included in a search, keyed by name (upper-cased), in the order
// their results tabs appear.
class IncItems : public KeyedItems<IncItem> {
  public:
    IncItems() = default;
    IncItems(const IncItems&) = delete;
    IncItems& operator=(const IncItems&) = delete;

    // The item for `name`: the existing one unchanged (whatever `requestType` says),
    // or a new one with that name and request type and `Index` = the running counter
    // after the add.
    IncItem* Add(std::string_view name, long requestType);

    // The first item, in order, of that request type; nullptr when there is none.
    IncItem* ItemByRequestType(long requestType) const;

    // True when every item is done; true for no items at all.
    bool AllDone() const;

    // IntoTarget replaces `target`'s items with copies of these, FromTarget the reverse.
    void Copy(IncItems& target, CopyDirection direction);
};

}  // namespace quarrion
