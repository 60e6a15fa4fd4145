#pragma once

#include <memory>
#include <string>

#include "foundation/keyed_items.h"

namespace quarrion {

// A fixed vocabulary of codes with display texts, keyed by the upper-cased text
// (look-up, removal and iteration as KeyedItems gives them).
// `Record` provides `Index`, `Code()` and `Text`; `TextOf(code)` names a code.
template <typename Record, std::string (*TextOf)(std::int32_t)>
class CodeTable : public KeyedItems<Record> {
  public:
    // The entry for `code`; an existing entry with the same text is returned as is.
    Record* Add(std::int32_t code) {
        std::string text = TextOf(code);
        if (Record* existing = this->items_.Item(text)) return existing;
        auto record = std::make_unique<Record>();
        record->SetCode(code, text);
        record->Index = this->items_.Counter() + 1;
        return this->items_.Add(std::move(record), text);
    }
    // The entry holding `code`, or nullptr.
    Record* ByCode(std::int32_t code) const {
        for (auto& record : this->items_) {
            if (record.Code() == code) return &record;
        }
        return nullptr;
    }
};

}  // namespace quarrion
