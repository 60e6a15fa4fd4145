#include "wizard/view_wizard.h"

#include <QAbstractButton>

#include "shell/help_window.h"
#include "wizard/format_text.h"
#include "wizard/view_panel.h"

namespace quarrion {

ViewWizard::ViewWizard(const QBXMLTags& catalog, QString helpIndex, QWidget* parent)
    : QWizard(parent), catalog_(catalog), helpIndex_(std::move(helpIndex)) {
    setWizardStyle(QWizard::ModernStyle);
    setOption(QWizard::HaveHelpButton, true);
    setOption(QWizard::NoBackButtonOnStartPage, true);
    setMinimumSize(620, 520);

    struct Named {
        WizardButton which;
        const char* name;
        const char* accessible;
        const char* tip;
    };
    const Named buttons[] = {
        {BackButton, "cmdBack", "Back", "Returns to the previous step"},
        {NextButton, "cmdNext", "Next", "Goes on to the next step"},
        {FinishButton, "cmdFinish", "Finish", "Keeps the choices and closes the wizard"},
        {CancelButton, "cmdCancel", "Cancel", "Closes the wizard and changes nothing"},
        {HelpButton, "cmdHelp", "Help", "Explains this step"},
        {CommitButton, "cmdCommit", "Commit", "Keeps this step's choices"},
    };
    for (const Named& named : buttons) {
        QAbstractButton* button = this->button(named.which);
        NameControl(button, named.name, QString::fromLatin1(named.accessible),
                    QString::fromLatin1(named.tip));
    }

    connect(this, &QWizard::helpRequested, this, &ViewWizard::ShowHelp);
    connect(this, &QWizard::currentIdChanged, this, [this] {
        if (ViewPanel* panel = CurrentPanel()) panel->Shown();
    });
}

ViewWizard::~ViewWizard() = default;

QString ViewWizard::FormatText(const QString& text) const {
    return QString::fromStdString(quarrion::FormatText(text.toStdString(), view_.RequestType));
}

ViewPanel* ViewWizard::CurrentPanel() const {
    return qobject_cast<ViewPanel*>(currentPage());
}

HelpWindow* ViewWizard::Help() const {
    return help_;
}

void ViewWizard::AddPanel(int id, ViewPanel* panel) {
    setPage(id, panel);
}

void ViewWizard::accept() {
    if (!validateCurrentPage()) return;
    if (!Complete()) return;
    emit Finished();
    QDialog::accept();
}

void ViewWizard::reject() {
    Abandoned();
    emit Cancelled();
    QDialog::reject();
}

void ViewWizard::ShowHelp() {
    ViewPanel* panel = CurrentPanel();
    if (!help_) {
        help_ = new HelpWindow(helpIndex_, this);
        help_->setAttribute(Qt::WA_DeleteOnClose);
    }
    help_->ShowPage(panel ? panel->HelpPage() : QStringLiteral("columns-wizard.html"));
}

}  // namespace quarrion
