#pragma once

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QWidget>

#include "shell/button_ref.h"

class QToolButton;

namespace quarrion {

// The main window's command side bar: a column of picture buttons that turns clicks
// into events of its own. The main window enables buttons and sets their tool-tips
// through Buttons(), looking them up by name in any case ("cmdexcel").
class laBar : public QWidget {
    Q_OBJECT

  public:
    explicit laBar(QWidget* parent = nullptr);

    // The ten buttons, registered in this order: cmdCascade, cmdExcel, cmdExport,
    // cmdExportAll, cmdHelp, cmdHorizontal, cmdPreferences, cmdShow, cmdVertical,
    // cmdResearch. (The on-screen order groups them by purpose instead.)
    ButtonRefs& Buttons() { return buttons_; }

    QColor BackColor() const;
    void SetBackColor(const QColor& colour);

    // The side bar's own pictures by key; "show" and "hide" are the two faces of the
    // console toggle.
    QIcon Image(const QString& key) const { return images_.value(key); }

    // Brings the console toggle in line with a console shown or hidden elsewhere (its
    // dock closed by its own box), without raising an event.
    void SetConsoleShown(bool shown);

  signals:
    void ExcelClick();
    void ExportClick();
    void ExportAllClick();
    void HelpClick();
    void PreferencesClick();
    void ShowConsole();
    void HideConsole();
    void CascadeClick();
    void HorizontalClick();
    void VerticalClick();
    void ReSearchClick();

  private:
    QToolButton* MakeButton(const QString& name, const QString& picture, const QString& text,
                            const QString& toolTip);
    void ShowClicked();

    ButtonRefs buttons_;
    QHash<QString, QIcon> images_;
};

}  // namespace quarrion
