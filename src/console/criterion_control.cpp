#include "console/criterion_control.h"

#include <QComboBox>

#include "console/control_names.h"
#include "model/code_tables.h"
#include "search/rule_text.h"

namespace quarrion {

namespace {

// The choices a global row offers, in the order of the application's choices table.
const TCTypes& Choices() {
    static const CodeTables tables = [] {
        CodeTables filled;
        filled.Fill();
        return filled;
    }();
    return tables.Choices;
}

}  // namespace

CriterionControl::CriterionControl(QWidget* parent) : CriterionRow(parent, rule_, SubjectWidth) {
    NameControl(this, QStringLiteral("CriterionControl"), QStringLiteral("Global search rule"),
                QStringLiteral("One rule tried on every value of the chosen data type"));
    NameControl(cboDataType(), QStringLiteral("cboDataType"), QStringLiteral("Data type"),
                QStringLiteral("Which values of a record the rule is tried on (Delete empties "
                               "the value)"));
    loading_ = true;
    for (const TCType& choice : Choices()) {
        cboDataType()->addItem(QString::fromStdString(choice.Text), choice.Code());
    }
    // Dates are searched by this program alone; the classic choices table has none.
    cboDataType()->addItem(QString::fromLatin1(DateChoiceText), Choice::Date);
    cboDataType()->setCurrentIndex(0);
    loading_ = false;
    rule_.AndOr = "AND";
    TakeSubject(0);
    ShowRule();
}

void CriterionControl::LoadCriterion(const quarrion::Criterion& rule) {
    // Copy reads its source without changing it; the model's signature takes it as a
    // target either way.
    rule_.Copy(const_cast<quarrion::Criterion&>(rule), CopyDirection::FromTarget);
    loading_ = true;
    cboDataType()->setCurrentIndex(cboDataType()->findData(static_cast<int>(rule_.DataType())));
    loading_ = false;
    ShowRule();
    SetChanged(false);
}

bool CriterionControl::ListOfText() const {
    return Kind::Normalize(rule_.DataType()) == Kind::Text;
}

void CriterionControl::TakeSubject(int index) {
    rule_.SetDataType(cboDataType()->itemData(index).toInt());
}

std::vector<long> CriterionControl::Operations() const {
    return OperationsForChoice(rule_.DataType());
}

}  // namespace quarrion
