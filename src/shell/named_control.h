#pragma once

#include <QString>

namespace quarrion {

// Gives `control` the three names every control of the program's windows carries: the
// object name tests find it by, the accessible name a screen reader speaks, and the
// tool tip a user sees. Returns `control`, so a control can be made and named at once.
template <typename Control>
Control* Named(Control* control, const QString& objectName, const QString& accessibleName,
               const QString& toolTip) {
    control->setObjectName(objectName);
    control->setAccessibleName(accessibleName);
    control->setToolTip(toolTip);
    return control;
}

}  // namespace quarrion
