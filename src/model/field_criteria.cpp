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

}  // namespace quarrion
