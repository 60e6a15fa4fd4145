#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace quarrion {

class DateRuleInput;
class ListPalette;
class RangeControl;
class RuleValues;

// Where a column of a rule row sits, so a panel can put its headings above it.
struct LabelCoord {
    QString Name;  // "andor", "datatype", "truecompare" or "input"
    int Left = 0;
    int Width = 0;
};
using LabelCoords = QList<LabelCoord>;

// What the global row (CriterionControl) and the field row (FieldCriterionControl)
// share: the AND/OR choice cboAndOr, the subject cboDataType (a data-type choice or a
// field), the operation cboTrueCompare and the input that fits the operation (txtString,
// txtNumber, txtRange, txtList, nbrList, txtDate for a date subject, or none). The row owns its
// rule object and writes every edit straight into it; the subclasses say which rule that is and
// which operations its subject offers.
class CriterionRow : public QWidget {
    Q_OBJECT

  public:
    // Fixed widths of the first three columns, shared with the panels' headings.
    static constexpr int AndOrWidth = 64;
    // Wide enough for the longest operation in the program's font, and no wider, so a
    // two-value rule still fits the console's starting width.
    static int CompareWidth();
    static constexpr int RowMargin = 2;
    static constexpr int ColumnSpacing = 6;

    // Any edit since the row was made, loaded or cleared.
    bool Changed() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }
    // The rule has a value its operation can use.
    virtual bool ContainsData() const = 0;
    // Empties the rule's values and the inputs; join, subject and operation stay.
    void Clear();
    // Sets the join shown and kept in the rule ("OR" or "AND"), as a load does.
    void SetAndOr(const QString& andOr);

    // The row's controls in the order Tab visits them (the list boxes included).
    QList<QWidget*> FocusChain() const;
    // Columns "andor", "datatype", "truecompare" and "input", relative to the row.
    LabelCoords LabelCoordinates() const;
    // The input shown for the current operation; nullptr when it needs none.
    QWidget* Input() const { return input_; }

    QComboBox* cboAndOr() const { return cboAndOr_; }
    QComboBox* cboDataType() const { return cboDataType_; }
    QComboBox* cboTrueCompare() const { return cboTrueCompare_; }
    QLineEdit* txtString() const { return txtString_; }
    QLineEdit* txtNumber() const { return txtNumber_; }
    RangeControl* txtRange() const { return txtRange_; }
    ListPalette* txtList() const { return txtList_; }
    ListPalette* nbrList() const { return nbrList_; }
    DateRuleInput* txtDate() const { return txtDate_; }

  signals:
    // The user edited the row (join, subject, operation or value).
    void Edited();
    // The controls Tab visits changed (another input, list boxes added or removed).
    void FocusChainChanged();
    // Enter was pressed in the row's value.
    void Entered();

  protected:
    CriterionRow(QWidget* parent, RuleValues& values, int subjectWidth);

    // The rule's join and operation, which each rule class keeps as its own members.
    virtual std::string& RuleAndOr() = 0;
    virtual long& RuleOperand() = 0;
    // Whether "in list" reads the text list (else the number list).
    virtual bool ListOfText() const = 0;
    // The subject in cboDataType was chosen by the user: store it in the rule.
    virtual void TakeSubject(int index) = 0;
    // The operations the current subject offers.
    virtual std::vector<long> Operations() const = 0;
    // Whether the subject compares dates: its operations then read as before, on,
    // after ... and take their value from txtDate.
    virtual bool ComparesDates() const = 0;

    // Refills cboTrueCompare with the subject's operations, keeping the rule's
    // operation when it is still offered and taking the first otherwise, then shows
    // the fitting input.
    void RefillOperations();
    // Sets the three choices and the inputs from the rule (nothing counts as edited).
    void ShowRule();
    void MarkEdited();

    bool loading_ = false;

  private:
    void ShowInput();
    void ShowValues();
    // Shows the rule's date value in txtDate (blank when it has none) and keeps the
    // rule's value to what txtDate shows, so a date row holds what it displays.
    void ShowDateValue();
    QWidget* InputFor(long operation) const;
    QList<QWidget*> AllInputs() const;

    RuleValues& values_;
    bool changed_ = false;
    QComboBox* cboAndOr_;
    QComboBox* cboDataType_;
    QComboBox* cboTrueCompare_;
    QLineEdit* txtString_;
    QLineEdit* txtNumber_;
    RangeControl* txtRange_;
    ListPalette* txtList_;
    ListPalette* nbrList_;
    DateRuleInput* txtDate_;
    QLabel* lblNoInput_;
    QWidget* input_ = nullptr;
};

}  // namespace quarrion
