#pragma once

#include <string>
#include <vector>

#include "wizard/view_panel.h"

class QHeaderView;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace quarrion {

// The column order and headings: one column per shown tag, in column order, under a
// header whose sections the user drags to reorder. Clicking a heading (or moving to its
// column with the keyboard) puts its text in the heading field, where every change goes
// straight into the heading. Move Left and Move Right reorder from the keyboard. Only
// shown columns are offered; a type with none says so.
//
// Leaving forward gives each column's tag its display position and heading.
class ViewPreview : public ViewPanel {
    Q_OBJECT

  public:
    explicit ViewPreview(View& view, QWidget* parent = nullptr);

    QString Information() const override;
    bool IsValid() override;
    void Shown() override;
    QString HelpPage() const override { return QStringLiteral("wizard-preview.html"); }

    QTableView* lstView() const { return lstView_; }
    QHeaderView* Header() const;
    QLineEdit* txtHeading() const { return txtHeading_; }
    // The tag path of each column, by logical index (the column's key).
    const std::vector<std::string>& Keys() const { return keys_; }
    // The column whose heading the field edits; -1 before one is chosen.
    int Chosen() const { return chosen_; }

  private:
    void Choose(int logical);
    // Moves the chosen column one place left (-1) or right (+1) on screen.
    void MoveChosen(int step);
    void ShowMoveButtons();

    QTableView* lstView_;
    QStandardItemModel* model_;
    QLineEdit* txtHeading_;
    QPushButton* cmdMoveLeft_;
    QPushButton* cmdMoveRight_;
    QLabel* lblEmpty_;
    std::vector<std::string> keys_;
    int chosen_ = -1;
};

}  // namespace quarrion
