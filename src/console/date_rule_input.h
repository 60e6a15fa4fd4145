#pragma once

#include <QList>
#include <QString>
#include <QWidget>

namespace quarrion {

class DateValueEdit;

// The value of a date rule: one date (datFrom) or, for between, two (datFrom, and datTo
// under it). Text() is the rule's value as the model keeps it: "2026-01-31", "last-month",
// or for between the two joined by ".."; "" while a date it needs is blank.
class DateRuleInput : public QWidget {
    Q_OBJECT

  public:
    explicit DateRuleInput(QWidget* parent = nullptr);

    // Whether the second date is shown and taken.
    void SetBetween(bool between);
    bool Between() const { return between_; }

    QString Text() const;
    // Shows a value the model keeps; false, with nothing changed, when a part is
    // unreadable. One value for between leaves the second date as it was.
    bool SetText(const QString& text);
    // Both dates blank.
    void Clear();

    QList<QWidget*> FocusChain() const;
    DateValueEdit* datFrom() const { return datFrom_; }
    DateValueEdit* datTo() const { return datTo_; }

  signals:
    void Edited();
    void Entered();

  private:
    DateValueEdit* datFrom_;
    DateValueEdit* datTo_;
    bool between_ = false;
};

}  // namespace quarrion
