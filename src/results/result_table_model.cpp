#include "results/result_table_model.h"

#include <QCollator>
#include <algorithm>
#include <charconv>
#include <limits>
#include <numeric>
#include <string_view>
#include <unordered_map>

#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

// A blank or unreadable number sorts before every number.
double NumberOf(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first < last && (*first == ' ' || *first == '+')) ++first;
    double value = 0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end == first) return -std::numeric_limits<double>::infinity();
    return value;
}

const std::string& CellOf(const ResultRow& row, int column) {
    static const std::string empty;
    auto at = static_cast<std::size_t>(column);
    return at < row.Cells.size() ? row.Cells[at] : empty;
}

// A day or a moment written year first ("2024-03-01", "2024-03-01T09:30:00"): its
// digits as one number keep its order. Blank sorts first.
std::int64_t DayOf(const std::string& text) {
    std::int64_t value = 0;
    int digits = 0;
    for (char c : text) {
        if (c < '0' || c > '9') continue;
        if (++digits > 14) break;
        value = value * 10 + (c - '0');
    }
    // Pad to fourteen digits, so a day sorts before the moments of that day.
    for (; digits < 14; ++digits) value *= 10;
    return text.empty() ? -1 : value;
}

// Sorts the row numbers 0..n-1 by `key`, ascending or descending; equal keys keep the
// response's order either way. Keys and row numbers sit side by side, so the sort
// walks memory in order.
template <typename Key>
std::vector<std::uint32_t> SortBy(const std::vector<Key>& key, Qt::SortOrder order) {
    std::vector<std::pair<Key, std::uint32_t>> pairs(key.size());
    for (std::uint32_t r = 0; r < key.size(); ++r) pairs[r] = {key[r], r};
    if (order == Qt::AscendingOrder) {
        std::sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) {
            return a.first < b.first || (!(b.first < a.first) && a.second < b.second);
        });
    } else {
        std::sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) {
            return b.first < a.first || (!(a.first < b.first) && a.second < b.second);
        });
    }
    std::vector<std::uint32_t> rows(pairs.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) rows[i] = pairs[i].second;
    return rows;
}

}  // namespace

QCollator ResultTableModel::TextCollator() {
    QLocale locale;
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English, QLocale::UnitedStates);
    return QCollator(locale);
}

ResultTableModel::ResultTableModel(QObject* parent) : QAbstractTableModel(parent) {}

ResultTableModel::SortKind ResultTableModel::SortKindOf(std::int32_t dataTypeCode) {
    if (DataTypeCode::IsNumber(dataTypeCode)) return SortKind::Number;
    // Ids and codes are compared as written.
    switch (dataTypeCode) {
        case DataTypeCode::Date:
        case DataTypeCode::DateTime:
            return SortKind::Day;
        case DataTypeCode::Id:
        case DataTypeCode::Guid:
            return SortKind::Plain;
        default:
            return SortKind::Text;
    }
}

void ResultTableModel::SetList(const ResultList* list) {
    beginResetModel();
    list_ = list;
    order_.clear();
    if (list_) {
        order_.resize(list_->Rows.size());
        std::iota(order_.begin(), order_.end(), 0u);
    }
    endResetModel();
    if (list_ && sortColumn_ >= 0) sort(sortColumn_, sortOrder_);
}

void ResultTableModel::Clear() {
    beginResetModel();
    order_.clear();
    endResetModel();
}

void ResultTableModel::Refresh() {
    if (!list_) return;
    const std::size_t count = list_->Rows.size();
    if (count < order_.size()) {
        // The engine rebuilt the list without a Clear first: show it afresh.
        SetList(list_);
        return;
    }
    if (count == order_.size()) return;
    beginInsertRows(QModelIndex(), static_cast<int>(order_.size()), static_cast<int>(count) - 1);
    for (std::size_t row = order_.size(); row < count; ++row)
        order_.push_back(static_cast<std::uint32_t>(row));
    endInsertRows();
    if (sortColumn_ >= 0) Order(Sorted(sortColumn_, sortOrder_));
}

void ResultTableModel::CellsChanged(int column) {
    if (order_.empty() || column < 0 || column >= columnCount()) return;
    emit dataChanged(index(0, column), index(static_cast<int>(order_.size()) - 1, column),
                     {Qt::DisplayRole});
}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !list_ ? 0 : static_cast<int>(list_->Columns.size());
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    const ResultRow* row = RowAt(index.row());
    if (!row || index.column() < 0 || index.column() >= columnCount()) return {};
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(CellOf(*row, index.column()));
        case Qt::ToolTipRole:
            // The text that made the record match, as the list's tips show it.
            return row->MatchText.empty() ? QVariant() : QString::fromStdString(row->MatchText);
        case Qt::TextAlignmentRole:
            if (SortKindOf(list_->Columns[static_cast<std::size_t>(index.column())].DataTypeCode) ==
                SortKind::Number) {
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            }
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || !list_ || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const ResultColumn& column = list_->Columns[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole) return QString::fromStdString(column.Heading);
    if (role == Qt::ToolTipRole) {
        return QStringLiteral("%1 (click to sort)").arg(QString::fromStdString(column.Key));
    }
    return {};
}

const ResultRow* ResultTableModel::RowAt(int row) const {
    if (!list_ || row < 0 || static_cast<std::size_t>(row) >= order_.size()) return nullptr;
    std::uint32_t at = order_[static_cast<std::size_t>(row)];
    return at < list_->Rows.size() ? &list_->Rows[at] : nullptr;
}

int ResultTableModel::RowOfKey(const std::string& key) const {
    for (std::size_t row = 0; row < order_.size(); ++row) {
        const ResultRow* shown = RowAt(static_cast<int>(row));
        if (shown && shown->Key == key) return static_cast<int>(row);
    }
    return -1;
}

void ResultTableModel::sort(int column, Qt::SortOrder order) {
    if (!list_ || column < 0 || column >= columnCount()) return;
    sortColumn_ = column;
    sortOrder_ = order;
    Order(Sorted(column, order));
}

std::vector<std::uint32_t> ResultTableModel::Sorted(int column, Qt::SortOrder order) const {
    const std::vector<ResultRow>& rows = list_->Rows;
    const std::size_t count = std::min(rows.size(), order_.size());
    switch (SortKindOf(list_->Columns[static_cast<std::size_t>(column)].DataTypeCode)) {
        case SortKind::Number: {
            std::vector<double> key(count);
            for (std::size_t r = 0; r < count; ++r) key[r] = NumberOf(CellOf(rows[r], column));
            return SortBy(key, order);
        }
        case SortKind::Day: {
            std::vector<std::int64_t> key(count);
            for (std::size_t r = 0; r < count; ++r) key[r] = DayOf(CellOf(rows[r], column));
            return SortBy(key, order);
        }
        case SortKind::Plain: {
            std::vector<std::string_view> key(count);
            for (std::size_t r = 0; r < count; ++r) key[r] = CellOf(rows[r], column);
            return SortBy(key, order);
        }
        case SortKind::Text:
            break;
    }
    // Locale-aware comparison is the costly part, so each distinct text is collated once:
    // the distinct texts are sorted by the collator, and rows then sort by the rank of
    // their text, an integer.
    std::unordered_map<std::string_view, std::uint32_t> distinct;
    distinct.reserve(count);
    std::vector<std::uint32_t> key(count);
    std::vector<std::string_view> texts;
    for (std::size_t r = 0; r < count; ++r) {
        auto [at, added] =
            distinct.try_emplace(CellOf(rows[r], column), static_cast<std::uint32_t>(texts.size()));
        if (added) texts.push_back(at->first);
        key[r] = at->second;
    }
    QCollator collator = TextCollator();
    std::vector<QCollatorSortKey> sortKeys;
    sortKeys.reserve(texts.size());
    for (std::string_view text : texts) {
        sortKeys.push_back(
            collator.sortKey(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
    }
    std::vector<std::uint32_t> byText(texts.size());
    std::iota(byText.begin(), byText.end(), 0u);
    std::sort(byText.begin(), byText.end(), [&](std::uint32_t a, std::uint32_t b) {
        int compared = sortKeys[a].compare(sortKeys[b]);
        // Texts the collator holds equal still get distinct, fixed ranks.
        return compared != 0 ? compared < 0 : texts[a] < texts[b];
    });
    std::vector<std::uint32_t> rank(texts.size());
    for (std::uint32_t position = 0; position < byText.size(); ++position)
        rank[byText[position]] = position;
    for (std::uint32_t& k : key) k = rank[k];
    return SortBy(key, order);
}

void ResultTableModel::Order(std::vector<std::uint32_t> order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::uint32_t> engineRows;
    engineRows.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before)
        engineRows.push_back(order_[static_cast<std::size_t>(index.row())]);
    order_ = std::move(order);
    if (!before.isEmpty()) {
        std::vector<std::uint32_t> shownAt(order_.size());
        for (std::uint32_t row = 0; row < order_.size(); ++row) shownAt[order_[row]] = row;
        QModelIndexList after;
        after.reserve(before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            after.append(index(static_cast<int>(shownAt[engineRows[static_cast<std::size_t>(i)]]),
                               before[i].column()));
        }
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

ResultList ResultTableModel::Shown(const std::vector<int>& columnOrder) const {
    ResultList shown;
    if (!list_) return shown;
    shown.RequestType = list_->RequestType;
    shown.Title = list_->Title;
    std::vector<int> columns = columnOrder;
    if (columns.empty()) {
        columns.resize(list_->Columns.size());
        std::iota(columns.begin(), columns.end(), 0);
    }
    for (int column : columns)
        shown.Columns.push_back(list_->Columns[static_cast<std::size_t>(column)]);
    shown.Rows.reserve(order_.size());
    for (std::size_t row = 0; row < order_.size(); ++row) {
        const ResultRow* from = RowAt(static_cast<int>(row));
        if (!from) continue;
        ResultRow& to = shown.Rows.emplace_back();
        to.Key = from->Key;
        to.MatchText = from->MatchText;
        to.Cells.reserve(columns.size());
        for (int column : columns) to.Cells.push_back(CellOf(*from, column));
    }
    return shown;
}

std::size_t ResultTableModel::MemoryBytes() const {
    return sizeof(*this) + order_.capacity() * sizeof(std::uint32_t);
}

}  // namespace quarrion
