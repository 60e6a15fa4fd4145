#include "model/examinor.h"

namespace quarrion {

void Examinor::SetCompareFlag(long flag) {
    compareFlag_ = flag;
    if (flag == ExaminorFlag::Evaluate) ResetResults();
}

long Examinor::Compare(std::string_view text, std::string_view dataTypeName) {
    if (compareFlag_ == ExaminorFlag::Satisfied) return RuleResult::Holds;
    return Criteria.Compare(text, dataTypeName);
}

long Examinor::CompareCode(std::string_view text, std::int32_t dataTypeCode) {
    if (compareFlag_ == ExaminorFlag::Satisfied) return RuleResult::Holds;
    return Criteria.CompareCode(text, dataTypeCode);
}

}  // namespace quarrion
