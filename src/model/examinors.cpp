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

bool Examinors::ContainsData() const {
    for (const Examinor& examinor : items_) {
        if (examinor.ContainsData()) return true;
    }
    return false;
}

bool Examinors::ReferencesDataType(std::string_view dataTypeName) const {
    for (const Examinor& examinor : items_) {
        if (examinor.ReferencesDataType(dataTypeName)) return true;
    }
    return false;
}

void Examinors::ResetResults() {
    for (Examinor& examinor : items_) examinor.ResetResults();
}

void Examinors::Copy(Examinors& target, int direction) {
    if (&target == this) return;
    if (direction == 0) {
        target.Clear();
        for (Examinor& examinor : items_) examinor.Copy(*target.Add(), 0);
    } else if (direction == 1) {
        Clear();
        for (Examinor& examinor : target.items_) Add()->Copy(examinor, 1);
    }
}

void BuildExaminors(std::span<Criterion* const> rows, Examinors& examinors) {
    examinors.Clear();
    Examinor* group = nullptr;
    for (Criterion* row : rows) {
        if (!row || !row->ContainsData()) continue;
        if (!group || row->AndOr == "OR") group = examinors.Add();
        Criterion* added = group->Criteria.Add(row->Operand, row->DataType());
        row->Copy(*added, 0);
    }
}

}  // namespace quarrion
