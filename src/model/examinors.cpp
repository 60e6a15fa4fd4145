#include "model/examinors.h"

#include <memory>

namespace quarrion {

Examinor* Examinors::Add() {
    auto examinor = std::make_unique<Examinor>();
    examinor->Index = items_.Counter() + 1;
    return items_.Add(std::move(examinor));
}

long Examinors::Compare(std::string_view text, std::string_view dataTypeName) {
    for (Examinor& examinor : items_) {
        if (examinor.Compare(text, dataTypeName) == RuleResult::Holds) return RuleResult::Holds;
    }
    return RuleResult::NotApplicable;
}

long Examinors::CompareCode(std::string_view text, std::int32_t dataTypeCode) {
    for (Examinor& examinor : items_) {
        if (examinor.CompareCode(text, dataTypeCode) == RuleResult::Holds) {
            return RuleResult::Holds;
        }
    }
    return RuleResult::NotApplicable;
}

bool Examinors::ReferencesDataType(std::string_view dataTypeName) const {
    for (const Examinor& examinor : items_) {
        if (examinor.ReferencesDataType(dataTypeName)) return true;
    }
    return false;
}

void BuildExaminors(std::span<Criterion* const> rows, Examinors& examinors) {
    examinors.Clear();
    Examinor* group = nullptr;
    for (Criterion* row : rows) {
        if (!row || !row->ContainsData()) continue;
        if (!group || row->AndOr == "OR") group = examinors.Add();
        Criterion* added = group->Criteria.Add(row->Operand, row->DataType());
        row->Copy(*added, CopyDirection::IntoTarget);
    }
}

}  // namespace quarrion
