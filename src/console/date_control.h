#pragma once

#include <QDate>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace quarrion {

// The console's date range (datView): the from and to dates (dtpFrom, dtpTo, shown as
// "MM dd, yyyy") and the choice of the date they apply to (optType: "Use Transaction
// Date", the choice of a new control, or "Use Modified Date").
//
// The range has two ends, each a fixed day or a span word counted from today
// ("last-month", "today", "last-30-days"): the from end counts from the span's first
// day, the to end to its last. cboRange offers fixed days at both ends (the choice of a
// new control) and the usual spans, the same word at both ends (today, yesterday, this or
// last week, month, quarter or year, year to date, the last N days from spnRangeDays).
// Ends no usual span matches (a search saved by the terminal tool with --from last-month
// --to today, or one word and one day) get one more entry named after them ("Last Month
// to Today"), kept until other ends are set, so the user may choose it again. While a
// span or that entry is chosen the date fields are disabled and show, as lblRangeDays
// spells out, the days covered today; FromDate and ToDate give those days as counted on
// the day they are asked for. Choosing Fixed Dates keeps the days shown, to edit.
class DateControl : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* DefaultCaption = "Date Range for QuickBooks Data";
    static constexpr const char* DateFormat = "MM dd, yyyy";

    explicit DateControl(QWidget* parent = nullptr);

    static constexpr const char* FixedDatesText = "Fixed Dates";

    // The ends' words as the terminal tool's --from and --to take them ("last-month",
    // "last-30-days"), "" for an end that is a fixed day.
    QString FromText() const;
    QString ToText() const;
    // Chooses what the two words name: fixed days for "" at both ends, a usual span for
    // the same word at both, otherwise the ends' own entry, whose fixed end (if any)
    // keeps the day its field shows now (set it first). False, with nothing changed, for
    // a word that names no span.
    bool SetRangeEnds(const QString& fromText, const QString& toText);

    QDate FromDate() const;
    void SetFromDate(const QDate& date);
    QDate ToDate() const;
    void SetToDate(const QDate& date);
    // 1 when "Use Transaction Date" is chosen, else 2. Writing 1 chooses it, anything
    // else "Use Modified Date".
    long DateFilterType() const;
    void SetDateFilterType(long filter);

    QDateEdit* dtpFrom() const { return dtpFrom_; }
    QDateEdit* dtpTo() const { return dtpTo_; }
    QRadioButton* optType(int index) const { return index == 0 ? optTxn_ : optModified_; }
    QComboBox* cboRange() const { return cboRange_; }
    QSpinBox* spnRangeDays() const { return spnRangeDays_; }
    QLabel* lblRangeDays() const { return lblRangeDays_; }

  signals:
    void Edited();

  private:
    // One end of the range: a span word, or the fixed Day when Word is "".
    struct RangeEnd {
        QString Word;
        QDate Day;
    };

    // Whether the ends' own entry is chosen.
    bool EndsChosen() const;
    // The chosen span's word, the same at both ends; "" for fixed days or the ends' entry.
    QString SpanWord() const;
    // Drops the ends' entry, if any, from cboRange.
    void RemoveEndsEntry();
    // Shows the chosen span's or ends' days (or the fixed dates' fields) again.
    void ShowRange();

    RangeEnd from_;
    RangeEnd to_;

    QLabel* lblCaption_;
    QComboBox* cboRange_;
    QSpinBox* spnRangeDays_;
    QLabel* lblRangeDays_;
    QDateEdit* dtpFrom_;
    QDateEdit* dtpTo_;
    QRadioButton* optTxn_;
    QRadioButton* optModified_;
};

}  // namespace quarrion
