#include "shell/frm_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/common_tools.h"
#include "shell/artwork.h"
#include "shell/unattended.h"

namespace quarrion {

frmDialog::frmDialog(QWidget* parent)
    : QDialog(parent),
      lblMessage_(new QLabel(this)),
      cmdOK_(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmDialog"));
    setModal(true);
    lblMessage_->setObjectName(QStringLiteral("lblMessage"));
    lblMessage_->setWordWrap(true);
    lblMessage_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblMessage_->setMinimumWidth(320);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdOK_->setDefault(true);
    cmdCancel_->setVisible(false);
    cmdCancel_->setEnabled(false);

    lblIcon_ = new QLabel(this);
    lblIcon_->setPixmap(Artwork::Picture(QStringLiteral("info"), 32));
    lblIcon_->setAlignment(Qt::AlignTop);
    auto* top = new QHBoxLayout;
    top->addWidget(lblIcon_);
    top->addWidget(lblMessage_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK_, &QPushButton::clicked, this, [this] { Press(OkPressed); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { Press(CancelPressed); });
}

void frmDialog::SetAdditionalButtons(std::int32_t buttons) {
    bool offer = CommonTools::HasFlag(buttons, WithCancel);
    cmdCancel_->setVisible(offer);
    cmdCancel_->setEnabled(offer);
    lblIcon_->setPixmap(
        Artwork::Picture(offer ? QStringLiteral("help") : QStringLiteral("info"), 32));
}

void frmDialog::SetMessage(const QString& message) {
    lblMessage_->setText(message);
}

QString frmDialog::Message() const {
    return lblMessage_->text();
}

void frmDialog::Press(std::int16_t code) {
    buttonPressed_ = code;
    hide();
}

void MessageDialog(QWidget* parent, const QString& caption, const QString& message) {
    if (Unattended::IsOn()) {
        Unattended::Report(caption, message);
        return;
    }
    frmDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.SetMessage(message);
    dialog.exec();
}

std::int16_t QuestionDialog(QWidget* parent, const QString& caption, const QString& message,
                            const QString& secondButton, const QString& firstButton) {
    if (Unattended::IsOn()) {
        // Nobody can answer: the cautious answer is the one that changes nothing.
        Unattended::Report(caption, message);
        return frmDialog::CancelPressed;
    }
    frmDialog dialog(parent);
    dialog.SetAdditionalButtons(frmDialog::WithCancel);
    dialog.SetMessage(message);
    dialog.setWindowTitle(caption);
    dialog.cmdCancel()->setText(secondButton);
    dialog.cmdOK()->setText(firstButton);
    dialog.exec();
    return dialog.ButtonPressed();
}

}  // namespace quarrion
