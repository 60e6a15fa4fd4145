#include "wizard/view_columns.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <vector>

#include "wizard/view.h"

namespace quarrion {

namespace {

QString LevelNote(int level) {
    if (level == 2) {
        return QStringLiteral(
            "May be referential data: the name of a payee, customer, vendor or account is a "
            "good choice.");
    }
    if (level >= 3) {
        return QStringLiteral(
            "Probably part of a detail line that appears more than once; only its first "
            "occurrence is shown.");
    }
    return QStringLiteral("A good choice: the record holds it once.");
}

}  // namespace

ViewColumns::ViewColumns(View& view, QString information, QWidget* parent)
    : ViewPanel(view, parent),
      information_(std::move(information)),
      txtFilter_(new QLineEdit(this)),
      tvwView_(new QTreeView(this)),
      model_(new QStandardItemModel(0, 2, this)),
      filter_(new QSortFilterProxyModel(this)),
      cmdClearAll_(new QPushButton(QStringLiteral("&Uncheck All"), this)),
      lblCount_(new QLabel(this)) {
    setTitle(QStringLiteral("Select the columns"));
    NameControl(txtFilter_, "txtFilter", QStringLiteral("Filter columns"),
                QStringLiteral("Shows only the columns whose heading or element holds this text"));
    NameControl(tvwView_, "tvwView", QStringLiteral("Columns"),
                QStringLiteral("Checked columns appear in the search results; click a column or "
                               "press Space to check or uncheck it"));
    NameControl(cmdClearAll_, "cmdClearAll", QStringLiteral("Uncheck all columns"),
                QStringLiteral("Unchecks every column, shown by the filter or not"));
    NameControl(lblCount_, "lblCount", QStringLiteral("Checked columns"),
                QStringLiteral("How many columns the search results will show"));
    txtFilter_->setPlaceholderText(QStringLiteral("Filter by heading or element"));
    txtFilter_->setClearButtonEnabled(true);

    model_->setHorizontalHeaderLabels({QStringLiteral("Column"), QStringLiteral("Element")});
    filter_->setSourceModel(model_);
    filter_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    filter_->setFilterKeyColumn(-1);
    tvwView_->setModel(filter_);
    tvwView_->setRootIsDecorated(false);
    tvwView_->setUniformRowHeights(true);
    tvwView_->setAllColumnsShowFocus(true);
    tvwView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvwView_->setSelectionMode(QAbstractItemView::SingleSelection);
    tvwView_->header()->setStretchLastSection(true);
    tvwView_->installEventFilter(this);

    connect(txtFilter_, &QLineEdit::textChanged, filter_,
            &QSortFilterProxyModel::setFilterFixedString);
    connect(tvwView_, &QTreeView::clicked, this, &ViewColumns::ToggleShown);
    connect(cmdClearAll_, &QPushButton::clicked, this, [this] {
        for (int row = 0; row < model_->rowCount(); ++row) {
            model_->item(row, 0)->setCheckState(Qt::Unchecked);
        }
        ShowCount();
    });

    auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
    filterLabel->setBuddy(txtFilter_);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(txtFilter_, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(lblCount_, 1);
    countRow->addWidget(cmdClearAll_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInformation());
    layout->addLayout(filterRow);
    layout->addWidget(tvwView_, 1);
    layout->addLayout(countRow);
}

QColor ViewColumns::LevelColour(int level) {
    if (level == 2) return QColor(0, 0, 255);
    if (level >= 3) return QColor(255, 0, 0);
    return {};
}

void ViewColumns::Shown() {
    ShowInformation();
    txtFilter_->clear();
    model_->removeRows(0, model_->rowCount());
    for (const auto& tag : SharedView().Tags) {
        auto* heading = new QStandardItem(QString::fromStdString(tag->Heading));
        auto* element = new QStandardItem(QString::fromStdString(ElementPath(tag->TagName)));
        heading->setData(QString::fromStdString(tag->TagName), TagNameRole);
        // The rows toggle themselves (click or Space anywhere on the row), so the
        // items are not user-checkable: the box would otherwise toggle twice.
        heading->setCheckState(tag->Sequence >= 1 ? Qt::Checked : Qt::Unchecked);
        const QString note = LevelNote(tag->Level);
        for (QStandardItem* item : {heading, element}) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setToolTip(note);
            if (QColor colour = LevelColour(tag->Level); colour.isValid()) {
                item->setForeground(colour);
            }
        }
        model_->appendRow({heading, element});
    }
    tvwView_->resizeColumnToContents(0);
    // The keyboard starts on the first row without selecting it, so its colour shows.
    if (filter_->rowCount() > 0) {
        tvwView_->selectionModel()->setCurrentIndex(filter_->index(0, 0),
                                                    QItemSelectionModel::NoUpdate);
    }
    tvwView_->setFocus();
    ShowCount();
}

bool ViewColumns::IsValid() {
    std::vector<View::CheckedNode> nodes;
    nodes.reserve(static_cast<std::size_t>(model_->rowCount()));
    for (int row = 0; row < model_->rowCount(); ++row) {
        QStandardItem* item = model_->item(row, 0);
        nodes.push_back(
            {item->data(TagNameRole).toString().toStdString(), item->checkState() == Qt::Checked});
    }
    if (SharedView().NumberChecked(nodes) == 0) {
        Complain(
            QStringLiteral("You must select at least one column to display in search results."));
        return false;
    }
    return true;
}

void ViewColumns::Toggle(int row) {
    QStandardItem* item = model_->item(row, 0);
    if (!item) return;
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    ShowCount();
}

void ViewColumns::ToggleShown(const QModelIndex& index) {
    if (index.isValid()) Toggle(filter_->mapToSource(index).row());
}

void ViewColumns::ShowCount() {
    int checked = 0;
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->item(row, 0)->checkState() == Qt::Checked) ++checked;
    }
    lblCount_->setText(
        QStringLiteral("%1 of %2 columns checked").arg(checked).arg(model_->rowCount()));
}

bool ViewColumns::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tvwView_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            ToggleShown(tvwView_->currentIndex());
            return true;
        }
    }
    return ViewPanel::eventFilter(watched, event);
}

}  // namespace quarrion
