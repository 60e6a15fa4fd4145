#include "shell/frm_pop_up.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/artwork.h"

namespace quarrion {

namespace {

QString ForDisplay(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

frmPopUp::frmPopUp(QWidget* parent)
    : QDialog(parent), lblMessage_(new QLabel(this)), lblSolution_(new QLabel(this)) {
    setObjectName(QStringLiteral("frmPopUp"));
    setWindowTitle(QStringLiteral("Quarrion"));
    setModal(true);
    lblMessage_->setObjectName(QStringLiteral("lblMessage"));
    lblSolution_->setObjectName(QStringLiteral("lblSolution"));
    for (QLabel* label : {lblMessage_, lblSolution_}) {
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setMinimumWidth(380);
    }
    QFont bold = lblMessage_->font();
    bold.setBold(true);
    lblMessage_->setFont(bold);

    auto* icon = new QLabel(this);
    icon->setPixmap(Artwork::Picture(QStringLiteral("warning"), 40));
    icon->setAlignment(Qt::AlignTop);
    auto* heading = new QLabel(QStringLiteral("What you can do:"), this);
    auto* text = new QVBoxLayout;
    text->addWidget(lblMessage_);
    text->addSpacing(8);
    text->addWidget(heading);
    text->addWidget(lblSolution_);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(text, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmPopUp::SetMessage(const QString& message) {
    message_ = message;
    lblMessage_->setText(ForDisplay(message));
}

void frmPopUp::SetSolution(const QString& solution) {
    solution_ = solution;
    lblSolution_->setText(ForDisplay(solution));
}

}  // namespace quarrion
