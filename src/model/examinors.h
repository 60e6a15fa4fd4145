#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/examinor.h"
#include "model/rule_collection.h"

namespace quarrion {

// The word-search rules of a search: groups of which one must hold (OR), each an AND
// of criteria. Owned by the search definition; unkeyed.
class Examinors : public RuleCollection<Examinors, Examinor> {
  public:
    // Appends a new, empty group; its `Index` is the running counter after the add.
    Examinor* Add();

    // The OR of the groups for one element value: Holds at the first group that
    // holds; otherwise NotApplicable, never Fails (and NotApplicable also when there
    // is no group). Callers test for Holds.
    long Compare(std::string_view text, std::string_view dataTypeName);
    long CompareCode(std::string_view text, std::int32_t dataTypeCode);

    bool ReferencesDataType(std::string_view dataTypeName) const;

  private:
    friend class RuleCollection<Examinors, Examinor>;
    Examinor* AddLike(const Examinor&) { return Add(); }
};

// Turns the criteria editor's rows (in screen order) into the groups of `examinors`,
// replacing what it held. Rows without data are skipped and their `AndOr` has no
// effect. The first row with data, and every later row with data whose `AndOr` is
// exactly "OR", starts a new group; each row with data is copied into a new criterion
// of the last group. The rows are left as they are.
void BuildExaminors(std::span<Criterion* const> rows, Examinors& examinors);

}  // namespace quarrion
