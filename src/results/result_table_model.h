#pragma once

#include <QAbstractTableModel>
#include <QCollator>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "results/result_list.h"

namespace quarrion {

// One results tab's list as a table: a view over the engine's ResultList (owned by the
// window's SearchRun), never a copy of it. The model keeps only the order in which the
// engine's rows are shown, so sorting moves 4-byte row numbers rather than rows, and
// 100,000 rows cost the model 400 KB on top of the engine's cells.
//
// The engine appends rows while it examines a response; `Refresh` shows those added
// since the last call (in sort position when the list is sorted). When the engine is
// about to rebuild the list (a re-examination), `Clear` must come first: the model then
// forgets every row it showed.
class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // How a column compares its cells, from its qbXML data type.
    enum class SortKind { Number, Day, Plain, Text };

    explicit ResultTableModel(QObject* parent = nullptr);

    // The list to show; it must outlive the model or be replaced first. nullptr shows
    // nothing.
    void SetList(const ResultList* list);
    const ResultList* List() const { return list_; }

    // Forgets every row shown; call before the engine empties the list.
    void Clear();
    // Shows the rows the engine appended since the last call.
    void Refresh();
    // The cells of `column` changed in place (to-print marking): repaints them.
    void CellsChanged(int column);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Sorts the shown order by `column`: numbers by value (a blank or unreadable cell
    // before every number), days and moments in time order, ids and codes by their
    // text, text by the user's locale. Rows that compare equal keep the order of the response.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // -1 until the first sort.
    int SortColumn() const { return sortColumn_; }
    Qt::SortOrder SortOrder() const { return sortOrder_; }
    static SortKind SortKindOf(std::int32_t dataTypeCode);
    // Orders text columns: the user's locale. The C locale (no language chosen) would
    // order by code point, putting "Zeta" before "apple"; it gets the English order.
    static QCollator TextCollator();

    // The engine's row shown at `row`, or nullptr outside the rows shown.
    const ResultRow* RowAt(int row) const;
    // The shown row of the row with `key`, or -1.
    int RowOfKey(const std::string& key) const;

    // The list as the user sees it: columns in `columnOrder` (logical column numbers,
    // left to right; empty keeps the list's order), rows in the shown order.
    ResultList Shown(const std::vector<int>& columnOrder = {}) const;

    // The bytes the model itself holds for its rows (the shown order), not counting the
    // engine's cells.
    std::size_t MemoryBytes() const;

  private:
    void Order(std::vector<std::uint32_t> order);
    std::vector<std::uint32_t> Sorted(int column, Qt::SortOrder order) const;

    const ResultList* list_ = nullptr;
    // order_[shown row] = the engine's row number.
    std::vector<std::uint32_t> order_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

}  // namespace quarrion
