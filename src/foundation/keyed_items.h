#pragma once

#include <cstddef>
#include <string_view>

#include "foundation/keyed_collection.h"

namespace quarrion {

// What a plural class of the model exposes of its keyed collection, with the
// collection's contract (1-based positions, keys in any letter case, nullptr for a
// missing one): look-up, count, removal, emptying and iteration. The plural class
// derives from it and adds its own `Add`, which knows how to set up a new entry.
template <typename T>
class KeyedItems {
  public:
    T* Item(std::size_t position) const { return items_.Item(position); }
    T* Item(std::string_view key) const { return items_.Item(key); }
    std::size_t Count() const { return items_.Count(); }
    void Remove(std::size_t position) { items_.Remove(position); }
    void Remove(std::string_view key) { items_.Remove(key); }
    void Clear() { items_.Clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  protected:
    KeyedItems() = default;

    KeyedCollection<T> items_;
};

}  // namespace quarrion
