#pragma once

#include <cstddef>
#include <span>

#include <pugixml.hpp>

#include "foundation/keyed_collection.h"
#include "model/field_examinor.h"

namespace quarrion {

// The field rules of one included request type: groups of which one must hold (OR),
// each an AND of field rules. When they contain data they alone decide the type's
// records. Unkeyed.
class FieldExaminors {
  public:
    FieldExaminors() = default;
    FieldExaminors(const FieldExaminors&) = delete;
    FieldExaminors& operator=(const FieldExaminors&) = delete;

    // Appends a new, empty group; its `Index` is the running counter after the add.
    FieldExaminor* Add();
    FieldExaminor* Item(std::size_t position) const { return items_.Item(position); }
    std::size_t Count() const { return items_.Count(); }
    void Remove(std::size_t position) { items_.Remove(position); }
    void Clear() { items_.Clear(); }

    // The OR of the groups on one record element: Holds at the first group that
    // holds, otherwise NotApplicable (never Fails). Callers test for Holds.
    long Compare(pugi::xml_node record);

    bool ContainsData() const;
    void ResetResults();

    // Direction 0 replaces `target`'s groups with copies of these, 1 the reverse.
    void Copy(FieldExaminors& target, int direction);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    KeyedCollection<FieldExaminor> items_;
};

// Turns the field-rule editor's rows (in screen order) into the groups of
// `examinors`, replacing what it held: the first row with data, and every later row
// with data whose `AndOr` is exactly "OR", starts a new group; each row with data is
// added to the last group by its field and operation and copied into what the add
// returns (so a later row on the same field of a group replaces an earlier one).
// Rows without data are skipped. The rows are left as they are.
void BuildFieldExaminors(std::span<FieldCriterion* const> rows, FieldExaminors& examinors);

}  // namespace quarrion
