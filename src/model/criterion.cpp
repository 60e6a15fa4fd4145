#include "model/criterion.h"

#include "foundation/text_fold.h"
#include "model/date_value.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

// Catalog data-type names are ASCII; the byte loop settles them, and only a name with
// other characters takes the full Unicode comparison.
bool SameTypeName(std::string_view a, std::string_view b) {
    if (a.size() == b.size()) {
        bool same = true;
        for (std::size_t i = 0; i < a.size() && same; ++i) {
            char x = a[i], y = b[i];
            if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
            if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
            same = x == y;
        }
        if (same) return true;
    }
    return !IsAscii(b) && EqualsIgnoringCase(a, b);
}

}  // namespace

void Criterion::SetDataType(long choice) {
    dataType_ = choice;
    dataTypes_.Clear();
    switch (choice) {
        case Choice::AnyNumber:
            for (std::int32_t code : {DataTypeCode::Amt, DataTypeCode::Percent, DataTypeCode::Price,
                                      DataTypeCode::Quan}) {
                dataTypes_.Add(code);
            }
            break;
        case Choice::Amount:
        case Choice::Percent:
        case Choice::Price:
        case Choice::Quantity:
            dataTypes_.Add(static_cast<std::int32_t>(choice));
            break;
        case Choice::Text:
            dataTypes_.Add(DataTypeCode::Str);
            break;
        case Choice::Date:
            dataTypes_.Add(DataTypeCode::Date);
            dataTypes_.Add(DataTypeCode::DateTime);
            break;
        default:
            break;
    }
}

long Criterion::Compare(std::string_view text, std::string_view dataTypeName) {
    result_ = RuleResult::NotApplicable;
    for (const RefDataType& type : dataTypes_) {
        if (SameTypeName(type.Text, dataTypeName)) return Judge(text, type.DataType);
    }
    return result_;
}

long Criterion::CompareCode(std::string_view text, std::int32_t dataTypeCode) {
    result_ = RuleResult::NotApplicable;
    for (const RefDataType& type : dataTypes_) {
        if (type.DataType == dataTypeCode) return Judge(text, type.DataType);
    }
    return result_;
}

long Criterion::Judge(std::string_view text, std::int32_t dataTypeCode) {
    result_ = RuleResult::Fails;
    bool holds = false;
    if (DataTypeCode::IsNumber(dataTypeCode)) {
        holds = NumberHolds(Operand, text);
    } else if (dataTypeCode == DataTypeCode::Str) {
        holds = TextHolds(Operand, text, LetterCase::IgnoreCase);
    } else if (dataTypeCode == DataTypeCode::Date || dataTypeCode == DataTypeCode::DateTime) {
        holds = DateHolds(Operand, text, TextCompare.ValueText(), DateRulesToday());
    }
    if (holds) result_ = RuleResult::Holds;
    return result_;
}

bool Criterion::ContainsData() const {
    if (Operand == Operation::IsBlank) return true;
    // Date rules keep their value, absolute or relative, as text.
    if (dataType_ == Choice::Date) return TextCompare.ContainsData();
    return ValuesContainData(Operand, dataType_ == Kind::Text);
}

bool Criterion::ReferencesDataType(std::string_view dataTypeName) const {
    for (const RefDataType& type : dataTypes_) {
        if (SameTypeName(type.Text, dataTypeName)) return true;
    }
    return false;
}

void Criterion::Copy(Criterion& target, CopyDirection direction) {
    if (&target == this) return;
    if (direction == CopyDirection::IntoTarget) {
        target.AndOr = AndOr;
        target.Operand = Operand;
        target.SetDataType(dataType_);
    } else if (direction == CopyDirection::FromTarget) {
        AndOr = target.AndOr;
        Operand = target.Operand;
        SetDataType(target.dataType_);
    } else {
        return;
    }
    CopyValues(target, direction);
}

}  // namespace quarrion
