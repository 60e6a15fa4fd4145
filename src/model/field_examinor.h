#pragma once

#include <pugixml.hpp>

#include "foundation/codes.h"
#include "model/examinor.h"
#include "model/field_criteria.h"

namespace quarrion {

// One AND group of field rules.
class FieldExaminor {
  public:
    FieldExaminor() = default;
    FieldExaminor(const FieldExaminor&) = delete;
    FieldExaminor& operator=(const FieldExaminor&) = delete;

    // Position in the owning `FieldExaminors`; -1 when new.
    long Index = -1;
    quarrion::FieldCriteria FieldCriteria;

    // 1 (evaluate) when new; 2 marks the group as already holding.
    long CompareFlag() const { return compareFlag_; }
    // Stores the flag; going back to 1 also resets every rule's result.
    void SetCompareFlag(long flag);

    // Holds without looking when the group is marked as holding, else the AND of its
    // rules on the record.
    long Compare(pugi::xml_node record);

    bool ContainsData() const { return FieldCriteria.ContainsData(); }
    void ResetResults() { FieldCriteria.ResetResults(); }
    // Copies the rules with the direction rule of `FieldCriteria::Copy`.
    void Copy(FieldExaminor& target, CopyDirection direction) {
        FieldCriteria.Copy(target.FieldCriteria, direction);
    }

  private:
    long compareFlag_ = ExaminorFlag::Evaluate;
};

}  // namespace quarrion
