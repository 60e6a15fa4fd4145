#include "model/field_criteria.h"

#include <memory>

namespace quarrion {

FieldCriterion* FieldCriteria::Add(QBXMLTagRef field, long operation) {
    if (!field) return nullptr;
    if (FieldCriterion* existing = items_.Item(field->TagName())) {
        existing->Operand = operation;
        return existing;
    }
    auto rule = std::make_unique<FieldCriterion>();
    const std::string key = field->TagName();
    rule->SetField(std::move(field));
    rule->Operand = operation;
    rule->Index = items_.Counter() + 1;
    return items_.Add(std::move(rule), key);
}

long FieldCriteria::Compare(pugi::xml_node record) {
    bool held = false;
    for (FieldCriterion& rule : items_) {
        long answer = rule.Compare(record);
        if (answer == RuleResult::Fails) return RuleResult::Fails;
        if (answer == RuleResult::Holds) held = true;
    }
    return held ? RuleResult::Holds : RuleResult::Fails;
}

bool FieldCriteria::ContainsData() const {
    for (const FieldCriterion& rule : items_) {
        if (rule.ContainsData()) return true;
    }
    return false;
}

void FieldCriteria::ResetResults() {
    for (FieldCriterion& rule : items_) rule.ResetResult();
}

void FieldCriteria::Copy(FieldCriteria& target, int direction) {
    if (&target == this) return;
    if (direction == 0) {
        target.Clear();
        for (FieldCriterion& rule : items_) {
            if (FieldCriterion* added = target.Add(rule.Field(), rule.Operand))
                rule.Copy(*added, 0);
        }
    } else if (direction == 1) {
        Clear();
        for (FieldCriterion& rule : target.items_) {
            if (FieldCriterion* added = Add(rule.Field(), rule.Operand)) added->Copy(rule, 1);
        }
    }
}

}  // namespace quarrion
