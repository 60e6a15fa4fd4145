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
    ResetRows();
    // The groups decide the joins: every group after the first opens with OR and its
    // other rules are joined by AND, whatever joins the rules carried.
    bool firstRow = true;
    bool firstGroup = true;
    for (const FieldExaminor& group : examinors) {
        bool opensGroup = true;
        for (const FieldCriterion& rule : group.FieldCriteria) {
            auto* row =
                static_cast<FieldCriterionControl*>(firstRow ? Rows().front() : AppendRow());
            row->LoadCriterion(rule);
            row->SetAndOr(opensGroup && !firstGroup ? QStringLiteral("OR") : QStringLiteral("AND"));
            firstRow = false;
            opensGroup = false;
        }
        if (!opensGroup) firstGroup = false;
    }
    RelinkTabOrder();
    SetChanged(false);
    emit RowsChanged(RowCount());
}

void FieldCriteriaControl::ReadFieldExaminors(FieldExaminors& target) const {
    std::vector<FieldCriterion*> rows;
    for (CriterionRow* row : Rows()) {
        rows.push_back(&static_cast<FieldCriterionControl*>(row)->Criterion());
    }
    BuildFieldExaminors(rows, target);
}

}  // namespace quarrion
