#pragma once

#include <QWidget>

class QLineEdit;

namespace quarrion {

class CompareRange;

// Two number boxes, txtFrom and txtTo, bound to a rule's range: typing in txtFrom
// stores the text in the range's A, typing in txtTo in its B. The range belongs to the
// rule and must outlive the binding (Bind(nullptr) lets go).
class RangeControl : public QWidget {
    Q_OBJECT

  public:
    explicit RangeControl(QWidget* parent = nullptr);

    // Shows the range's bounds and writes every edit back into it.
    void Bind(CompareRange* range);
    CompareRange* Range() const { return range_; }
    // Empties both boxes (and so both bounds).
    void Clear();

    QString FromNumber() const;
    QString ToNumber() const;
    QLineEdit* txtFrom() const { return txtFrom_; }
    QLineEdit* txtTo() const { return txtTo_; }

  signals:
    // A bound was edited by the user.
    void Edited();
    // Enter was pressed in txtTo.
    void Entered();

  private:
    QLineEdit* txtFrom_;
    QLineEdit* txtTo_;
    CompareRange* range_ = nullptr;
};

}  // namespace quarrion
