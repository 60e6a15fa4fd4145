#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundation/text_fold.h"

namespace quarrion {

// The ordered, keyed collection every plural class of the model is built on.
//
// Contract, shared by all collections of the program:
// - Entries keep insertion order; `Item(position)` is 1-based.
// - String keys are upper-cased before they are stored or looked up, so look-ups
//   ignore case. An entry may also be added without a key (position only).
// - `Add` of a key that already exists returns the existing entry unchanged.
// - A missing key or position yields nullptr; that is not an error.
// - A running counter grows by one on every new entry and returns to 0 on `Clear`;
//   callers hand it to the entry as its `Index`.
// The collection owns its entries; pointers it returns stay valid until the entry
// is removed or the collection is cleared or destroyed.
template <typename T>
class KeyedCollection {
  public:
    KeyedCollection() = default;
    KeyedCollection(const KeyedCollection&) = delete;
    KeyedCollection& operator=(const KeyedCollection&) = delete;
    KeyedCollection(KeyedCollection&&) noexcept = default;
    KeyedCollection& operator=(KeyedCollection&&) noexcept = default;

    // Appends `entry` under `key` (empty: no key). Returns the stored entry, or the
    // existing one when the key is already taken (then `entry` is dropped and the
    // counter does not move).
    T* Add(std::unique_ptr<T> entry, std::string_view key = {}) {
        std::string upper = UpperKey(key);
        if (!upper.empty()) {
            if (auto found = byKey_.find(upper); found != byKey_.end()) {
                return entries_[found->second].value.get();
            }
        }
        ++counter_;
        T* stored = entry.get();
        if (!upper.empty()) byKey_.emplace(upper, entries_.size());
        entries_.push_back({std::move(upper), std::move(entry)});
        return stored;
    }

    // True when `key` is taken; lets callers build an entry only when it is new.
    bool Contains(std::string_view key) const { return byKey_.contains(UpperKey(key)); }

    T* Item(std::size_t position) const {
        if (position < 1 || position > entries_.size()) return nullptr;
        return entries_[position - 1].value.get();
    }
    T* Item(std::string_view key) const {
        auto found = byKey_.find(UpperKey(key));
        return found == byKey_.end() ? nullptr : entries_[found->second].value.get();
    }

    std::size_t Count() const { return entries_.size(); }
    // The running counter: the number of entries added since the last `Clear`.
    long Counter() const { return counter_; }

    // Removes and returns the entry; nothing when the position or key is missing.
    std::unique_ptr<T> Remove(std::size_t position) {
        if (position < 1 || position > entries_.size()) return nullptr;
        return Erase(position - 1);
    }
    std::unique_ptr<T> Remove(std::string_view key) {
        auto found = byKey_.find(UpperKey(key));
        if (found == byKey_.end()) return nullptr;
        return Erase(found->second);
    }

    void Clear() {
        entries_.clear();
        byKey_.clear();
        counter_ = 0;
    }

    struct Slot {
        std::string key;
        std::unique_ptr<T> value;
    };

    // Enumeration in insertion order yields references to the entries.
    class Iterator {
      public:
        using Inner = typename std::vector<Slot>::const_iterator;
        explicit Iterator(Inner it) : it_(it) {}
        T& operator*() const { return *it_->value; }
        T* operator->() const { return it_->value.get(); }
        Iterator& operator++() {
            ++it_;
            return *this;
        }
        bool operator==(const Iterator& other) const { return it_ == other.it_; }

      private:
        Inner it_;
    };
    Iterator begin() const { return Iterator(entries_.begin()); }
    Iterator end() const { return Iterator(entries_.end()); }

  private:
    static std::string UpperKey(std::string_view key) { return UpperCase(key); }

    std::unique_ptr<T> Erase(std::size_t at) {
        std::unique_ptr<T> removed = std::move(entries_[at].value);
        if (!entries_[at].key.empty()) byKey_.erase(entries_[at].key);
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
        for (auto& [key, position] : byKey_) {
            if (position > at) --position;
        }
        return removed;
    }

    std::vector<Slot> entries_;
    std::unordered_map<std::string, std::size_t> byKey_;
    long counter_ = 0;
};

}  // namespace quarrion
