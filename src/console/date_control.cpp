#include "console/date_control.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "console/control_names.h"
#include "console/date_value_edit.h"
#include "model/date_value.h"
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

constexpr int kDefaultRangeDays = 30;
// The data of cboRange's entry for ends no usual span matches; no span word reads so.
const QString kEndsEntry = QStringLiteral("own-ends");
const QString kShownDay = QStringLiteral("MMM d, yyyy");

// Today as relative spans count it (a test may pin it).
QDate SpansToday() {
    return QDate(1970, 1, 1).addDays(DateRulesToday());
}

// The word's span as cboRange and a saved search keep it ("last-month",
// "last-30-days"), or "" for a text that names no span today can count.
QString SpanOf(const QString& text) {
    int days = 0;
    const QString choice = RelativeDateChoiceOf(text, days);
    QDate first, last;
    if (choice.isEmpty() || !ResolveDateText(text, SpansToday(), first, last)) return {};
    return RelativeDateWord(choice, days);
}

}  // namespace

DateControl::DateControl(QWidget* parent)
    : QWidget(parent),
      lblCaption_(new QLabel(QString::fromLatin1(DefaultCaption), this)),
      cboRange_(new QComboBox(this)),
      spnRangeDays_(new QSpinBox(this)),
      lblRangeDays_(new QLabel(this)),
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
    NameControl(cboRange_, QStringLiteral("cboRange"), QStringLiteral("Range"),
                QStringLiteral("Fixed dates, a span counted from the day the search runs, or "
                               "the two ends a loaded search was saved with (a saved search "
                               "counts its spans again each time)"));
    NameControl(spnRangeDays_, QStringLiteral("spnRangeDays"), QStringLiteral("Range days"),
                QStringLiteral("How many days back the range reaches, today included"));
    NameControl(lblRangeDays_, QStringLiteral("lblRangeDays"), QStringLiteral("Range days today"),
                QStringLiteral("The days the span covers today"));
    cboRange_->addItem(QString::fromLatin1(FixedDatesText), QString());
    for (const RelativeDateChoice& choice : RelativeDateChoices()) {
        cboRange_->addItem(choice.Label, choice.Word);
    }
    // The ends' entry is added after the window shows and may be the longest.
    cboRange_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    spnRangeDays_->setRange(1, 99999);
    spnRangeDays_->setValue(kDefaultRangeDays);
    spnRangeDays_->setSuffix(QStringLiteral(" days"));
    spnRangeDays_->hide();
    lblRangeDays_->setEnabled(false);
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
    auto* range = new QLabel(QStringLiteral("&Range"), this);
    range->setBuddy(cboRange_);
    range->setMinimumWidth(range->sizeHint().width() + 4);
    auto* span = new QHBoxLayout;
    span->addWidget(range);
    span->addWidget(cboRange_);
    span->addWidget(spnRangeDays_);
    span->addWidget(lblRangeDays_, 1);
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
    layout->addLayout(span);
    layout->addLayout(dates);
    layout->addLayout(options);

    connect(dtpFrom_, &QDateEdit::dateChanged, this, &DateControl::Edited);
    connect(dtpTo_, &QDateEdit::dateChanged, this, &DateControl::Edited);
    connect(group, &QButtonGroup::idClicked, this, &DateControl::Edited);
    connect(cboRange_, &QComboBox::currentIndexChanged, this, [this] {
        ShowRange();
        emit Edited();
    });
    connect(spnRangeDays_, &QSpinBox::valueChanged, this, [this] {
        ShowRange();
        emit Edited();
    });
}

QString DateControl::SpanWord() const {
    const QString choice = cboRange_->currentData().toString();
    if (choice.isEmpty() || choice == kEndsEntry) return {};
    return RelativeDateWord(choice, spnRangeDays_->value());
}

bool DateControl::EndsChosen() const {
    return cboRange_->currentData().toString() == kEndsEntry;
}

QString DateControl::FromText() const {
    return EndsChosen() ? from_.Word : SpanWord();
}

QString DateControl::ToText() const {
    return EndsChosen() ? to_.Word : SpanWord();
}

bool DateControl::SetRangeEnds(const QString& fromText, const QString& toText) {
    const QString fromWord = SpanOf(fromText);
    const QString toWord = SpanOf(toText);
    if (fromWord.isEmpty() != fromText.isEmpty() || toWord.isEmpty() != toText.isEmpty())
        return false;
    const QSignalBlocker quietDays(spnRangeDays_);
    const QSignalBlocker quietRange(cboRange_);
    RemoveEndsEntry();
    if (fromWord == toWord) {  // fixed days, or a usual span at both ends
        int days = spnRangeDays_->value();
        const QString choice = RelativeDateChoiceOf(fromWord, days);
        spnRangeDays_->setValue(days);
        cboRange_->setCurrentIndex(cboRange_->findData(choice));
    } else {
        from_ = {fromWord, dtpFrom_->date()};
        to_ = {toWord, dtpTo_->date()};
        auto shown = [](const RangeEnd& end) {
            return end.Word.isEmpty() ? end.Day.toString(kShownDay) : RelativeDateLabel(end.Word);
        };
        cboRange_->addItem(shown(from_) + QStringLiteral(" to ") + shown(to_), kEndsEntry);
        cboRange_->setCurrentIndex(cboRange_->count() - 1);
    }
    ShowRange();
    return true;
}

void DateControl::RemoveEndsEntry() {
    const int entry = cboRange_->findData(kEndsEntry);
    if (entry >= 0) cboRange_->removeItem(entry);
    from_ = {};
    to_ = {};
}

void DateControl::ShowRange() {
    const bool fixed = !EndsChosen() && SpanWord().isEmpty();
    spnRangeDays_->setVisible(cboRange_->currentData().toString() == QLatin1String(kLastDaysWord));
    dtpFrom_->setEnabled(fixed);
    dtpTo_->setEnabled(fixed);
    if (fixed) {
        lblRangeDays_->clear();
        return;
    }
    const QDate first = FromDate();
    const QDate last = ToDate();
    const QSignalBlocker quietFrom(dtpFrom_);
    const QSignalBlocker quietTo(dtpTo_);
    dtpFrom_->setDate(first);
    dtpTo_->setDate(last);
    lblRangeDays_->setText(first == last ? QStringLiteral("Today: ") + first.toString(kShownDay)
                                         : QStringLiteral("Today: ") + first.toString(kShownDay) +
                                               QStringLiteral(" to ") + last.toString(kShownDay));
}

QDate DateControl::FromDate() const {
    QDate first, last;
    const QString word = FromText();
    if (!word.isEmpty() && ResolveDateText(word, SpansToday(), first, last)) return first;
    return EndsChosen() ? from_.Day : dtpFrom_->date();
}

void DateControl::SetFromDate(const QDate& date) {
    dtpFrom_->setDate(date);
}

QDate DateControl::ToDate() const {
    QDate first, last;
    const QString word = ToText();
    if (!word.isEmpty() && ResolveDateText(word, SpansToday(), first, last)) return last;
    return EndsChosen() ? to_.Day : dtpTo_->date();
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
