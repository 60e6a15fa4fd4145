#include "console/date_value_edit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QSpinBox>

#include "console/control_names.h"
#include "model/date_value.h"

namespace quarrion {

namespace {

// Day numbers count from 1970-01-01, Julian day 2440588.
constexpr qint64 kEpochJulianDay = 2440588;

QDate DateOfDay(std::int32_t day) {
    return QDate::fromJulianDay(kEpochJulianDay + day);
}

std::int32_t DayOfDate(const QDate& date) {
    return static_cast<std::int32_t>(date.toJulianDay() - kEpochJulianDay);
}

const QRegularExpression& LastDaysPattern() {
    static const QRegularExpression pattern(QStringLiteral("^last-(\\d+)-days$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

constexpr int kMostDays = 99999;
// The placeholder day of a blank date; no search asks for days before it.
const QDate kBlankDay(1900, 1, 1);
constexpr int kDefaultDays = 30;
constexpr int kWhenWidth = 5;  // characters

}  // namespace

const QList<RelativeDateChoice>& RelativeDateChoices() {
    static const QList<RelativeDateChoice> choices{
        {QStringLiteral("today"), QStringLiteral("Today")},
        {QStringLiteral("yesterday"), QStringLiteral("Yesterday")},
        {QStringLiteral("this-week"), QStringLiteral("This Week")},
        {QStringLiteral("last-week"), QStringLiteral("Last Week")},
        {QStringLiteral("this-month"), QStringLiteral("This Month")},
        {QStringLiteral("last-month"), QStringLiteral("Last Month")},
        {QStringLiteral("this-quarter"), QStringLiteral("This Quarter")},
        {QStringLiteral("last-quarter"), QStringLiteral("Last Quarter")},
        {QStringLiteral("this-year"), QStringLiteral("This Year")},
        {QStringLiteral("last-year"), QStringLiteral("Last Year")},
        {QStringLiteral("year-to-date"), QStringLiteral("Year to Date")},
        {QString::fromLatin1(kLastDaysWord), QStringLiteral("Last N Days")},
    };
    return choices;
}

QString RelativeDateWord(const QString& choiceWord, int days) {
    if (choiceWord != QLatin1String(kLastDaysWord)) return choiceWord;
    return QStringLiteral("last-%1-days").arg(days);
}

QString RelativeDateChoiceOf(const QString& text, int& days) {
    const QRegularExpressionMatch match = LastDaysPattern().match(text);
    if (match.hasMatch()) {
        days = match.captured(1).toInt();
        return QString::fromLatin1(kLastDaysWord);
    }
    const QString word = text.toLower();
    for (const RelativeDateChoice& choice : RelativeDateChoices()) {
        if (choice.Word == word) return word;
    }
    return {};
}

QString RelativeDateLabel(const QString& text) {
    int days = 0;
    const QString choice = RelativeDateChoiceOf(text, days);
    if (choice == QLatin1String(kLastDaysWord)) return QStringLiteral("Last %1 Days").arg(days);
    for (const RelativeDateChoice& each : RelativeDateChoices()) {
        if (!choice.isEmpty() && each.Word == choice) return each.Label;
    }
    return {};
}

bool ResolveDateText(const QString& text, const QDate& today, QDate& first, QDate& last) {
    std::optional<DayRange> days = ResolveDateValue(text.toStdString(), DayOfDate(today));
    if (!days) return false;
    first = DateOfDay(days->first);
    last = DateOfDay(days->last);
    return true;
}

DateValueEdit::DateValueEdit(const QString& suffix, const QString& spoken, QWidget* parent)
    : QWidget(parent),
      cboWhen_(new QComboBox(this)),
      dtpDate_(new QDateEdit(this)),
      spnDays_(new QSpinBox(this)) {
    NameControl(this, QStringLiteral("DateValueEdit") + suffix, spoken,
                QStringLiteral("A day, or a span counted from the day the search runs"));
    NameControl(cboWhen_, QStringLiteral("cboWhen") + suffix, spoken + QStringLiteral(" kind"),
                QStringLiteral("On Date: a day picked on the calendar; the other choices count "
                               "from the day the search runs, also when it is saved"));
    NameControl(dtpDate_, QStringLiteral("dtpDate") + suffix, spoken,
                QStringLiteral("The day to compare with; the arrow opens a calendar"));
    NameControl(spnDays_, QStringLiteral("spnDays") + suffix, spoken + QStringLiteral(" days"),
                QStringLiteral("How many days back, today included"));
    // Narrow in the row, whole in the list it opens.
    cboWhen_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboWhen_->setMinimumContentsLength(kWhenWidth);
    cboWhen_->addItem(QStringLiteral("On Date"), QString());
    for (const RelativeDateChoice& choice : RelativeDateChoices()) {
        cboWhen_->addItem(choice.Label, choice.Word);
    }
    dtpDate_->setCalendarPopup(true);
    dtpDate_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtpDate_->setMinimumDate(kBlankDay);
    dtpDate_->setSpecialValueText(QStringLiteral("Pick a day"));
    spnDays_->setRange(1, kMostDays);
    spnDays_->setValue(kDefaultDays);
    spnDays_->setSuffix(QStringLiteral(" days"));
    Clear();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(cboWhen_);
    layout->addWidget(dtpDate_, 1);
    layout->addWidget(spnDays_, 1);

    connect(cboWhen_, &QComboBox::currentIndexChanged, this, [this] {
        ShowParts();
        if (!showing_) emit Edited();
    });
    connect(dtpDate_, &QDateEdit::dateChanged, this, [this] {
        if (!showing_) emit Edited();
    });
    connect(spnDays_, &QSpinBox::valueChanged, this, [this] {
        if (!showing_) emit Edited();
    });
    dtpDate_->installEventFilter(this);
    spnDays_->installEventFilter(this);
}

bool DateValueEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit Entered();
            return true;
        }
        if (watched == dtpDate_ && key != Qt::Key_Tab && key != Qt::Key_Backtab) StartAtToday();
    } else if (event->type() == QEvent::MouseButtonPress && watched == dtpDate_) {
        StartAtToday();
    }
    return QWidget::eventFilter(watched, event);
}

void DateValueEdit::StartAtToday() {
    if (dtpDate_->date() == kBlankDay) dtpDate_->setDate(DateOfDay(DateRulesToday()));
}

bool DateValueEdit::IsBlank() const {
    return cboWhen_->currentIndex() == 0 && dtpDate_->date() == kBlankDay;
}

void DateValueEdit::ShowParts() {
    const QString word = cboWhen_->currentData().toString();
    dtpDate_->setVisible(word.isEmpty());
    spnDays_->setVisible(word == QLatin1String(kLastDaysWord));
}

QString DateValueEdit::Text() const {
    const QString word = cboWhen_->currentData().toString();
    if (!word.isEmpty()) return RelativeDateWord(word, spnDays_->value());
    return IsBlank() ? QString() : dtpDate_->date().toString(Qt::ISODate);
}

bool DateValueEdit::SetText(const QString& text) {
    QDate first, last;
    if (!ResolveDateText(text, QDate::currentDate(), first, last)) return false;
    showing_ = true;
    int days = spnDays_->value();
    const QString choice = RelativeDateChoiceOf(text, days);
    if (choice.isEmpty()) {
        cboWhen_->setCurrentIndex(0);
        dtpDate_->setDate(QDate::fromString(text, Qt::ISODate));
    } else {
        spnDays_->setValue(days);
        cboWhen_->setCurrentIndex(cboWhen_->findData(choice));
    }
    ShowParts();
    showing_ = false;
    return true;
}

void DateValueEdit::Clear() {
    showing_ = true;
    cboWhen_->setCurrentIndex(0);
    dtpDate_->setDate(kBlankDay);
    spnDays_->setValue(kDefaultDays);
    ShowParts();
    showing_ = false;
}

QList<QWidget*> DateValueEdit::FocusChain() const {
    QList<QWidget*> chain{cboWhen_};
    if (!dtpDate_->isHidden()) chain << dtpDate_;
    if (!spnDays_->isHidden()) chain << spnDays_;
    return chain;
}

}  // namespace quarrion
