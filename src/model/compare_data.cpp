#include "model/compare_data.h"

#include <cmath>
#include <cstdio>

#include "foundation/leading_number.h"

namespace quarrion {

long Kind::Normalize(long typeOfData) {
    switch (typeOfData) {
        case Choice::AnyNumber:
        case Choice::Amount:
        case Choice::Percent:
        case Choice::Price:
        case Choice::Quantity:
            return Number;
        default:
            return Text;
    }
}

std::string NumberText(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return buffer;
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string CompareData::ValueText() const {
    if (const auto* text = std::get_if<std::string>(&stored_)) return *text;
    if (const auto* number = std::get_if<double>(&stored_)) return NumberText(*number);
    return {};
}

double CompareData::ValueNumber() const {
    if (const auto* number = std::get_if<double>(&stored_)) return *number;
    if (const auto* text = std::get_if<std::string>(&stored_)) return LeadingNumber(*text);
    return 0;
}

StoredValue CompareData::Value() const {
    if (typeOfData_ == Kind::Number) return ValueNumber();
    return ValueText();
}

bool CompareData::ContainsData() const {
    if (std::holds_alternative<std::monostate>(stored_)) return false;
    if (const auto* text = std::get_if<std::string>(&stored_)) {
        return text->find_first_not_of(' ') != std::string::npos;
    }
    return true;
}

void CompareData::Copy(CompareData& target, CopyDirection direction) {
    if (direction == CopyDirection::IntoTarget) {
        target.typeOfData_ = typeOfData_;
        target.stored_ = stored_;
    } else if (direction == CopyDirection::FromTarget) {
        typeOfData_ = target.typeOfData_;
        stored_ = target.Value();
    }
}

}  // namespace quarrion
