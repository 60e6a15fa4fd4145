#include "console/request_control.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "catalog/qbxml_tags.h"
#include "console/control_names.h"
#include "foundation/text_fold.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

const QString kNoWizard =
    QStringLiteral("The display-columns wizard is not part of this build of Quarrion.");

}  // namespace

RequestControl::RequestControl(QWidget* parent)
    : QWidget(parent),
      lblCaption_(new QLabel(QString::fromLatin1(DefaultCaption), this)),
      tvwTypes_(new QTreeView(this)),
      model_(new QStandardItemModel(this)),
      mnuType_(new QMenu(this)) {
    NameControl(this, QStringLiteral("RequestControl"), QStringLiteral("Transactions and lists"),
                QStringLiteral("The types to search: tick them; right-click a type for its own "
                               "rules and columns"));
    NameControl(lblCaption_, QStringLiteral("lblTypesCaption"), QString::fromLatin1(DefaultCaption),
                QStringLiteral("The list and transaction types a search includes"));
    NameControl(tvwTypes_, QStringLiteral("lvwTypes"), QStringLiteral("Types to search"),
                QStringLiteral("Tick the types to search (Space ticks); the menu key or a right "
                               "click opens a type's menu"));
    NameControl(mnuType_, QStringLiteral("mnuType"), QStringLiteral("Type menu"),
                QStringLiteral("Commands for one type"));
    lblCaption_->setAlignment(Qt::AlignCenter);
    QFont bold = lblCaption_->font();
    bold.setBold(true);
    lblCaption_->setFont(bold);

    tvwTypes_->setModel(model_);
    tvwTypes_->setRootIsDecorated(false);
    tvwTypes_->setHeaderHidden(true);
    tvwTypes_->setUniformRowHeights(true);
    tvwTypes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvwTypes_->setContextMenuPolicy(Qt::CustomContextMenu);

    mnuRefine_ = mnuType_->addAction(QStringLiteral("Refine Search"));
    mnuRefine_->setObjectName(QStringLiteral("mnuRefineSearch"));
    mnuRefine_->setToolTip(QStringLiteral("Edit rules on this type's own fields"));
    mnuRefineEvery_ = mnuType_->addAction(QStringLiteral("Refine Every Included Type"));
    mnuRefineEvery_->setObjectName(QStringLiteral("mnuRefineEveryType"));
    mnuRefineEvery_->setToolTip(QStringLiteral(
        "Edit rules for every ticked type that has the field; the other types keep the "
        "global rules"));
    mnuClear_ = mnuType_->addAction(QStringLiteral("Clear Search"));
    mnuClear_->setObjectName(QStringLiteral("mnuClearSearch"));
    mnuClear_->setToolTip(QStringLiteral("Forget this type's field rules and chosen columns"));
    mnuColumns_ = mnuType_->addAction(QStringLiteral("Display Columns"));
    mnuColumns_->setObjectName(QStringLiteral("mnuDisplayColumns"));
    mnuColumns_->setEnabled(false);
    mnuColumns_->setToolTip(kNoWizard);
    mnuType_->setToolTipsVisible(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(lblCaption_);
    layout->addWidget(tvwTypes_, 1);

    connect(mnuRefine_, &QAction::triggered, this, [this] { RefineSearch(menuType_); });
    connect(mnuRefineEvery_, &QAction::triggered, this, &RequestControl::RefineEveryType);
    connect(mnuClear_, &QAction::triggered, this, [this] { ClearSearch(menuType_); });
    connect(mnuColumns_, &QAction::triggered, this, [this] { ShowDisplayColumns(menuType_); });
    connect(tvwTypes_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        // The menu key asks at no particular line: it means the current one.
        QModelIndex index = tvwTypes_->indexAt(at);
        if (!index.isValid()) index = tvwTypes_->currentIndex();
        if (!index.isValid()) return;
        MenuFor(index.row())->popup(tvwTypes_->viewport()->mapToGlobal(at));
    });
    connect(model_, &QStandardItemModel::itemChanged, this, [this] {
        if (filling_) return;
        changed_ = true;
        emit TicksChanged();
    });
}

void RequestControl::Fill(const QBXMLTags& catalog,
                          const std::function<bool(std::int32_t)>& ticked) {
    filling_ = true;
    model_->clear();
    rules_.Clear();
    for (const RequestType& type : RequestTypeInfo::All()) {
        auto* line = new QStandardItem(QString::fromUtf8(type.title.data(), type.title.size()));
        line->setData(QString::fromUtf8(type.stem.data(), type.stem.size()), KeyRole);
        line->setData(type.code, TagRole);
        line->setCheckable(true);
        line->setCheckState(ticked(type.code) ? Qt::Checked : Qt::Unchecked);
        line->setToolTip(
            QStringLiteral("Tick to search %1 (right-click for its rules)").arg(line->text()));
        line->setAccessibleText(line->text());
        model_->appendRow(line);
        rules_.Add(type.code, &catalog);
    }
    filling_ = false;
    changed_ = false;
}

int RequestControl::Count() const {
    return model_->rowCount();
}

int RequestControl::SelectCount() const {
    return static_cast<int>(TickedTypes().size());
}

std::vector<std::int32_t> RequestControl::TickedTypes() const {
    std::vector<std::int32_t> types;
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->item(row)->checkState() == Qt::Checked) types.push_back(TypeAt(row));
    }
    return types;
}

std::int32_t RequestControl::TypeAt(int row) const {
    QStandardItem* line = model_->item(row);
    return line ? line->data(TagRole).toInt() : 0;
}

QStandardItem* RequestControl::ItemOf(std::int32_t requestType) const {
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (TypeAt(row) == requestType) return model_->item(row);
    }
    return nullptr;
}

bool RequestControl::IsTicked(std::int32_t requestType) const {
    QStandardItem* line = ItemOf(requestType);
    return line && line->checkState() == Qt::Checked;
}

bool RequestControl::SetTicked(const std::string& name, bool ticked) {
    for (int row = 0; row < model_->rowCount(); ++row) {
        QStandardItem* line = model_->item(row);
        if (EqualsIgnoringCase(line->data(KeyRole).toString().toStdString(), name)) {
            line->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
            return true;
        }
    }
    return false;
}

void RequestControl::Clear() {
    filling_ = true;
    for (int row = 0; row < model_->rowCount(); ++row) {
        model_->item(row)->setCheckState(Qt::Unchecked);
    }
    for (RequestSearchRule& rule : rules_) rule.Reset();
    filling_ = false;
    changed_ = false;
}

RequestSearchRule* RequestControl::Rule(std::int32_t requestType) {
    return rules_.Item(RequestTypeInfo::TypeName(requestType));
}

void RequestControl::SetColumnsLauncher(ColumnsLauncher launcher) {
    columns_ = std::move(launcher);
    mnuColumns_->setEnabled(static_cast<bool>(columns_));
    mnuColumns_->setToolTip(columns_ ? QStringLiteral("Choose the result columns of this type for "
                                                      "this search")
                                     : kNoWizard);
}

QMenu* RequestControl::MenuFor(int row) {
    menuType_ = TypeAt(row);
    const QString title = QString::fromStdString(RequestTypeInfo::TypeTitle(menuType_));
    mnuType_->setTitle(title);
    mnuType_->setAccessibleName(title + QStringLiteral(" menu"));
    return mnuType_;
}

void RequestControl::RefineSearch(std::int32_t requestType) {
    if (!Rule(requestType)) return;
    emit RefineSearchChosen(requestType);
}

void RequestControl::RefineEveryType() {
    emit RefineEveryTypeChosen();
}

void RequestControl::ClearSearch(std::int32_t requestType) {
    RequestSearchRule* rule = Rule(requestType);
    if (!rule) return;
    rule->Reset();
    changed_ = true;
    emit SearchCleared(requestType);
}

void RequestControl::ShowDisplayColumns(std::int32_t requestType) {
    RequestSearchRule* rule = Rule(requestType);
    if (!rule || !columns_) return;
    if (columns_(requestType, rule->DisplayColumns)) emit DisplayColumnsChanged(requestType);
}

}  // namespace quarrion
