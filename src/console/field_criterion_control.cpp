#include "console/field_criterion_control.h"

#include <QComboBox>
#include <set>
#include <string>

#include "catalog/qbxml_tags.h"
#include "console/control_names.h"
#include "foundation/common_tools.h"
#include "foundation/text_fold.h"
#include "model/compare_data.h"
#include "search/rule_text.h"

namespace quarrion {

namespace {

// The kind bit of boolean data-type codes (number and text are Kind::Number and
// Kind::Text).
constexpr std::int32_t kBooleanKind = 32;

bool IsDateField(std::int32_t dataTypeCode) {
    return dataTypeCode == DataTypeCode::Date || dataTypeCode == DataTypeCode::DateTime;
}

}  // namespace

bool OffersFieldRules(std::int32_t dataTypeCode) {
    return IsDateField(dataTypeCode) || CommonTools::HasFlag(dataTypeCode, kBooleanKind) ||
           CommonTools::HasFlag(dataTypeCode, Kind::Number) ||
           CommonTools::HasFlag(dataTypeCode, Kind::Text);
}

FieldCriterionControl::FieldCriterionControl(QWidget* parent)
    : CriterionRow(parent, rule_, SubjectWidth) {
    NameControl(this, QStringLiteral("FieldCriterionControl"), QStringLiteral("Field search rule"),
                QStringLiteral("One rule on a named field of the type's records"));
    NameControl(cboDataType(), QStringLiteral("cboDataType"), QStringLiteral("Column name"),
                QStringLiteral("The field the rule looks at (Delete empties the value)"));
    rule_.AndOr = "AND";
    ShowRule();
}

void FieldCriterionControl::SetRequestType(long requestType, const QBXMLTags& catalog) {
    SetRequestTypes(requestType, {static_cast<std::int32_t>(requestType)}, catalog);
}

void FieldCriterionControl::SetRequestTypes(long requestType,
                                            const std::vector<std::int32_t>& types,
                                            const QBXMLTags& catalog) {
    requestType_ = requestType;
    loading_ = true;
    fields_.clear();
    cboDataType()->clear();
    std::set<std::string> paths;
    for (std::int32_t type : types) {
        for (const QBXMLTag& tag : catalog) {
            if (tag.Code != type || !OffersFieldRules(tag.DataTypeCode())) continue;
            if (!paths.insert(UpperCase(RelativeFieldPath(tag.TagName()))).second) continue;
            AddField(ShareTag(tag));
        }
    }
    loading_ = false;
    int chosen = rule_.Field() ? FieldIndex(rule_.Field()->TagName()) : -1;
    if (chosen < 0 && !fields_.empty()) chosen = 0;
    if (chosen >= 0) {
        loading_ = true;
        cboDataType()->setCurrentIndex(chosen);
        loading_ = false;
        TakeSubject(chosen);
    }
    ShowRule();
}

void FieldCriterionControl::AddField(QBXMLTagRef field) {
    const QString heading = QString::fromStdString(field->UserHeading());
    cboDataType()->addItem(heading.isEmpty() ? QString::fromStdString(field->TagName()) : heading);
    cboDataType()->setItemData(cboDataType()->count() - 1,
                               QString::fromStdString(RelativeFieldPath(field->TagName())),
                               Qt::ToolTipRole);
    fields_.push_back(std::move(field));
}

int FieldCriterionControl::FieldIndex(const std::string& tagName) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (EqualsIgnoringCase(fields_[i]->TagName(), tagName)) return static_cast<int>(i);
    }
    return -1;
}

void FieldCriterionControl::LoadCriterion(const FieldCriterion& rule) {
    rule_.Copy(const_cast<FieldCriterion&>(rule), CopyDirection::FromTarget);
    if (rule_.Field()) {
        int index = FieldIndex(rule_.Field()->TagName());
        loading_ = true;
        if (index < 0) {
            AddField(rule_.Field());
            index = static_cast<int>(fields_.size()) - 1;
        }
        cboDataType()->setCurrentIndex(index);
        loading_ = false;
    }
    ShowRule();
    SetChanged(false);
}

bool FieldCriterionControl::ListOfText() const {
    return rule_.Field() && CommonTools::HasFlag(rule_.Field()->DataTypeCode(), Kind::Text);
}

void FieldCriterionControl::TakeSubject(int index) {
    if (index < 0 || index >= static_cast<int>(fields_.size())) return;
    rule_.SetField(fields_[static_cast<std::size_t>(index)]);
}

std::vector<long> FieldCriterionControl::Operations() const {
    if (!rule_.Field()) return {};
    if (ComparesDates()) return OperationsForChoice(Choice::Date);
    return OperationsForField(rule_.Field()->DataTypeCode());
}

bool FieldCriterionControl::ComparesDates() const {
    return rule_.Field() && IsDateField(rule_.Field()->DataTypeCode());
}

}  // namespace quarrion
