#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/criterion.h"
#include "model/rule_collection.h"

namespace quarrion {

// The criteria of one AND group, in the order the editor listed them. Unkeyed: only
// positions find an entry.
class Criteria : public RuleCollection<Criteria, Criterion> {
  public:
    // Appends a new criterion with the operation and data-type choice; its `Index` is
    // the running counter after the add.
    Criterion* Add(long operation, long choice);

    // The AND of the group for one element value: the first criterion that fails ends
    // the walk with Fails (later ones keep their earlier `Result`); Holds when at
    // least one criterion held; Fails when none applied to this data type. (A group
    // never answers NotApplicable.)
    long Compare(std::string_view text, std::string_view dataTypeName);
    long CompareCode(std::string_view text, std::int32_t dataTypeCode);

    bool ReferencesDataType(std::string_view dataTypeName) const;

  private:
    friend class RuleCollection<Criteria, Criterion>;
    Criterion* AddLike(const Criterion& c) { return Add(c.Operand, c.DataType()); }
};

}  // namespace quarrion
