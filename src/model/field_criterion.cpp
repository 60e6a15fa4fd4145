#include "model/field_criterion.h"

#include "foundation/common_tools.h"
#include "model/date_value.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

bool IsDateField(std::int32_t code) {
    return code == DataTypeCode::Date || code == DataTypeCode::DateTime;
}

}  // namespace

void FieldCriterion::SetField(QBXMLTagRef field) {
    field_ = std::move(field);
    path_ = field_ ? FieldPath(field_->TagName()) : FieldPath();
}

bool FieldCriterion::ValueHolds(std::string_view text) {
    const std::int32_t code = field_->DataTypeCode();
    if (code == DataTypeCode::Bool) return BooleanHolds(Operand, text);
    if (DataTypeCode::IsNumber(code)) return NumberHolds(Operand, text);
    if (code == DataTypeCode::Str) return TextHolds(Operand, text, Options.FieldRuleCase);
    if (IsDateField(code)) {
        return DateHolds(Operand, text, TextCompare.ValueText(), DateRulesToday());
    }
    return false;
}

long FieldCriterion::Compare(pugi::xml_node record) {
    result_ = RuleResult::NotApplicable;
    if (!field_) {
        result_ = RuleResult::Fails;
        return result_;
    }
    pugi::xpath_node_set nodes = path_.Select(record);
    if (nodes.empty()) {
        bool blankHolds =
            field_->DataTypeCode() == DataTypeCode::Str && Operand == Operation::IsBlank;
        result_ = blankHolds ? RuleResult::Holds : RuleResult::Fails;
        return result_;
    }
    result_ = RuleResult::Fails;
    for (const pugi::xpath_node& found : nodes) {
        std::string_view text = found.attribute() ? std::string_view(found.attribute().value())
                                                  : NodeText(found.node(), scratch_);
        if (TextIsBlank(text)) continue;
        if (ValueHolds(text)) {
            result_ = RuleResult::Holds;
            break;
        }
    }
    return result_;
}

bool FieldCriterion::ContainsData() const {
    if (!field_) return false;
    switch (Operand) {
        case Operation::IsTrue:
        case Operation::IsFalse:
        case Operation::IsBlank:
            return true;
        default:
            // Date rules keep their value, absolute or relative, as text.
            if (IsDateField(field_->DataTypeCode())) return TextCompare.ContainsData();
            return ValuesContainData(Operand,
                                     CommonTools::HasFlag(field_->DataTypeCode(), Kind::Text));
    }
}

void FieldCriterion::Copy(FieldCriterion& target, CopyDirection direction) {
    if (&target == this) return;
    if (direction == CopyDirection::IntoTarget) {
        target.AndOr = AndOr;
        target.Operand = Operand;
        if (target.field_ != field_) target.SetField(field_);
    } else if (direction == CopyDirection::FromTarget) {
        AndOr = target.AndOr;
        Operand = target.Operand;
        if (field_ != target.field_) SetField(target.field_);
    } else {
        return;
    }
    CopyValues(target, direction);
}

}  // namespace quarrion
