#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundation/keyed_collection.h"
#include "model/criterion.h"

namespace quarrion {

// The criteria of one AND group, in the order the editor listed them. Unkeyed: only
// positions find an entry.
class Criteria {
  public:
    Criteria() = default;
    Criteria(const Criteria&) = delete;
    Criteria& operator=(const Criteria&) = delete;

    // Appends a new criterion with the operation and data-type choice; its `Index` is
    // the running counter after the add.
    Criterion* Add(long operation, long choice);
    Criterion* Item(std::size_t position) const { return items_.Item(position); }
    std::size_t Count() const { return items_.Count(); }
    void Remove(std::size_t position) { items_.Remove(position); }
    // Empties the group and winds the counter back to 0.
    void Clear() { items_.Clear(); }

    // The AND of the group for one element value: the first criterion that fails ends
    // the walk with Fails (later ones keep their earlier `Result`); Holds when at
    // least one criterion held; Fails when none applied to this data type. (A group
    // never answers NotApplicable.)
    long Compare(std::string_view text, std::string_view dataTypeName);
    long CompareCode(std::string_view text, std::int32_t dataTypeCode);

    bool ContainsData() const;
    bool ReferencesDataType(std::string_view dataTypeName) const;
    void ResetResults();

    // Direction 0 replaces `target`'s criteria with copies of these, 1 replaces these
    // with copies of `target`'s. Other directions do nothing.
    void Copy(Criteria& target, int direction);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    KeyedCollection<Criterion> items_;
};

}  // namespace quarrion
