#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "catalog/qbxml_tag.h"
#include "model/criterion.h"
#include "model/field_path.h"
#include "model/rule_values.h"

namespace quarrion {

// A rule on one named field of one request type, such as "the customer name of an
// invoice starts with ACME". It finds its field inside the record it is given (by the
// field's catalog path) and compares what it finds by the field's own data type.
//
// `Compare` records its answer in `Result`, so a rule is not shared between threads.
class FieldCriterion : public RuleValues {
  public:
    FieldCriterion() = default;

    // Position in the owning `FieldCriteria`; -1 when new.
    long Index = -1;
    // How the editor joined this row to the one before it; "OR" starts a new group.
    std::string AndOr;
    // The comparison operation (an operations-table code); 0 when new.
    long Operand = 0;

    // The catalog entry of the field; empty when new.
    const QBXMLTagRef& Field() const { return field_; }
    // Takes the entry and compiles its path for `Compare`.
    void SetField(QBXMLTagRef field);

    // 1 after creation and reset, else the answer of the last `Compare` (0 or -1).
    long Result() const { return result_; }
    void ResetResult() { result_ = RuleResult::NotApplicable; }

    // Judges the record element `record`: every node the field's path selects, in
    // document order, is read as text; blank values are skipped; the rule holds as
    // soon as one value satisfies it and fails when none does (also when all are
    // blank). When the path selects nothing the field counts as blank: only "is
    // blank" on a text field holds then. So a missing element is blank while a
    // present but empty one matches no rule.
    //
    // By the field's data type: text compares ignoring case for contains and in list
    // but exactly for starts with, ends with and whole word; numbers read the value's
    // leading number; booleans hold for "is true" / "is false"; other types fail.
    long Compare(pugi::xml_node record);

    // False without a field. "is true", "is false" and "is blank" need nothing
    // entered; the others read the holder of their operation ("in list" the text list
    // for a text field, the number list otherwise).
    bool ContainsData() const;
    // Empties the five value holders.
    void Clear() { ClearValues(); }

    // IntoTarget copies this into `target`, FromTarget the target into this: `AndOr`,
    // `Operand`, the field (the same catalog entry, shared) and the five holders;
    // not `Index` or `Result`. Other values do nothing.
    void Copy(FieldCriterion& target, CopyDirection direction);

  private:
    bool ValueHolds(std::string_view text);

    QBXMLTagRef field_;
    FieldPath path_;
    std::string scratch_;  // reused for values assembled from several text nodes
    long result_ = RuleResult::NotApplicable;
};

}  // namespace quarrion
