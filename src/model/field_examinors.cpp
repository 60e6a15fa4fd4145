#include "model/field_examinors.h"

#include <memory>

namespace quarrion {

FieldExaminor* FieldExaminors::Add() {
    auto examinor = std::make_unique<FieldExaminor>();
    examinor->Index = items_.Counter() + 1;
    return items_.Add(std::move(examinor));
}

long FieldExaminors::Compare(pugi::xml_node record) {
    for (FieldExaminor& examinor : items_) {
        if (examinor.Compare(record) == RuleResult::Holds) return RuleResult::Holds;
    }
    return RuleResult::NotApplicable;
}

void BuildFieldExaminors(std::span<FieldCriterion* const> rows, FieldExaminors& examinors) {
    examinors.Clear();
    FieldExaminor* group = nullptr;
    for (FieldCriterion* row : rows) {
        if (!row || !row->ContainsData()) continue;
        if (!group || row->AndOr == "OR") group = examinors.Add();
        if (FieldCriterion* added = group->FieldCriteria.Add(row->Field(), row->Operand)) {
            row->Copy(*added, CopyDirection::IntoTarget);
        }
    }
}

}  // namespace quarrion
