#pragma once

#include <cstddef>
#include <string_view>

#include <pugixml.hpp>

#include "model/field_criterion.h"
#include "model/rule_collection.h"

namespace quarrion {

// The field rules of one AND group, keyed by the field's path (upper-cased), so a
// group holds at most one rule per field.
class FieldCriteria : public RuleCollection<FieldCriteria, FieldCriterion> {
  public:
    using RuleCollection::Item;
    using RuleCollection::Remove;

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
    FieldCriterion* Item(std::string_view tagName) const { return items_.Item(tagName); }
    void Remove(std::string_view tagName) { items_.Remove(tagName); }

    // The AND of the group on one record: the first rule that fails ends the walk
    // with Fails; Holds when at least one rule held and none failed; an empty group
    // fails.
    long Compare(pugi::xml_node record);

  private:
    friend class RuleCollection<FieldCriteria, FieldCriterion>;
    FieldCriterion* AddLike(const FieldCriterion& r) { return Add(r.Field(), r.Operand); }
};

}  // namespace quarrion
