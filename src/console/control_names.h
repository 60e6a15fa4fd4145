#pragma once

#include <QString>
#include <QWidget>

namespace quarrion {

// Gives a console control the three names every control carries: the object name tests
// find it by, the accessible name a screen reader speaks, and the tooltip a user sees.
inline void NameControl(QWidget* control, const QString& objectName, const QString& accessibleName,
                        const QString& toolTip) {
    control->setObjectName(objectName);
    control->setAccessibleName(accessibleName);
    control->setToolTip(toolTip);
}

}  // namespace quarrion
