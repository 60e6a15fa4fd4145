#include "console/field_criteria_control.h"

#include <vector>

#include "catalog/qbxml_tags.h"
#include "console/control_names.h"
#include "console/field_criterion_control.h"
#include "model/field_examinors.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

FieldCriteriaControl::FieldCriteriaControl(QWidget* parent, const QBXMLTags* catalog)
    : CriteriaPanel(parent, QString::fromLatin1(DefaultCaption), QStringLiteral("Column Name"),
                    FieldCriterionControl::SubjectWidth),
      catalog_(catalog) {
    NameControl(this, QStringLiteral("FieldCriteriaControl"), QStringLiteral("Field search rules"),
                QStringLiteral("Rules on named fields of one type; when they hold data they "
                               "alone decide that type's records"));
    ResetRows();
}

CriterionRow* FieldCriteriaControl::NewRow(QWidget* parent) {
    auto* row = new FieldCriterionControl(parent);
    if (catalog_ && requestType_ == EveryIncludedType) {
        row->SetRequestTypes(requestType_, includedTypes_, *catalog_);
    } else if (catalog_ && requestType_ != 0) {
        row->SetRequestType(requestType_, *catalog_);
    }
    return row;
}

FieldCriterionControl* FieldCriteriaControl::Criterion(int position) const {
    return static_cast<FieldCriterionControl*>(Row(position));
}

QString FieldCriteriaControl::Title() const {
    if (requestType_ == EveryIncludedType) {
        return QString::fromLatin1(EveryIncludedTypeTitle) + QLatin1Char(' ') + Caption();
    }
    const std::string title = RequestTypeInfo::TypeTitle(static_cast<std::int32_t>(requestType_));
    if (title.empty()) return Caption();
    return QString::fromStdString(title) + QLatin1Char(' ') + Caption();
}

void FieldCriteriaControl::SetRequestType(long requestType) {
    requestType_ = requestType;
    ShowTitle();
    Clear();
}

void FieldCriteriaControl::LoadFieldExaminors(long requestType, const FieldExaminors& examinors) {
    requestType_ = requestType;
    ShowTitle();
    LoadGroups<FieldCriterionControl>(
        examinors, [](const FieldExaminor& group) -> auto& { return group.FieldCriteria; });
}

void FieldCriteriaControl::ReadFieldExaminors(FieldExaminors& target) const {
    BuildFieldExaminors(RowRules<FieldCriterionControl>(), target);
}

}  // namespace quarrion
