#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/code_tables.h"
#include "model/rule_values.h"

namespace quarrion {

// Answers of every rule's `Compare`. Callers test for Holds.
namespace RuleResult {
inline constexpr long NotApplicable = 1;  // the rule does not look at this kind of element
inline constexpr long Fails = 0;
inline constexpr long Holds = -1;
}  // namespace RuleResult

// One word-search rule, such as "an amount greater than 500" or "a text that starts
// with INV". It is tried on element values of a record together with the element's
// qbXML data-type name, and applies only to the data types its choice covers.
//
// `Compare` records its answer in `Result`, so a criterion is not shared between
// threads; every examination works on a copy of its own.
class Criterion : public RuleValues {
  public:
    Criterion() = default;

    // Position in the owning `Criteria`; -1 when new.
    long Index = -1;
    // How the editor joined this row to the one before it; "OR" starts a new group.
    std::string AndOr;
    // The comparison operation (an operations-table code); 0 when new.
    long Operand = 0;

    // The data-type choice (text-choice code); 0 when new.
    long DataType() const { return dataType_; }
    // Stores the choice and rebuilds `DataTypes`: 64 covers 65, 74, 75 and 76; 65,
    // 74, 75 and 76 cover themselves; 128 covers 141; anything else covers nothing,
    // so the criterion then applies to no element.
    void SetDataType(long choice);
    // The qbXML data types the criterion applies to, keyed by their catalog names.
    const RefDataTypes& DataTypes() const { return dataTypes_; }

    // 1 after creation and reset, else the answer of the last `Compare`.
    long Result() const { return result_; }
    void ResetResult() { result_ = RuleResult::NotApplicable; }

    // Judges one element value. `dataTypeName` is the element's data type as the
    // catalog names it (any letter case). Answers NotApplicable when the criterion
    // does not cover that type, else Holds or Fails. Number types read the text by
    // its leading number; the text type compares ignoring letter case; other types
    // (boolean included) fail. Allocation-free for ASCII texts.
    long Compare(std::string_view text, std::string_view dataTypeName);
    // The same with the data type given by its code, which saves the name look-up
    // when the caller resolved it once (a search column's tag).
    long CompareCode(std::string_view text, std::int32_t dataTypeCode);

    // Whether the holder the operation reads has a value entered; "is blank" needs
    // none; an unknown operation never has data.
    bool ContainsData() const;
    // True when `DataTypes` holds the name (any letter case).
    bool ReferencesDataType(std::string_view dataTypeName) const;
    // Empties the five value holders; the operation and choice stay.
    void Clear() { ClearValues(); }

    // IntoTarget copies this into `target`, FromTarget copies `target` into this: `AndOr`,
    // `Operand`, the choice (rebuilding `DataTypes`) and the five holders. `Index` and
    // `Result` stay. Other values do nothing.
    void Copy(Criterion& target, CopyDirection direction);

  private:
    long Judge(std::string_view text, std::int32_t dataTypeCode);

    long dataType_ = 0;
    RefDataTypes dataTypes_;
    long result_ = RuleResult::NotApplicable;
};

}  // namespace quarrion
