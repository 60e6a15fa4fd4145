#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace quarrion {

class CriterionRow;

// What the two rule editors (CriteriaControl, FieldCriteriaControl) share: a caption
// line, column headings, and a scrolling column of rule rows that grows with More and
// shrinks with Less but never below one row. Tab visits the rows in order; Enter in the
// last row's value raises SearchRequested, in an earlier row it moves to the next row.
class CriteriaPanel : public QWidget {
    Q_OBJECT

  public:
    // One empty row remains; nothing counts as changed.
    void Clear();
    // Adds an empty row at the end.
    void More();
    // Removes the last row; a single row is never removed.
    void Less();
    int RowCount() const { return rows_.size(); }
    // Any row holds a rule with data.
    bool ContainsData() const;
    // Any row edited (or a row with data removed) since the last load or clear.
    bool Changed() const { return changed_; }
    // The caption line as shown.
    virtual QString Title() const;
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    CriterionRow* Row(int position) const;
    QLabel* lblTitle() const { return lblTitle_; }

  signals:
    // Rows were added or removed (the count after the change).
    void RowsChanged(int count);
    // A row was edited by the user.
    void Edited();
    // Enter in the last row's value: the user wants to search.
    void SearchRequested();

  protected:
    CriteriaPanel(QWidget* parent, const QString& caption, const QString& subjectHeading,
                  int subjectWidth);

    // A new, empty row of the panel's kind, parented to `parent`.
    virtual CriterionRow* NewRow(QWidget* parent) = 0;
    // Removes every row but the first, which is replaced by a fresh one.
    void ResetRows();
    // Appends a row (for loading); emits nothing.
    CriterionRow* AppendRow();
    void ShowTitle();
    void SetChanged(bool changed) { changed_ = changed; }
    void RelinkTabOrder();
    const QList<CriterionRow*>& Rows() const { return rows_; }

    // Shows the rules of `groups` (each group's by `rulesOf(group)`) in rows of type
    // `RowType`: every group after the first opens with OR and its other rules are
    // joined by AND, whatever joins the rules carried. Nothing counts as changed after.
    template <typename RowType, typename Groups, typename RulesOf>
    void LoadGroups(const Groups& groups, RulesOf rulesOf) {
        ResetRows();
        bool firstRow = true;
        bool firstGroup = true;
        for (const auto& group : groups) {
            bool opensGroup = true;
            for (const auto& rule : rulesOf(group)) {
                auto* row = static_cast<RowType*>(firstRow ? Rows().front() : AppendRow());
                row->LoadCriterion(rule);
                row->SetAndOr(opensGroup && !firstGroup ? QStringLiteral("OR")
                                                        : QStringLiteral("AND"));
                firstRow = false;
                opensGroup = false;
            }
            if (!opensGroup) firstGroup = false;
        }
        RelinkTabOrder();
        SetChanged(false);
        emit RowsChanged(RowCount());
    }

    // The rules the rows of type `RowType` hold, in row order.
    template <typename RowType>
    auto RowRules() const {
        std::vector<decltype(&std::declval<RowType&>().Criterion())> rules;
        for (CriterionRow* row : Rows()) rules.push_back(&static_cast<RowType*>(row)->Criterion());
        return rules;
    }

  private:
    // The rule rows that show whole before the rows scroll.
    static constexpr int RoomyRows = 4;

    void RemoveLastRow();
    // Sizes the scroll area from `row` so RoomyRows rows show at once.
    void KeepRoomForRows(const CriterionRow& row);

    QString caption_;
    QLabel* lblTitle_;
    QScrollArea* scroll_;
    QWidget* rowsArea_;
    QVBoxLayout* column_;
    QList<CriterionRow*> rows_;
    bool changed_ = false;
};

}  // namespace quarrion
