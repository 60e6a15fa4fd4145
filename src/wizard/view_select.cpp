#include "wizard/view_select.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

#include "qbxml/request_type_info.h"
#include "wizard/view.h"

namespace quarrion {

ViewSelect::ViewSelect(View& view, const QBXMLTags& catalog, QWidget* parent)
    : ViewPanel(view, parent), catalog_(catalog), cboType_(new QComboBox(this)) {
    setTitle(QStringLiteral("Welcome to the Search Results Preferences Wizard"));
    NameControl(cboType_, "cboType", QStringLiteral("List or transaction type"),
                QStringLiteral("The list or transaction type whose result columns you change"));
    for (const RequestType& type : RequestTypeInfo::All()) {
        cboType_->addItem(QString::fromUtf8(type.title.data(), static_cast<int>(type.title.size())),
                          type.code);
    }
    cboType_->setCurrentIndex(-1);
    cboType_->setPlaceholderText(QStringLiteral("Choose a list or transaction type"));
    cboType_->setMaxVisibleItems(20);

    auto* label = new QLabel(QStringLiteral("List or transaction &type:"), this);
    label->setBuddy(cboType_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInformation());
    layout->addSpacing(12);
    layout->addWidget(label);
    layout->addWidget(cboType_);
    layout->addStretch(1);
}

QString ViewSelect::Information() const {
    return QStringLiteral(
        "Use this wizard, to define how QuickBooks data columns are "
        "to appear in your search results, for each type of list and/or "
        "transaction.\n\n"
        "To begin, select a list or transaction type from "
        "the drop-down list below this paragraph.");
}

void ViewSelect::Shown() {
    ShowInformation();
    cboType_->setFocus();
}

bool ViewSelect::IsValid() {
    if (cboType_->currentIndex() < 0 || cboType_->currentText().trimmed().isEmpty()) {
        Complain(
            QStringLiteral("You must select a list/transaction view, before you can continue."));
        return false;
    }
    SharedView().LoadCatalog(catalog_, cboType_->currentData().toInt());
    return true;
}

}  // namespace quarrion
