#include "output/sheet_model.h"

#include <algorithm>

#include <QBrush>
#include <QColor>
#include <QFont>

#include "output/sheet_preview.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

const QColor kTotalFill(0xCC, 0xFF, 0xCC);

bool RightAligned(std::int32_t code) {
    return DataTypeCode::IsNumber(code);
}

}  // namespace

SheetModel::SheetModel(const ResultList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), totals_(SheetTotals(list)) {
    // The sheet gets a totals row only when some column is totalled.
    if (std::none_of(totals_.begin(), totals_.end(), [](const auto& total) { return total; })) {
        totals_.clear();
    }
}

int SheetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(list_.Rows.size()) + (HasTotals() ? 1 : 0);
}

int SheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.Columns.size());
}

bool SheetModel::IsTotalsRow(int row) const {
    return HasTotals() && row == static_cast<int>(list_.Rows.size());
}

QVariant SheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto column = static_cast<std::size_t>(index.column());
    const std::int32_t code = list_.Columns[column].DataTypeCode;
    if (IsTotalsRow(index.row())) {
        switch (role) {
            case Qt::DisplayRole:
                return totals_[column] ? QString::fromStdString(*totals_[column]) : QString();
            case Qt::FontRole: {
                QFont font;
                font.setBold(true);
                font.setItalic(true);
                return font;
            }
            case Qt::BackgroundRole:
                return QBrush(kTotalFill);
            case Qt::TextAlignmentRole:
                return static_cast<int>(Qt::AlignRight | Qt::AlignTop);
            default:
                return {};
        }
    }
    const ResultRow& row = list_.Rows[static_cast<std::size_t>(index.row())];
    const std::string empty;
    const std::string& cell = column < row.Cells.size() ? row.Cells[column] : empty;
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(SheetCellText(cell, code));
        case Qt::ForegroundRole:
            return SheetCellNegative(cell, code) ? QVariant(QBrush(Qt::red)) : QVariant();
        case Qt::TextAlignmentRole:
            return static_cast<int>((RightAligned(code) ? Qt::AlignRight : Qt::AlignLeft) |
                                    Qt::AlignTop);
        default:
            return {};
    }
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        return QString::fromStdString(list_.Columns[static_cast<std::size_t>(section)].Heading);
    }
    return IsTotalsRow(section) ? QStringLiteral("Total") : QString::number(section + 1);
}

}  // namespace quarrion
