#pragma once

#include <cstddef>
#include <span>

#include <pugixml.hpp>

#include "model/field_examinor.h"
#include "model/rule_collection.h"

namespace quarrion {

// The field rules of one included request type: groups of which one must hold (OR),
// each an AND of field rules. When they contain data they alone decide the type's
// records. Unkeyed.
class FieldExaminors : public RuleCollection<FieldExaminors, FieldExaminor> {
  public:
    // Appends a new, empty group; its `Index` is the running counter after the add.
    FieldExaminor* Add();

    // The OR of the groups on one record element: Holds at the first group that
    // holds, otherwise NotApplicable (never Fails). Callers test for Holds.
    long Compare(pugi::xml_node record);

  private:
    friend class RuleCollection<FieldExaminors, FieldExaminor>;
    FieldExaminor* AddLike(const FieldExaminor&) { return Add(); }
};

// Turns the field-rule editor's rows (in screen order) into the groups of
// `examinors`, replacing what it held: the first row with data, and every later row
// with data whose `AndOr` is exactly "OR", starts a new group; each row with data is
// added to the last group by its field and operation and copied into what the add
// returns (so a later row on the same field of a group replaces an earlier one).
// Rows without data are skipped. The rows are left as they are.
void BuildFieldExaminors(std::span<FieldCriterion* const> rows, FieldExaminors& examinors);

}  // namespace quarrion
