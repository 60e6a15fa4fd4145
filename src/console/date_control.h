#pragma once

#include <QDate>
#include <QWidget>

class QDateEdit;
class QLabel;
class QRadioButton;

namespace quarrion {

// The console's date range (datView): the from and to dates (dtpFrom, dtpTo, shown as
// "MM dd, yyyy") and the choice of the date they apply to (optType: "Use Transaction
// Date", the choice of a new control, or "Use Modified Date").
class DateControl : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* DefaultCaption = "Date Range for QuickBooks Data";
    static constexpr const char* DateFormat = "MM dd, yyyy";

    explicit DateControl(QWidget* parent = nullptr);

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

  signals:
    void Edited();

  private:
    QLabel* lblCaption_;
    QDateEdit* dtpFrom_;
    QDateEdit* dtpTo_;
    QRadioButton* optTxn_;
    QRadioButton* optModified_;
};

}  // namespace quarrion
