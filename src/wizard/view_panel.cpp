#include "wizard/view_panel.h"

#include <QLabel>

#include "shell/frm_dialog.h"
#include "wizard/format_text.h"
#include "wizard/view.h"

namespace quarrion {

ViewPanel::ViewPanel(View& view, QWidget* parent)
    : QWizardPage(parent), view_(view), lblInformation_(new QLabel(this)) {
    lblInformation_->setWordWrap(true);
    lblInformation_->setTextFormat(Qt::PlainText);
    NameControl(lblInformation_, "lblInformation", QStringLiteral("Instructions"),
                QStringLiteral("What this step of the wizard does"));
}

void ViewPanel::ShowInformation() {
    lblInformation_->setText(
        QString::fromStdString(FormatText(Information().toStdString(), view_.RequestType)));
}

void ViewPanel::Complain(const QString& message) {
    MessageDialog(this, QString::fromLatin1(MessageTitle), message);
}

void NameControl(QWidget* widget, const char* objectName, const QString& accessibleName,
                 const QString& toolTip) {
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(accessibleName);
    widget->setToolTip(toolTip);
}

}  // namespace quarrion
