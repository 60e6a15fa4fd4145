#include "shell/frm_msg.h"

#include <QCloseEvent>
#include <QLabel>

namespace quarrion {

frmMsg::frmMsg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Message_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmMsg"));
    Message_->setObjectName(QStringLiteral("Message"));
    Message_->setWordWrap(true);
    Message_->setAlignment(Qt::AlignCenter);
    Message_->setMargin(16);
    resize(380, 110);
}

void frmMsg::SetMessage(const QString& message) {
    Message_->setText(message);
}

QString frmMsg::Message() const {
    return Message_->text();
}

void frmMsg::reject() {
    // Escape must not hide the notice while the work it announces still runs.
}

void frmMsg::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    event->accept();
    done(QDialog::Rejected);
}

void frmMsg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Message_->setGeometry(0, 0, width(), height());
}

}  // namespace quarrion
