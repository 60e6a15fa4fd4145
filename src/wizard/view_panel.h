#pragma once

#include <QString>
#include <QWizardPage>

class QLabel;

namespace quarrion {

class View;

// One step of a display-columns wizard. Panels talk only through the wizard's shared
// View: each reads it when it comes up (Shown) and writes it when the user leaves it
// forward (IsValid), so the same panels serve both wizards.
class ViewPanel : public QWizardPage {
    Q_OBJECT

  public:
    // Title of the validation messages every panel shows.
    static constexpr const char* MessageTitle = "Quarrion Wizard";

    // `view` belongs to the hosting wizard and outlives the panel.
    ViewPanel(View& view, QWidget* parent = nullptr);

    View& SharedView() const { return view_; }
    // The instruction text, with the request-type placeholders still in it.
    virtual QString Information() const = 0;
    // Checked before the user leaves the panel forward (Next or Finish); false keeps
    // the user on it, after a message saying why.
    virtual bool IsValid() = 0;
    // Fills the panel from the view; the wizard calls it every time the panel comes up,
    // forward or back.
    virtual void Shown() = 0;
    // The help page (a file in the help folder) that explains the panel.
    virtual QString HelpPage() const = 0;

    bool validatePage() override { return IsValid(); }
    // Going back keeps what the user did on the panel; Shown decides what it shows.
    void cleanupPage() override {}

    QLabel* lblInformation() const { return lblInformation_; }

  protected:
    // Shows Information with the view's request type filled in.
    void ShowInformation();
    // The panel's message in the program's message dialog, titled MessageTitle.
    void Complain(const QString& message);

  private:
    View& view_;
    QLabel* lblInformation_;
};

// Gives `widget` the object name, the accessible name and the tool tip every control
// of the wizard carries.
void NameControl(QWidget* widget, const char* objectName, const QString& accessibleName,
                 const QString& toolTip);

}  // namespace quarrion
