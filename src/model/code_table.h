#pragma once

#include <memory>
#include <string>

#include "foundation/keyed_collection.h"

namespace quarrion {

// A fixed vocabulary of codes with display texts, keyed by the upper-cased text.
// `Record` provides `Index`, `Code()` and `Text`; `TextOf(code)` names a code.
template <typename Record, std::string (*TextOf)(std::int32_t)>
class CodeTable {
  public:
    // The entry for `code`; an existing entry with the same text is returned as is.
    Record* Add(std::int32_t code) {
        std::string text = TextOf(code);
        if (Record* existing = entries_.Item(text)) return existing;
        auto record = std::make_unique<Record>();
        record->SetCode(code, text);
        record->Index = entries_.Counter() + 1;
        return entries_.Add(std::move(record), text);
    }
    Record* Item(std::size_t position) const { return entries_.Item(position); }
    Record* Item(std::string_view text) const { return entries_.Item(text); }
    // The entry holding `code`, or nullptr.
    Record* ByCode(std::int32_t code) const {
        for (auto& record : entries_) {
            if (record.Code() == code) return &record;
        }
        return nullptr;
    }
    std::size_t Count() const { return entries_.Count(); }
    // By 1-based position or by text; a missing position or text does nothing.
    void Remove(std::size_t position) { entries_.Remove(position); }
    void Remove(std::string_view text) { entries_.Remove(text); }
    void Clear() { entries_.Clear(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

  private:
    KeyedCollection<Record> entries_;
};

}  // namespace quarrion
