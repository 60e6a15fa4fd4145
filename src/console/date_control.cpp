#include "console/date_control.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "console/control_names.h"
#include "model/search_object2.h"

namespace quarrion {

namespace {

QDateEdit* DateField(QWidget* parent, const QString& name, const QString& spoken,
                     const QString& tip) {
    auto* field = new QDateEdit(QDate::currentDate(), parent);
    NameControl(field, name, spoken, tip);
    field->setDisplayFormat(QString::fromLatin1(DateControl::DateFormat));
    field->setCalendarPopup(true);
    return field;
}

}  // namespace

DateControl::DateControl(QWidget* parent)
    : QWidget(parent),
      lblCaption_(new QLabel(QString::fromLatin1(DefaultCaption), this)),
      dtpFrom_(DateField(this, QStringLiteral("dtpFrom"), QStringLiteral("From date"),
                         QStringLiteral("The first day of the records to find"))),
      dtpTo_(DateField(this, QStringLiteral("dtpTo"), QStringLiteral("To date"),
                       QStringLiteral("The last day of the records to find"))),
      optTxn_(new QRadioButton(QStringLiteral("Use Transaction Date"), this)),
      optModified_(new QRadioButton(QStringLiteral("Use Modified Date"), this)) {
    NameControl(this, QStringLiteral("DateControl"), QStringLiteral("Date range"),
                QStringLiteral("The days of the records to find, by transaction or modified "
                               "date"));
    NameControl(lblCaption_, QStringLiteral("lblDatesCaption"), QString::fromLatin1(DefaultCaption),
                QStringLiteral("The days of the records to find"));
    NameControl(optTxn_, QStringLiteral("optTypeTransaction"),
                QStringLiteral("Use Transaction Date"),
                QStringLiteral("The range applies to the transaction's date (lists: the date "
                               "they were modified)"));
    NameControl(optModified_, QStringLiteral("optTypeModified"),
                QStringLiteral("Use Modified Date"),
                QStringLiteral("The range applies to the date a record was last modified"));
    lblCaption_->setAlignment(Qt::AlignCenter);
    QFont bold = lblCaption_->font();
    bold.setBold(true);
    lblCaption_->setFont(bold);
    auto* group = new QButtonGroup(this);
    group->addButton(optTxn_, 0);
    group->addButton(optModified_, 1);
    optTxn_->setChecked(true);

    auto* from = new QLabel(QStringLiteral("&From"), this);
    from->setBuddy(dtpFrom_);
    auto* to = new QLabel(QStringLiteral("&To"), this);
    to->setBuddy(dtpTo_);
    // The date fields stretch; the labels keep room for their whole text.
    from->setMinimumWidth(from->sizeHint().width() + 4);
    to->setMinimumWidth(to->sizeHint().width() + 4);
    auto* dates = new QHBoxLayout;
    dates->addWidget(from);
    dates->addWidget(dtpFrom_, 1);
    dates->addSpacing(8);
    dates->addWidget(to);
    dates->addWidget(dtpTo_, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(optTxn_);
    options->addWidget(optModified_);
    options->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(lblCaption_);
    layout->addLayout(dates);
    layout->addLayout(options);

    connect(dtpFrom_, &QDateEdit::dateChanged, this, &DateControl::Edited);
    connect(dtpTo_, &QDateEdit::dateChanged, this, &DateControl::Edited);
    connect(group, &QButtonGroup::idClicked, this, &DateControl::Edited);
}

QDate DateControl::FromDate() const {
    return dtpFrom_->date();
}

void DateControl::SetFromDate(const QDate& date) {
    dtpFrom_->setDate(date);
}

QDate DateControl::ToDate() const {
    return dtpTo_->date();
}

void DateControl::SetToDate(const QDate& date) {
    dtpTo_->setDate(date);
}

long DateControl::DateFilterType() const {
    return optTxn_->isChecked() ? DateFilterCode::TransactionDate : DateFilterCode::ModifiedDate;
}

void DateControl::SetDateFilterType(long filter) {
    (filter == DateFilterCode::TransactionDate ? optTxn_ : optModified_)->setChecked(true);
}

}  // namespace quarrion
