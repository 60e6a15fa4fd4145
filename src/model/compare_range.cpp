#include "model/compare_range.h"

#include <utility>

#include "foundation/leading_number.h"

namespace quarrion {

CompareRange::CompareRange() {
    SetTypeOfData(Kind::Number);
}

void CompareRange::SetTypeOfData(long typeOfData) {
    a_.SetTypeOfData(typeOfData);
    b_.SetTypeOfData(typeOfData);
}

void CompareRange::Clear() {
    a_.Clear();
    b_.Clear();
}

void CompareRange::OrderBounds() {
    bool above = TypeOfData() == Kind::Number ? a_.ValueNumber() > b_.ValueNumber()
                                              : a_.ValueText() > b_.ValueText();
    if (above) std::swap(a_, b_);
}

bool CompareRange::IsBetween(double value) {
    OrderBounds();
    if (TypeOfData() == Kind::Number) return a_.ValueNumber() <= value && value <= b_.ValueNumber();
    std::string text = NumberText(value);
    return a_.ValueText() <= text && text <= b_.ValueText();
}

bool CompareRange::IsBetween(std::string_view text) {
    OrderBounds();
    if (TypeOfData() == Kind::Number) {
        return IsBetween(LeadingNumber(text));
    }
    return a_.ValueText() <= text && text <= b_.ValueText();
}

void CompareRange::Copy(CompareRange& target, CopyDirection direction) {
    a_.Copy(target.a_, direction);
    b_.Copy(target.b_, direction);
}

}  // namespace quarrion
