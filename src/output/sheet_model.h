#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <vector>

#include "results/result_list.h"

namespace quarrion {

// One worksheet's preview over a result list the owner keeps alive: the headings as
// column headers, each cell as the sheet's format shows it (sheet_preview.h), and the
// totals row below the last row when the list has one. Read-only.
class SheetModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit SheetModel(const ResultList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    bool HasTotals() const { return !totals_.empty(); }

  private:
    bool IsTotalsRow(int row) const;

    const ResultList& list_;
    std::vector<std::optional<std::string>> totals_;
};

}  // namespace quarrion
