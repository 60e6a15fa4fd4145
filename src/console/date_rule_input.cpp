#include "console/date_rule_input.h"

#include <QVBoxLayout>

#include "console/control_names.h"
#include "console/date_value_edit.h"
#include "model/date_value.h"

namespace quarrion {

DateRuleInput::DateRuleInput(QWidget* parent)
    : QWidget(parent),
      datFrom_(new DateValueEdit(QStringLiteral("From"), QStringLiteral("Compare date"), this)),
      datTo_(new DateValueEdit(QStringLiteral("To"), QStringLiteral("Second compare date"), this)) {
    NameControl(this, QStringLiteral("txtDate"), QStringLiteral("Compare date"),
                QStringLiteral("The day or span to compare with; a span counted from today "
                               "is worked out on the day the search runs"));
    // The second day goes under the first, so between fits the row's value column.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(datFrom_);
    layout->addWidget(datTo_);
    SetBetween(false);
    for (DateValueEdit* edit : {datFrom_, datTo_}) {
        connect(edit, &DateValueEdit::Edited, this, &DateRuleInput::Edited);
        connect(edit, &DateValueEdit::Entered, this, &DateRuleInput::Entered);
    }
}

void DateRuleInput::SetBetween(bool between) {
    between_ = between;
    datTo_->setVisible(between);
}

QString DateRuleInput::Text() const {
    if (!between_) return datFrom_->Text();
    if (datFrom_->IsBlank() || datTo_->IsBlank()) return {};
    return datFrom_->Text() + QString::fromLatin1(kDateRangeJoin.data(), kDateRangeJoin.size()) +
           datTo_->Text();
}

bool DateRuleInput::SetText(const QString& text) {
    const QString join = QString::fromLatin1(kDateRangeJoin.data(), kDateRangeJoin.size());
    const qsizetype at = text.indexOf(join);
    if (at < 0) return datFrom_->SetText(text);
    const QString first = text.left(at);
    const QString second = text.mid(at + join.size());
    QDate firstDay, lastDay;
    const QDate today = QDate::currentDate();
    if (!ResolveDateText(first, today, firstDay, lastDay) ||
        !ResolveDateText(second, today, firstDay, lastDay)) {
        return false;
    }
    datFrom_->SetText(first);
    datTo_->SetText(second);
    return true;
}

void DateRuleInput::Clear() {
    datFrom_->Clear();
    datTo_->Clear();
}

QList<QWidget*> DateRuleInput::FocusChain() const {
    QList<QWidget*> chain = datFrom_->FocusChain();
    if (between_) chain << datTo_->FocusChain();
    return chain;
}

}  // namespace quarrion
