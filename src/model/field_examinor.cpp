#include "model/field_examinor.h"

namespace quarrion {

void FieldExaminor::SetCompareFlag(long flag) {
    compareFlag_ = flag;
    if (flag == ExaminorFlag::Evaluate) ResetResults();
}

long FieldExaminor::Compare(pugi::xml_node record) {
    if (compareFlag_ == ExaminorFlag::Satisfied) return RuleResult::Holds;
    return FieldCriteria.Compare(record);
}

}  // namespace quarrion
