#pragma once

#include <string_view>

#include "model/compare_data.h"

namespace quarrion {

// A closed range of two entered bounds. The bounds live as long as the range.
class CompareRange {
  public:
    CompareRange();

    long Index = -1;

    CompareData& A() { return a_; }
    CompareData& B() { return b_; }
    const CompareData& A() const { return a_; }
    const CompareData& B() const { return b_; }

    long TypeOfData() const { return a_.TypeOfData(); }
    void SetTypeOfData(long typeOfData);

    void Clear();
    bool ContainsData() const { return a_.ContainsData() || b_.ContainsData(); }

    // Both ends inclusive. When A is above B the bounds are exchanged for good, so
    // afterwards A holds the lower one. An empty number bound reads as 0. Texts
    // compare by byte order, letter case counting.
    bool IsBetween(double value);
    bool IsBetween(std::string_view text);

    // Copies A to target's A and B to target's B by the `CompareData::Copy` rule.
    void Copy(CompareRange& target, CopyDirection direction);

  private:
    void OrderBounds();

    CompareData a_;
    CompareData b_;
};

}  // namespace quarrion
