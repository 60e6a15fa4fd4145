#pragma once

#include <QColor>

#include "wizard/view_panel.h"

class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

namespace quarrion {

// The column selection: every candidate column of the type in the view's order, checked
// when it is shown, coloured by how deep its element sits in the record. A filter box
// narrows the list (a type offers up to 250 columns) without changing what is checked.
// Clicking a row anywhere, or Space on it, toggles its check mark.
//
// Leaving forward numbers the checked columns after every earlier position, in list
// order (View::NumberChecked); with none checked the user stays with a message.
class ViewColumns : public ViewPanel {
    Q_OBJECT

  public:
    // Data role of the first column's items: the tag's path, the node's key.
    static constexpr int TagNameRole = Qt::UserRole + 1;

    // `information` is the wizard's own instruction text for the panel.
    ViewColumns(View& view, QString information, QWidget* parent = nullptr);

    QString Information() const override { return information_; }
    bool IsValid() override;
    void Shown() override;
    QString HelpPage() const override { return QStringLiteral("wizard-columns.html"); }

    // Black for elements directly below the record (level 1), blue for level 2 (often a
    // reference: a customer's, vendor's or account's name), red for deeper ones (mostly
    // detail lines, of which only the first would show). An invalid colour means the
    // view's default text colour.
    static QColor LevelColour(int level);

    QTreeView* tvwView() const { return tvwView_; }
    QLineEdit* txtFilter() const { return txtFilter_; }
    // The nodes in list order (filtered out or not).
    QStandardItemModel* Nodes() const { return model_; }
    // Toggles the node in the list's row `row` (unfiltered order).
    void Toggle(int row);

  private:
    void ToggleShown(const QModelIndex& index);
    void ShowCount();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QString information_;
    QLineEdit* txtFilter_;
    QTreeView* tvwView_;
    QStandardItemModel* model_;
    QSortFilterProxyModel* filter_;
    QPushButton* cmdClearAll_;
    QLabel* lblCount_;
};

}  // namespace quarrion
