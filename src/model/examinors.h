#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "foundation/keyed_collection.h"
#include "model/examinor.h"

namespace quarrion {

// The word-search rules of a search: groups of which one must hold (OR), each an AND
// of criteria. Owned by the search definition; unkeyed.
class Examinors {
  public:
    Examinors() = default;
    Examinors(const Examinors&) = delete;
    Examinors& operator=(const Examinors&) = delete;

    // Appends a new, empty group; its `Index` is the running counter after the add.
    Examinor* Add();
    Examinor* Item(std::size_t position) const { return items_.Item(position); }
    std::size_t Count() const { return items_.Count(); }
    void Remove(std::size_t position) { items_.Remove(position); }
    void Clear() { items_.Clear(); }

    // The OR of the groups for one element value: Holds at the first group that
    // holds; otherwise NotApplicable, never Fails (and NotApplicable also when there
    // is no group). Callers test for Holds.
    long Compare(std::string_view text, std::string_view dataTypeName);
    long CompareCode(std::string_view text, std::int32_t dataTypeCode);

    bool ContainsData() const;
    bool ReferencesDataType(std::string_view dataTypeName) const;
    void ResetResults();

    // Direction 0 replaces `target`'s groups with copies of these, 1 the reverse.
    void Copy(Examinors& target, int direction);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    KeyedCollection<Examinor> items_;
};

// Turns the criteria editor's rows (in screen order) into the groups of `examinors`,
// replacing what it held. Rows without data are skipped and their `AndOr` has no
// effect. The first row with data, and every later row with data whose `AndOr` is
// exactly "OR", starts a new group; each row with data is copied into a new criterion
// of the last group. The rows are left as they are.
void BuildExaminors(std::span<Criterion* const> rows, Examinors& examinors);

}  // namespace quarrion
