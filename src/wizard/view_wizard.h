#pragma once

#include <QPointer>
#include <QString>
#include <QWizard>

#include "wizard/view.h"

namespace quarrion {

class HelpWindow;
class QBXMLTags;
class ViewPanel;

// What the two display-columns wizards share: the View their panels edit, the panel that
// comes up being told so (forward and back alike), Help opening the program's help
// window at the current panel's page, and named buttons.
//
// The help window is the wizard's own child: a modal wizard blocks every other window,
// the main window's help included, and the user must be able to scroll the help while
// the wizard waits.
class ViewWizard : public QWizard {
    Q_OBJECT

  public:
    // `catalog` is the application's catalog and outlives the wizard; `helpIndex` is the
    // URL of the help contents (the panels' pages sit beside it).
    ViewWizard(const QBXMLTags& catalog, QString helpIndex, QWidget* parent = nullptr);
    ~ViewWizard() override;

    View& SharedView() { return view_; }
    // `text` with the request-type placeholders replaced for the view's type.
    QString FormatText(const QString& text) const;
    ViewPanel* CurrentPanel() const;
    // Null until Help is first pressed.
    HelpWindow* Help() const;

  signals:
    void Cancelled();
    void Finished();

  protected:
    // Adds `panel` as the step `id`.
    void AddPanel(int id, ViewPanel* panel);
    // What Finish does after the last panel accepted: false keeps the wizard open.
    virtual bool Complete() = 0;
    // Cancel, Escape or the close box.
    virtual void Abandoned() {}

    const QBXMLTags& catalog_;

  public slots:
    void accept() override;
    void reject() override;

  private:
    void ShowHelp();

    View view_;
    QString helpIndex_;
    QPointer<HelpWindow> help_;
};

}  // namespace quarrion
