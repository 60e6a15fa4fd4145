#include "results/re_search_console.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "console/criteria_control.h"
#include "console/field_criteria_control.h"
#include "model/inc_item.h"
#include "shell/frm_dialog.h"

namespace quarrion {

namespace {

QPushButton* MakeButton(const QString& name, const QString& text, const QString& tip,
                        QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAccessibleName(text);
    button->setToolTip(tip);
    return button;
}

}  // namespace

ReSearchConsole::ReSearchConsole(const QBXMLTags& catalog, QWidget* parent)
    : QWidget(parent),
      criView_(new CriteriaControl(this)),
      fldView_(new FieldCriteriaControl(this, &catalog)),
      cmdOK_(MakeButton("cmdOK", "Set", "Keep these field rules for the type", this)),
      cmdCancel_(
          MakeButton("cmdCancel", "Cancel", "Forget the changes to these field rules", this)),
      cmdReset_(MakeButton("cmdReset", "Close", "Close without searching again", this)),
      cmdSave_(MakeButton("cmdSave", "Save", "Saving is done in the search console", this)),
      cmdSearch_(MakeButton("cmdSearch", "Search", "Search the kept answers again with these rules",
                            this)),
      cmdMore_(MakeButton("cmdMore", "More", "Add a rule line", this)),
      cmdLess_(MakeButton("cmdLess", "Less", "Remove the last rule line", this)) {
    setObjectName(QStringLiteral("conView"));
    setAccessibleName(QStringLiteral("Search rules"));
    setToolTip(QStringLiteral("The rules the kept answers are searched with"));
    criView_->setObjectName(QStringLiteral("criView"));
    criView_->setAccessibleName(QStringLiteral("Global search rules"));
    criView_->setToolTip(QStringLiteral("Rules tried on every element whose data type fits"));
    fldView_->setObjectName(QStringLiteral("fldView"));
    fldView_->setAccessibleName(QStringLiteral("Field search rules"));
    fldView_->setToolTip(
        QStringLiteral("Rules on named fields of one type; they decide that type alone"));
    fldView_->hide();
    cmdSave_->setEnabled(false);
    cmdOK_->hide();
    cmdCancel_->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdMore_);
    buttons->addWidget(cmdLess_);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdReset_);
    buttons->addWidget(cmdSearch_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(criView_, 1);
    layout->addWidget(fldView_, 1);
    layout->addLayout(buttons);

    connect(cmdOK_, &QPushButton::clicked, this, &ReSearchConsole::SetFieldRules);
    connect(cmdCancel_, &QPushButton::clicked, this, &ReSearchConsole::ShowGlobalRules);
    connect(cmdSearch_, &QPushButton::clicked, this, &ReSearchConsole::RunSearch);
    connect(cmdReset_, &QPushButton::clicked, this, &ReSearchConsole::Reset);
    connect(cmdMore_, &QPushButton::clicked, this, &ReSearchConsole::More);
    connect(cmdLess_, &QPushButton::clicked, this, &ReSearchConsole::Less);
    connect(criView_, &CriteriaPanel::RowsChanged, this, &ReSearchConsole::UpdateLess);
    connect(fldView_, &CriteriaPanel::RowsChanged, this, &ReSearchConsole::UpdateLess);
    connect(criView_, &CriteriaPanel::SearchRequested, this, [this] {
        if (cmdSearch_->isEnabled()) RunSearch();
    });
}

void ReSearchConsole::SetSearchObject(quarrion::SearchObject2& search) {
    search_.Copy(search, CopyDirection::FromTarget);
    selection_ = 0;
    ShowGlobalRules();
}

bool ReSearchConsole::FieldRulesShown() const {
    return selection_ != 0 && !fldView_->isHidden();
}

void ReSearchConsole::NewSelection(std::int32_t requestType) {
    if (FieldRulesShown() && fldView_->Changed() && requestType != selection_) {
        std::int16_t pressed = QuestionDialog(
            this, QStringLiteral("Search Rule Sets"),
            QStringLiteral("Do you want to keep the ") + fldView_->Title() +
                QStringLiteral("?\nClick OK to keep them, or CANCEL to discard them."),
            QStringLiteral("CANCEL"), QStringLiteral("OK"));
        if (pressed == frmDialog::OkPressed) {
            IncItem* item = search_.IncludeItems.ItemByRequestType(selection_);
            if (item) {
                if (fldView_->ContainsData()) {
                    fldView_->ReadFieldExaminors(item->FieldExaminors);
                } else {
                    item->FieldExaminors.Clear();
                }
            }
        }
    }
    cmdReset_->setEnabled(false);
    cmdReset_->hide();
    IncItem* item =
        requestType != 0 ? search_.IncludeItems.ItemByRequestType(requestType) : nullptr;
    if (!item) {
        ShowGlobalRules();
        return;
    }
    // The global rules edited so far stay with the definition while a type is open.
    if (selection_ == 0) criView_->ReadExaminors(search_.Examinors);
    selection_ = requestType;
    criView_->hide();
    fldView_->LoadFieldExaminors(requestType, item->FieldExaminors);
    fldView_->show();
    UpdateLess();
    cmdOK_->setText(QStringLiteral("Set ") + fldView_->Title());
    cmdCancel_->setText(QStringLiteral("Cancel ") + fldView_->Title());
    cmdOK_->setAccessibleName(cmdOK_->text());
    cmdCancel_->setAccessibleName(cmdCancel_->text());
    cmdOK_->show();
    cmdCancel_->show();
    cmdSearch_->setEnabled(false);
    cmdSave_->setEnabled(false);
}

void ReSearchConsole::SetFieldRules() {
    if (IncItem* item = search_.IncludeItems.ItemByRequestType(selection_)) {
        if (fldView_->ContainsData()) {
            fldView_->ReadFieldExaminors(item->FieldExaminors);
        } else {
            item->FieldExaminors.Clear();
        }
    }
    ShowGlobalRules();
}

void ReSearchConsole::ShowGlobalRules() {
    selection_ = 0;
    fldView_->hide();
    cmdOK_->hide();
    cmdCancel_->hide();
    criView_->LoadExaminors(search_.Examinors);
    criView_->show();
    UpdateLess();
    cmdSearch_->setEnabled(true);
    cmdReset_->setEnabled(true);
    cmdReset_->show();
}

void ReSearchConsole::RunSearch() {
    criView_->ReadExaminors(search_.Examinors);
    // The search columns are chosen again from these rules by the results window's
    // re-search, which owns the catalog's choice.
    emit Search();
}

void ReSearchConsole::More() {
    if (FieldRulesShown()) {
        fldView_->More();
    } else {
        criView_->More();
    }
    UpdateLess();
}

void ReSearchConsole::Less() {
    if (FieldRulesShown()) {
        fldView_->Less();
    } else {
        criView_->Less();
    }
    UpdateLess();
}

void ReSearchConsole::UpdateLess() {
    const CriteriaPanel* shown =
        FieldRulesShown() ? static_cast<CriteriaPanel*>(fldView_) : criView_;
    cmdLess_->setEnabled(shown->RowCount() >= 2);
}

}  // namespace quarrion
