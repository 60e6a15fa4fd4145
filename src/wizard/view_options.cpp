#include "wizard/view_options.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quarrion {

ViewOptions::ViewOptions(View& view, QWidget* parent)
    : ViewPanel(view, parent),
      group_(new QButtonGroup(this)),
      optAddRemove_(new QRadioButton(QStringLiteral("&Add/Remove Columns"), this)),
      optModify_(new QRadioButton(QStringLiteral("&Modify Columns"), this)) {
    setTitle(QStringLiteral("How do you want to change the columns?"));
    NameControl(optAddRemove_, "optType0", QStringLiteral("Add/Remove Columns"),
                QStringLiteral("Choose which columns the search results show"));
    NameControl(optModify_, "optType1", QStringLiteral("Modify Columns"),
                QStringLiteral("Reorder the shown columns and change their headings"));
    group_->addButton(optAddRemove_, 0);
    group_->addButton(optModify_, 1);
    connect(group_, &QButtonGroup::idToggled, this, [this] { emit completeChanged(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInformation());
    layout->addSpacing(12);
    layout->addWidget(optAddRemove_);
    layout->addWidget(optModify_);
    layout->addStretch(1);
}

QString ViewOptions::Information() const {
    return QStringLiteral(
        "Use this panel to choose how you want to change the search results "
        "of &requesttitle QuickBooks data.\n\n"
        "By selecting \"Add/Remove Columns\" you will be able to control which "
        "&requesttitle QuickBooks "
        "data columns will appear in the search results.\n\n"
        "By selecting \"Modify Columns\" you will be able to set the sequence of the data "
        "columns, "
        "and optionally change their column headings.");
}

void ViewOptions::Shown() {
    ShowInformation();
    // An exclusive group keeps one button checked; clearing both needs it lifted.
    group_->setExclusive(false);
    optAddRemove_->setChecked(false);
    optModify_->setChecked(false);
    group_->setExclusive(true);
    optAddRemove_->setFocus();
    emit completeChanged();
}

bool ViewOptions::isComplete() const {
    return AddRemoveChosen() || ModifyChosen();
}

bool ViewOptions::AddRemoveChosen() const {
    return optAddRemove_->isChecked();
}

bool ViewOptions::ModifyChosen() const {
    return optModify_->isChecked();
}

}  // namespace quarrion
