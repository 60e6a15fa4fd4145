#include "wizard/view_preview.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "wizard/view.h"

namespace quarrion {

ViewPreview::ViewPreview(View& view, QWidget* parent)
    : ViewPanel(view, parent),
      lstView_(new QTableView(this)),
      model_(new QStandardItemModel(this)),
      txtHeading_(new QLineEdit(this)),
      cmdMoveLeft_(new QPushButton(QStringLiteral("Move &Left"), this)),
      cmdMoveRight_(new QPushButton(QStringLiteral("Move &Right"), this)),
      lblEmpty_(new QLabel(this)) {
    setTitle(QStringLiteral("Order and name the columns"));
    NameControl(lstView_, "lstView", QStringLiteral("Column preview"),
                QStringLiteral("Drag a heading left or right to move its column; click it to "
                               "edit its text below"));
    NameControl(txtHeading_, "txtHeading", QStringLiteral("Column heading"),
                QStringLiteral("The text of the chosen column's heading"));
    NameControl(cmdMoveLeft_, "cmdMoveLeft", QStringLiteral("Move column left"),
                QStringLiteral("Moves the chosen column one place to the left"));
    NameControl(cmdMoveRight_, "cmdMoveRight", QStringLiteral("Move column right"),
                QStringLiteral("Moves the chosen column one place to the right"));
    NameControl(lblEmpty_, "lblEmpty", QStringLiteral("No columns"),
                QStringLiteral("This type shows no columns yet"));
    lblEmpty_->setWordWrap(true);

    lstView_->setModel(model_);
    lstView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstView_->setSelectionBehavior(QAbstractItemView::SelectColumns);
    lstView_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstView_->verticalHeader()->hide();
    lstView_->setWordWrap(false);
    QHeaderView* header = lstView_->horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setHighlightSections(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(false);
    // The preview is a header over one row (the element each column shows) and the
    // scroll bar, like the top of a result list.
    lstView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    connect(header, &QHeaderView::sectionClicked, this, &ViewPreview::Choose);
    connect(header, &QHeaderView::sectionMoved, this, [this] { ShowMoveButtons(); });
    connect(lstView_->selectionModel(), &QItemSelectionModel::currentColumnChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.column() != chosen_) Choose(current.column());
            });
    connect(txtHeading_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (chosen_ >= 0) model_->setHeaderData(chosen_, Qt::Horizontal, text);
    });
    connect(cmdMoveLeft_, &QPushButton::clicked, this, [this] { MoveChosen(-1); });
    connect(cmdMoveRight_, &QPushButton::clicked, this, [this] { MoveChosen(+1); });

    auto* headingLabel = new QLabel(QStringLiteral("Column &heading:"), this);
    headingLabel->setBuddy(txtHeading_);
    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(headingLabel);
    headingRow->addWidget(txtHeading_, 1);
    headingRow->addWidget(cmdMoveLeft_);
    headingRow->addWidget(cmdMoveRight_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInformation());
    layout->addWidget(lblEmpty_);
    layout->addWidget(lstView_);
    layout->addLayout(headingRow);
    layout->addStretch(1);
}

QHeaderView* ViewPreview::Header() const {
    return lstView_->horizontalHeader();
}

QString ViewPreview::Information() const {
    return QStringLiteral(
        "Use this panel, to set the default positions/sequence of the "
        "QuickBooks data columns, for &requesttitle, "
        "that are returned for the "
        "search results, by dragging a column to the "
        "left or the right.\n\n"
        "In addition, you can change the text of the column. "
        "When you click on a column, you can edit the text in "
        "the input field below.");
}

void ViewPreview::Shown() {
    ShowInformation();
    chosen_ = -1;
    txtHeading_->clear();
    txtHeading_->setEnabled(false);
    keys_.clear();

    std::vector<ViewTag*> shown = SharedView().ShownTags();
    // A fresh model drops the header's earlier moves along with the old columns.
    model_->clear();
    model_->setColumnCount(static_cast<int>(shown.size()));
    // One row under the headings names the element each column shows.
    if (!shown.empty()) model_->setRowCount(1);
    for (int column = 0; column < static_cast<int>(shown.size()); ++column) {
        const ViewTag* tag = shown[static_cast<std::size_t>(column)];
        model_->setHeaderData(column, Qt::Horizontal, QString::fromStdString(tag->Heading));
        auto* element = new QStandardItem(QString::fromStdString(ElementPath(tag->TagName)));
        element->setToolTip(QString::fromStdString(tag->TagName));
        model_->setItem(0, column, element);
        keys_.push_back(tag->TagName);
    }
    QHeaderView* header = Header();
    lstView_->resizeColumnsToContents();
    for (int logical = 0; logical < header->count(); ++logical) {
        header->moveSection(header->visualIndex(logical), logical);
        header->resizeSection(logical, std::clamp(header->sectionSize(logical) + 12, 90, 260));
    }
    lblEmpty_->setText(shown.empty()
                           ? QStringLiteral("No columns are shown for this type yet. Go Back and "
                                            "choose Add/Remove Columns to pick some.")
                           : QString());
    lblEmpty_->setVisible(shown.empty());
    lstView_->setFixedHeight(std::max(header->sizeHint().height(), fontMetrics().height() + 8) +
                             lstView_->verticalHeader()->defaultSectionSize() +
                             lstView_->horizontalScrollBar()->sizeHint().height() +
                             2 * lstView_->frameWidth() + 2);
    ShowMoveButtons();
    lstView_->setFocus();
}

bool ViewPreview::IsValid() {
    std::vector<View::PreviewColumn> columns;
    QHeaderView* header = Header();
    for (int logical = 0; logical < static_cast<int>(keys_.size()); ++logical) {
        columns.push_back({keys_[static_cast<std::size_t>(logical)],
                           header->visualIndex(logical) + 1,
                           model_->headerData(logical, Qt::Horizontal).toString().toStdString()});
    }
    SharedView().ApplyPreview(columns);
    return true;
}

void ViewPreview::Choose(int logical) {
    if (logical < 0 || logical >= static_cast<int>(keys_.size())) return;
    chosen_ = logical;
    txtHeading_->setEnabled(true);
    txtHeading_->setText(model_->headerData(logical, Qt::Horizontal).toString());
    if (lstView_->currentIndex().column() != logical) {
        lstView_->setCurrentIndex(model_->index(0, logical));
    }
    ShowMoveButtons();
}

void ViewPreview::MoveChosen(int step) {
    if (chosen_ < 0) return;
    QHeaderView* header = Header();
    const int from = header->visualIndex(chosen_);
    const int to = from + step;
    if (to < 0 || to >= header->count()) return;
    header->moveSection(from, to);
    lstView_->scrollTo(model_->index(0, chosen_));
}

void ViewPreview::ShowMoveButtons() {
    const int at = chosen_ < 0 ? -1 : Header()->visualIndex(chosen_);
    cmdMoveLeft_->setEnabled(at > 0);
    cmdMoveRight_->setEnabled(at >= 0 && at < Header()->count() - 1);
}

}  // namespace quarrion
