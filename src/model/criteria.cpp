#include "model/criteria.h"

#include <memory>

namespace quarrion {

namespace {

// The AND walk shared by both look-ups of the data type.
template <typename Judge>
long AndOf(const KeyedCollection<Criterion>& items, Judge judge) {
    bool held = false;
    for (Criterion& criterion : items) {
        long answer = judge(criterion);
        if (answer == RuleResult::Fails) return RuleResult::Fails;
        if (answer == RuleResult::Holds) held = true;
    }
    return held ? RuleResult::Holds : RuleResult::Fails;
}

}  // namespace

Criterion* Criteria::Add(long operation, long choice) {
    auto criterion = std::make_unique<Criterion>();
    criterion->Operand = operation;
    criterion->SetDataType(choice);
    criterion->Index = items_.Counter() + 1;
    return items_.Add(std::move(criterion));
}

long Criteria::Compare(std::string_view text, std::string_view dataTypeName) {
    return AndOf(items_, [&](Criterion& c) { return c.Compare(text, dataTypeName); });
}

long Criteria::CompareCode(std::string_view text, std::int32_t dataTypeCode) {
    return AndOf(items_, [&](Criterion& c) { return c.CompareCode(text, dataTypeCode); });
}

bool Criteria::ReferencesDataType(std::string_view dataTypeName) const {
    for (const Criterion& criterion : items_) {
        if (criterion.ReferencesDataType(dataTypeName)) return true;
    }
    return false;
}

}  // namespace quarrion
