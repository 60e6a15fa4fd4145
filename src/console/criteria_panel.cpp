#include "console/criteria_panel.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "console/control_names.h"
#include "console/criterion_row.h"

namespace quarrion {

namespace {

QLabel* Heading(QWidget* parent, const QString& text, const QString& name, int width) {
    auto* label = new QLabel(text, parent);
    NameControl(label, name, text, QStringLiteral("Column: ") + text);
    if (width > 0) label->setFixedWidth(width);
    return label;
}

}  // namespace

CriteriaPanel::CriteriaPanel(QWidget* parent, const QString& caption, const QString& subjectHeading,
                             int subjectWidth)
    : QWidget(parent),
      caption_(caption),
      lblTitle_(new QLabel(this)),
      scroll_(new QScrollArea(this)),
      rowsArea_(new QWidget),
      column_(new QVBoxLayout(rowsArea_)) {
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblTitle_->setAlignment(Qt::AlignCenter);
    lblTitle_->setAutoFillBackground(true);
    QPalette titleColours = lblTitle_->palette();
    titleColours.setColor(QPalette::Window, QColor(0x69, 0x69, 0x69));
    titleColours.setColor(QPalette::WindowText, QColor(0xfa, 0xfe, 0xf5));
    lblTitle_->setPalette(titleColours);
    QFont bold = lblTitle_->font();
    bold.setBold(true);
    lblTitle_->setFont(bold);

    auto* headings = new QWidget(this);
    headings->setObjectName(QStringLiteral("headings"));
    auto* headingRow = new QHBoxLayout(headings);
    // The rows sit inside the scroll area's frame; the headings line up with them.
    const int inset = CriterionRow::RowMargin + scroll_->frameWidth();
    headingRow->setContentsMargins(inset, 0, inset, 0);
    headingRow->setSpacing(CriterionRow::ColumnSpacing);
    headingRow->addSpacing(CriterionRow::AndOrWidth);
    headingRow->addWidget(
        Heading(headings, subjectHeading, QStringLiteral("lblDataType"), subjectWidth));
    headingRow->addWidget(Heading(headings, QStringLiteral("Compare"), QStringLiteral("lblCompare"),
                                  CriterionRow::CompareWidth()));
    headingRow->addWidget(
        Heading(headings, QStringLiteral("Compare Value(s)"), QStringLiteral("lblValues"), 0), 1);

    column_->setContentsMargins(0, 0, 0, 0);
    column_->setSpacing(0);
    column_->addStretch(1);
    rowsArea_->setObjectName(QStringLiteral("rows"));
    scroll_->setObjectName(QStringLiteral("scrRows"));
    scroll_->setWidget(rowsArea_);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll_->setMinimumHeight(60);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(lblTitle_);
    layout->addWidget(headings);
    layout->addWidget(scroll_, 1);
    ShowTitle();
}

void CriteriaPanel::SetCaption(const QString& caption) {
    caption_ = caption;
    ShowTitle();
}

QString CriteriaPanel::Title() const {
    return caption_;
}

void CriteriaPanel::ShowTitle() {
    lblTitle_->setText(Title());
    lblTitle_->setAccessibleName(Title());
    lblTitle_->setToolTip(Title());
}

CriterionRow* CriteriaPanel::Row(int position) const {
    if (position < 1 || position > rows_.size()) return nullptr;
    return rows_.at(position - 1);
}

bool CriteriaPanel::ContainsData() const {
    for (CriterionRow* row : rows_) {
        if (row->ContainsData()) return true;
    }
    return false;
}

void CriteriaPanel::KeepRoomForRows(const CriterionRow& row) {
    // Measured on a plain row; the bar's room is kept so a wide rule scrolling sideways
    // does not cover the last row.
    const int room = RoomyRows * row.sizeHint().height() + 2 * scroll_->frameWidth() +
                     scroll_->horizontalScrollBar()->sizeHint().height();
    scroll_->setMinimumHeight(std::max(scroll_->minimumHeight(), room));
}

CriterionRow* CriteriaPanel::AppendRow() {
    CriterionRow* row = NewRow(rowsArea_);
    row->setAccessibleName(row->accessibleName() + QStringLiteral(" %1").arg(rows_.size() + 1));
    column_->insertWidget(rows_.size(), row);
    rows_.append(row);
    if (rows_.size() == 1) KeepRoomForRows(*row);
    connect(row, &CriterionRow::Edited, this, [this] {
        changed_ = true;
        emit Edited();
    });
    connect(row, &CriterionRow::FocusChainChanged, this, &CriteriaPanel::RelinkTabOrder);
    connect(row, &CriterionRow::Entered, this, [this, row] {
        const int index = rows_.indexOf(row);
        if (index == rows_.size() - 1) {
            emit SearchRequested();
        } else if (index >= 0) {
            rows_.at(index + 1)->cboAndOr()->setFocus(Qt::TabFocusReason);
        }
    });
    row->show();
    return row;
}

void CriteriaPanel::RemoveLastRow() {
    CriterionRow* row = rows_.takeLast();
    if (row->isAncestorOf(QApplication::focusWidget()) && !rows_.isEmpty()) {
        rows_.last()->cboAndOr()->setFocus(Qt::OtherFocusReason);
    }
    row->hide();
    row->deleteLater();
}

void CriteriaPanel::ResetRows() {
    while (!rows_.isEmpty()) RemoveLastRow();
    AppendRow();
    RelinkTabOrder();
}

void CriteriaPanel::Clear() {
    ResetRows();
    changed_ = false;
    emit RowsChanged(rows_.size());
}

void CriteriaPanel::More() {
    CriterionRow* row = AppendRow();
    RelinkTabOrder();
    // Shown once laid out, so the new row can be typed into at once.
    QTimer::singleShot(0, this, [this, row] {
        if (rows_.contains(row)) scroll_->ensureWidgetVisible(row);
    });
    emit RowsChanged(rows_.size());
}

void CriteriaPanel::Less() {
    if (rows_.size() <= 1) return;
    if (rows_.last()->ContainsData()) changed_ = true;
    RemoveLastRow();
    RelinkTabOrder();
    emit RowsChanged(rows_.size());
}

void CriteriaPanel::RelinkTabOrder() {
    QWidget* previous = nullptr;
    for (CriterionRow* row : rows_) {
        for (QWidget* control : row->FocusChain()) {
            if (previous) QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
}

}  // namespace quarrion
