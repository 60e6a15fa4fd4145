#pragma once

#include <QAbstractButton>
#include <QAbstractProxyModel>
#include <QComboBox>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QTreeView>
#include <QWizard>

#include "modal.h"
#include "wizard/view_columns.h"
#include "wizard/view_preview.h"

namespace quarrion::test {

// Drives a display-columns wizard as a user does: mouse clicks on its buttons, rows and
// headings, keys in its fields.
inline void Press(QWizard& wizard, QWizard::WizardButton which) {
    QAbstractButton* button = wizard.button(which);
    QVERIFY2(button->isVisible() && button->isEnabled(), qPrintable(button->objectName()));
    QTest::mouseClick(button, Qt::LeftButton);
}

// Picks `title` in the type list by typing it, as the keyboard search of a closed list
// does.
inline void ChooseType(QComboBox* types, const QString& title) {
    types->setFocus();
    QTest::keyClicks(types, title);
    QCOMPARE(types->currentText(), title);
}

// Clicks the column list's row that shows `row` of the unfiltered list.
inline void ClickRow(ViewColumns* panel, int row) {
    QTreeView* tree = panel->tvwView();
    auto* filter = static_cast<QAbstractProxyModel*>(tree->model());
    QModelIndex shown = filter->mapFromSource(panel->Nodes()->index(row, 1));
    QVERIFY(shown.isValid());
    tree->scrollTo(shown);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(shown).center());
}

// Clicks an option button on its circle, as a user does (a radio button spans the
// panel's width but answers only on its circle and text).
inline void ClickOption(QRadioButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    QVERIFY(option->isChecked());
}

inline bool IsChecked(ViewColumns* panel, int row) {
    return panel->Nodes()->item(row, 0)->checkState() == Qt::Checked;
}

// The preview's headings in the order the user sees them.
inline QStringList ShownHeadings(ViewPreview* panel) {
    QHeaderView* header = panel->Header();
    QStringList headings;
    for (int visual = 0; visual < header->count(); ++visual) {
        headings
            << header->model()->headerData(header->logicalIndex(visual), Qt::Horizontal).toString();
    }
    return headings;
}

// Where to press on the heading at display place `visual`: `part` of its width in.
inline QPoint HeadingPoint(ViewPreview* panel, int visual, double part = 0.5) {
    QHeaderView* header = panel->Header();
    const int logical = header->logicalIndex(visual);
    return QPoint(
        header->sectionViewportPosition(logical) + int(header->sectionSize(logical) * part),
        header->height() / 2);
}

inline void ClickHeading(ViewPreview* panel, int visual) {
    QTest::mouseClick(panel->Header()->viewport(), Qt::LeftButton, {}, HeadingPoint(panel, visual));
}

// Drags the heading at display place `from` onto the left half of the one at `to`, in
// several steps with the button held, as a hand moves the mouse.
inline void DragHeading(ViewPreview* panel, int from, int to) {
    QWidget* viewport = panel->Header()->viewport();
    const QPoint start = HeadingPoint(panel, from), end = HeadingPoint(panel, to, 0.25);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    for (int step = 1; step <= 4; ++step) {
        QPoint at = start + (end - start) * step / 4;
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
}

}  // namespace quarrion::test
