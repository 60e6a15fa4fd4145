#pragma once

#include <cstddef>

#include "foundation/codes.h"
#include "foundation/keyed_collection.h"

namespace quarrion {

// What the four rule collections (`Criteria`, `Examinors`, `FieldCriteria`,
// `FieldExaminors`) share: a 1-based list of rules or groups with a running counter,
// the questions asked of every member, and the deep `Copy`. `Derived` adds its own
// `Add` and `Compare`, and `AddLike(member)`, which appends an empty member shaped
// like the given one (same operation, choice or field), or gives nullptr to skip it.
template <class Derived, class Member>
class RuleCollection {
  public:
    RuleCollection() = default;
    RuleCollection(const RuleCollection&) = delete;
    RuleCollection& operator=(const RuleCollection&) = delete;

    Member* Item(std::size_t position) const { return items_.Item(position); }
    std::size_t Count() const { return items_.Count(); }
    void Remove(std::size_t position) { items_.Remove(position); }
    // Empties the collection and winds the counter back to 0.
    void Clear() { items_.Clear(); }

    // Whether any member has something entered.
    bool ContainsData() const {
        for (const Member& member : items_) {
            if (member.ContainsData()) return true;
        }
        return false;
    }

    // Every member forgets the answer of its last comparison.
    void ResetResults() {
        for (Member& member : items_) {
            if constexpr (requires { member.ResetResult(); }) {
                member.ResetResult();
            } else {
                member.ResetResults();
            }
        }
    }

    // IntoTarget replaces `target`'s members with copies of these, in order; FromTarget
    // replaces these with copies of `target`'s. Other values do nothing.
    void Copy(Derived& target, CopyDirection direction) {
        Derived& self = static_cast<Derived&>(*this);
        if (&target == &self) return;
        if (direction == CopyDirection::IntoTarget) {
            target.Clear();
            for (Member& member : items_) {
                if (Member* added = target.AddLike(member)) {
                    member.Copy(*added, CopyDirection::IntoTarget);
                }
            }
        } else if (direction == CopyDirection::FromTarget) {
            Clear();
            for (Member& member : target.items_) {
                if (Member* added = self.AddLike(member)) {
                    added->Copy(member, CopyDirection::FromTarget);
                }
            }
        }
    }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  protected:
    KeyedCollection<Member> items_;
};

}  // namespace quarrion
