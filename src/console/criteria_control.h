#pragma once

#include "console/criteria_panel.h"

namespace quarrion {

class CriterionControl;
class Examinors;

// The global rule editor (the console's criView; the re-search window uses it as it
// stands). Each row is one Criterion; the rows in order make the groups of an
// Examinors: rows without data are skipped, the first row with data and every row with
// data joined by OR start a new group.
//
// Use: construct with a parent; LoadExaminors shows a search's rules; ReadExaminors
// writes the rows back as groups; Clear leaves one empty row; More and Less add and
// remove the last row (never the only one); RowCount, ContainsData, Changed (any edit
// since the last load or clear) and Title (the caption line) describe it. RowsChanged,
// Edited and SearchRequested (Enter in the last row's value) tell the host.
class CriteriaControl : public CriteriaPanel {
    Q_OBJECT

  public:
    static constexpr const char* DefaultCaption = "Global Search Rule Set";

    explicit CriteriaControl(QWidget* parent = nullptr);

    // Clears, then shows every rule of every group in order, one row each (a copy of
    // the rule, its join included). Nothing counts as changed afterwards.
    void LoadExaminors(const Examinors& examinors);
    // Replaces the groups of `target` with those the rows make.
    void ReadExaminors(Examinors& target) const;

    CriterionControl* Criterion(int position) const;

  protected:
    CriterionRow* NewRow(QWidget* parent) override;
};

}  // namespace quarrion
