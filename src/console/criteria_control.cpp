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
    ResetRows();
    // The groups decide the joins: every group after the first opens with OR and its
    // other rules are joined by AND, whatever joins the rules carried.
    bool firstRow = true;
    bool firstGroup = true;
    for (const Examinor& group : examinors) {
        bool opensGroup = true;
        for (const quarrion::Criterion& rule : group.Criteria) {
            auto* row = static_cast<CriterionControl*>(firstRow ? Rows().front() : AppendRow());
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

void CriteriaControl::ReadExaminors(Examinors& target) const {
    std::vector<quarrion::Criterion*> rows;
    for (CriterionRow* row : Rows()) {
        rows.push_back(&static_cast<CriterionControl*>(row)->Criterion());
    }
    BuildExaminors(rows, target);
}

}  // namespace quarrion
