#pragma once

#include <cstdint>
#include <string_view>

#include "foundation/codes.h"
#include "model/criteria.h"

namespace quarrion {

// Values of `CompareFlag`.
namespace ExaminorFlag {
inline constexpr long Evaluate = 1;   // the group is evaluated (the value when new)
inline constexpr long Satisfied = 2;  // the group counts as already holding
}  // namespace ExaminorFlag

// One AND group of word-search criteria.
class Examinor {
  public:
    Examinor() = default;
    Examinor(const Examinor&) = delete;
    Examinor& operator=(const Examinor&) = delete;

    // Position in the owning `Examinors`; -1 when new.
    long Index = -1;
    quarrion::Criteria Criteria;

    long CompareFlag() const { return compareFlag_; }
    // Stores the flag; going back to Evaluate also resets every criterion's result.
    void SetCompareFlag(long flag);

    // Holds without looking when the group is marked Satisfied, else the AND of its
    // criteria (Holds or Fails).
    long Compare(std::string_view text, std::string_view dataTypeName);
    long CompareCode(std::string_view text, std::int32_t dataTypeCode);

    bool ContainsData() const { return Criteria.ContainsData(); }
    bool ReferencesDataType(std::string_view name) const {
        return Criteria.ReferencesDataType(name);
    }
    void ResetResults() { Criteria.ResetResults(); }

    // Copies the criteria with the same direction rule as `Criteria::Copy`; the flag
    // and `Index` stay.
    void Copy(Examinor& target, CopyDirection direction) {
        Criteria.Copy(target.Criteria, direction);
    }

  private:
    long compareFlag_ = ExaminorFlag::Evaluate;
};

}  // namespace quarrion
