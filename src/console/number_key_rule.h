#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;
class QLineEdit;

namespace quarrion {

// The keys a number box takes. Digits and editing keys (those that type no character,
// and shortcuts with Control) always pass; of the others only three are let through: a
// point while the text holds none, a comma when the trimmed text is not empty and does
// not end with one, and a minus while the trimmed text is empty. Everything else is
// dropped. The value is converted to a number only when a rule compares, so what is
// kept here is just what a number can look like.
class NumberKeyRule : public QObject {
    Q_OBJECT

  public:
    // Watches `box` for as long as both live; the rule is parented to the box.
    static NumberKeyRule* Guard(QLineEdit* box);

    // Whether typing `key` (the character a key press types) into a box holding `text`
    // is accepted.
    static bool Accepts(const QString& text, const QString& key);
    static bool Accepts(const QString& text, const QKeyEvent& event);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit NumberKeyRule(QLineEdit* box);
};

}  // namespace quarrion
