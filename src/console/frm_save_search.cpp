#include "console/frm_save_search.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "console/control_names.h"
#include "shell/frm_dialog.h"

namespace quarrion {

frmSaveSearch::frmSaveSearch(QWidget* parent)
    : QDialog(parent),
      lblMessage_(new QLabel(this)),
      txtName_(new QLineEdit(this)),
      txtDesc_(new QLineEdit(this)),
      cmdSave_(new QPushButton(QStringLiteral("&Save"), this)),
      cmdCancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmSaveSearch"));
    setWindowTitle(QStringLiteral("Save Search Rules"));
    setModal(true);
    NameControl(lblMessage_, QStringLiteral("lblMessage"), QStringLiteral("Message"),
                QStringLiteral("What to enter"));
    NameControl(txtName_, QStringLiteral("txtName"), QStringLiteral("Search name"),
                QStringLiteral("The name the search is saved under; a saved search of the same "
                               "name is replaced after you confirm"));
    NameControl(txtDesc_, QStringLiteral("txtDesc"), QStringLiteral("Description"),
                QStringLiteral("A brief description of the search rules (optional)"));
    NameControl(cmdSave_, QStringLiteral("cmdSave"), QStringLiteral("Save"),
                QStringLiteral("Save the search under this name"));
    NameControl(cmdCancel_, QStringLiteral("cmdCancel"), QStringLiteral("Cancel"),
                QStringLiteral("Close without saving"));
    lblMessage_->setWordWrap(true);
    lblMessage_->setMinimumWidth(360);
    txtName_->setMaxLength(255);
    txtDesc_->setMaxLength(255);
    cmdSave_->setDefault(true);
    txtName_->installEventFilter(this);
    txtDesc_->installEventFilter(this);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Name"), txtName_);
    fields->addRow(QStringLiteral("&Description"), txtDesc_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage_);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdSave_, &QPushButton::clicked, this, &frmSaveSearch::Save);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmSaveSearch::reject);
}

void frmSaveSearch::SetMessage(const QString& message) {
    lblMessage_->setText(message);
}

QString frmSaveSearch::Message() const {
    return lblMessage_->text();
}

QString frmSaveSearch::SearchName() const {
    return txtName_->text();
}

void frmSaveSearch::SetSearchName(const QString& name) {
    txtName_->setText(name);
}

QString frmSaveSearch::Description() const {
    return txtDesc_->text();
}

void frmSaveSearch::SetDescription(const QString& description) {
    txtDesc_->setText(description);
}

void frmSaveSearch::Save() {
    if (txtName_->text().trimmed().isEmpty()) {
        MessageDialog(this, QStringLiteral("Cannot Save Search"),
                      QStringLiteral("You must enter a name for the search, before you can save "
                                     "it."));
        txtName_->setFocus(Qt::OtherFocusReason);
        return;
    }
    buttonPressed_ = SavePressed;
    done(QDialog::Accepted);
}

void frmSaveSearch::reject() {
    buttonPressed_ = CancelPressed;
    QDialog::reject();
}

bool frmSaveSearch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        // After the focus change settles, or the click that brought it clears the
        // selection again.
        if (box) QTimer::singleShot(0, box, [box] { box->selectAll(); });
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quarrion
