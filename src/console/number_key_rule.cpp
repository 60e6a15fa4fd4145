#include "console/number_key_rule.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace quarrion {

NumberKeyRule::NumberKeyRule(QLineEdit* box) : QObject(box) {
    setObjectName(QStringLiteral("numberKeyRule"));
    box->installEventFilter(this);
}

NumberKeyRule* NumberKeyRule::Guard(QLineEdit* box) {
    return new NumberKeyRule(box);
}

bool NumberKeyRule::Accepts(const QString& text, const QString& key) {
    // Editing keys (Backspace, Delete, arrows, Home, End, Tab, Enter) type nothing
    // printable and pass.
    if (key.isEmpty() || !key.at(0).isPrint()) return true;
    if (key.size() == 1 && key.at(0).isDigit()) return true;
    const QString trimmed = text.trimmed();
    if (key == QLatin1String(".")) return !text.contains(QLatin1Char('.'));
    if (key == QLatin1String(",")) return !trimmed.isEmpty() && !trimmed.endsWith(QLatin1Char(','));
    if (key == QLatin1String("-")) return trimmed.isEmpty();
    return false;
}

bool NumberKeyRule::Accepts(const QString& text, const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return true;
    return Accepts(text, event.text());
}

bool NumberKeyRule::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box && !Accepts(box->text(), *static_cast<QKeyEvent*>(event))) return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quarrion
