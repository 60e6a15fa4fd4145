#pragma once

#include <cstddef>
#include <string_view>

#include <pugixml.hpp>

#include "foundation/keyed_collection.h"
#include "model/field_criterion.h"

namespace quarrion {

// The field rules of one AND group, keyed by the field's path (upper-cased), so a
// group holds at most one rule per field.
class FieldCriteria {
  public:
    FieldCriteria() = default;
    FieldCriteria(const FieldCriteria&) = delete;
    FieldCriteria& operator=(const FieldCriteria&) = delete;

    // The rule for `field`. When the group has one for that path already, only its
    // operation changes to `operation` and it comes back; otherwise a new rule is
    // appended with `Index` = the running counter after the add. An empty field
    // gives nullptr and adds nothing.
    FieldCriterion* Add(QBXMLTagRef field, long operation);
    // The same with a snapshot of a catalog entry.
    FieldCriterion* Add(const QBXMLTag& field, long operation) {
        return Add(ShareTag(field), operation);
    }

    // 1-based position, or the field's path in any letter case; nullptr when missing.
    FieldCriterion* Item(std::size_t position) const { return items_.Item(position); }
    FieldCriterion* Item(std::string_view tagName) const { return items_.Item(tagName); }
    std::size_t Count() const { return items_.Count(); }
    void Remove(std::size_t position) { items_.Remove(position); }
    void Remove(std::string_view tagName) { items_.Remove(tagName); }
    void Clear() { items_.Clear(); }

    // The AND of the group on one record: the first rule that fails ends the walk
    // with Fails; Holds when at least one rule held and none failed; an empty group
    // fails.
    long Compare(pugi::xml_node record);

    bool ContainsData() const;
    void ResetResults();

    // Direction 0 replaces `target`'s rules with copies of these (adding by field and
    // operation), 1 the reverse. Other directions do nothing.
    void Copy(FieldCriteria& target, int direction);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    KeyedCollection<FieldCriterion> items_;
};

}  // namespace quarrion
