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
// cboRange picks fixed dates (the choice of a new control) or a span counted from
// today (today, yesterday, this or last week, month, quarter or year, year to date, the
// last N days from spnRangeDays). A span shows the days it covers today in the disabled
// date fields and in lblRangeDays, and FromDate and ToDate give those days as counted
// on the day they are asked for.
class DateControl : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* DefaultCaption = "Date Range for QuickBooks Data";
    static constexpr const char* DateFormat = "MM dd, yyyy";

    explicit DateControl(QWidget* parent = nullptr);

    static constexpr const char* FixedDatesText = "Fixed Dates";

    // The span's word as the terminal tool's --from and --to take it ("last-month",
    // "last-30-days"); "" for fixed dates.
    QString RangeWord() const;
    // Chooses the span a word names, or fixed dates for ""; false, with nothing
    // changed, for a word that names no span.
    bool SetRangeWord(const QString& word);

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
    // Shows the chosen span's days (or the fixed dates' fields) again.
    void ShowRange();

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
