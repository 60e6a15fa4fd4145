#include "console/criteria_control.h"

#include <vector>

#include "console/control_names.h"
#include "console/criterion_control.h"
#include "model/examinors.h"

namespace quarrion {

CriteriaControl::CriteriaControl(QWidget* parent)
    : CriteriaPanel(parent, QString::fromLatin1(DefaultCaption), QStringLiteral("Data Type"),
                    CriterionControl::SubjectWidth) {
    NameControl(this, QStringLiteral("CriteriaControl"), QStringLiteral("Global search rules"),
                QStringLiteral("Rules tried on every value of the included types whose data "
                               "type they name; OR starts a new group of rules"));
    ResetRows();
}

CriterionRow* CriteriaControl::NewRow(QWidget* parent) {
    return new CriterionControl(parent);
}

CriterionControl* CriteriaControl::Criterion(int position) const {
    return static_cast<CriterionControl*>(Row(position));
}

void CriteriaControl::LoadExaminors(const Examinors& examinors) {
    LoadGroups<CriterionControl>(
        examinors, [](const Examinor& group) -> auto& { return group.Criteria; });
}

void CriteriaControl::ReadExaminors(Examinors& target) const {
    BuildExaminors(RowRules<CriterionControl>(), target);
}

}  // namespace quarrion
