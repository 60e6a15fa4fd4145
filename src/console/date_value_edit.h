#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QSpinBox;

namespace quarrion {

// The spans counted from today that a date rule or the date range offers, in the order
// a user meets them: the word the rule text keeps ("last-month") and the label shown.
// "last-N-days" stands for the span whose N the user sets.
struct RelativeDateChoice {
    QString Word;
    QString Label;
};
const QList<RelativeDateChoice>& RelativeDateChoices();
inline constexpr const char* kLastDaysWord = "last-N-days";
// The rule text of a choice: its word, or for "last-N-days" the word with `days` in it.
QString RelativeDateWord(const QString& choiceWord, int days);
// The other way: the choice a relative text stands for ("last-N-days" with `days` set
// for "last-30-days"), in lower case; "" for a text that is no relative word.
QString RelativeDateChoiceOf(const QString& text, int& days);
// The label a relative text is shown by ("Last Month", "Last 30 Days"); "" for a text
// that is no relative word.
QString RelativeDateLabel(const QString& text);

// The days a value written as date_value.h reads it covers, counted from `today`;
// false for an unreadable text.
bool ResolveDateText(const QString& text, const QDate& today, QDate& first, QDate& last);

// One date value of a rule: a day picked on a calendar (dtpDate, shown while cboWhen
// says "On Date") or a span counted from the day the search runs (cboWhen's other
// choices; "Last N Days" takes N from spnDays). Text() is the value as the terminal
// tool writes it ("2026-01-31", "last-month", "last-30-days"). A new edit is blank: it
// holds no date (Text() is "") and says "Pick a day" until the user touches the date,
// which then starts at today, or picks a span.
class DateValueEdit : public QWidget {
    Q_OBJECT

  public:
    // `suffix` ends the object names of the parts ("From": cboWhenFrom, dtpDateFrom,
    // spnDaysFrom); `spoken` starts their accessible names.
    DateValueEdit(const QString& suffix, const QString& spoken, QWidget* parent = nullptr);

    QString Text() const;
    // Shows the value written so; false, with nothing changed, for an unreadable text.
    bool SetText(const QString& text);
    // Blank again: "On Date" with no day picked.
    void Clear();
    bool IsBlank() const;

    // The visible parts in the order Tab visits them.
    QList<QWidget*> FocusChain() const;

    QComboBox* cboWhen() const { return cboWhen_; }
    QDateEdit* dtpDate() const { return dtpDate_; }
    QSpinBox* spnDays() const { return spnDays_; }

  signals:
    // The user changed the value.
    void Edited();
    // Enter was pressed in the date or the number of days.
    void Entered();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowParts();
    // The first touch of a blank date starts it at today (the calendar would otherwise
    // open at the blank's placeholder day).
    void StartAtToday();

    QComboBox* cboWhen_;
    QDateEdit* dtpDate_;
    QSpinBox* spnDays_;
    bool showing_ = false;
};

}  // namespace quarrion
