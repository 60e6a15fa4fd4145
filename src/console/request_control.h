#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "model/request_search_rule.h"

class QAction;
class QLabel;
class QMenu;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

namespace quarrion {

class QBXMLTags;

// The console's list of request types (lstView): one line per offered type with a
// tick box (data: key = the type's name, text = its title, tag = its code), and the
// standing rules of every type (RequestSearchRules: field rules and display columns).
// Each line's context menu offers Refine Search (edit the type's field rules), Refine
// Every Included Type (edit field rules meant for every ticked type that has the
// field), Clear Search (forget the type's rules and chosen columns) and Display Columns
// (the per-search columns wizard, when the program has one).
class RequestControl : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* DefaultCaption = "Transactions and Lists";
    // Model roles of a line.
    static constexpr int KeyRole = Qt::UserRole + 1;
    static constexpr int TagRole = Qt::UserRole + 2;

    explicit RequestControl(QWidget* parent = nullptr);

    // Empties the list, then adds a line and a standing rule for every offered code in
    // code order, ticked as `ticked(code)` says. The catalog gives the rules their
    // default display columns and must outlive the control.
    void Fill(const QBXMLTags& catalog, const std::function<bool(std::int32_t)>& ticked);

    // Lines shown, ticked lines, and the codes of the ticked lines in list order.
    int Count() const;
    int SelectCount() const;
    std::vector<std::int32_t> TickedTypes() const;
    // The code of the line at 0-based `row`; 0 when there is none.
    std::int32_t TypeAt(int row) const;
    bool IsTicked(std::int32_t requestType) const;
    // Ticks or unticks the line whose key is `name` (any letter case); false when none.
    bool SetTicked(const std::string& name, bool ticked);

    // Every tick removed and every standing rule reset; nothing counts as changed.
    void Clear();
    // Ticks changed, or a type's rules were cleared, since the last Fill or Clear.
    bool Changed() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }

    RequestSearchRules& Rules() { return rules_; }
    // The standing rule of a code; nullptr for a code the list does not hold.
    RequestSearchRule* Rule(std::int32_t requestType);

    // The program's columns wizard for one type; without one Display Columns is off.
    using ColumnsLauncher = std::function<bool(std::int32_t requestType, DisplayColumns& columns)>;
    void SetColumnsLauncher(ColumnsLauncher launcher);

    // Runs a context-menu command on the line of `requestType`, as the menu does.
    void RefineSearch(std::int32_t requestType);
    void RefineEveryType();
    void ClearSearch(std::int32_t requestType);
    void ShowDisplayColumns(std::int32_t requestType);
    // The context menu for the line at 0-based `row`, filled for it (tests and the
    // keyboard use it as the mouse does).
    QMenu* MenuFor(int row);

    QTreeView* View() const { return tvwTypes_; }
    QStandardItemModel* Model() const { return model_; }
    QLabel* lblCaption() const { return lblCaption_; }

  signals:
    void TicksChanged();
    void RefineSearchChosen(std::int32_t requestType);
    void RefineEveryTypeChosen();
    // After a type's rules were reset through Clear Search.
    void SearchCleared(std::int32_t requestType);
    // The wizard finished with changed display columns for the type.
    void DisplayColumnsChanged(std::int32_t requestType);

  private:
    QStandardItem* ItemOf(std::int32_t requestType) const;

    QLabel* lblCaption_;
    QTreeView* tvwTypes_;
    QStandardItemModel* model_;
    QMenu* mnuType_;
    QAction* mnuRefine_;
    QAction* mnuRefineEvery_;
    QAction* mnuClear_;
    QAction* mnuColumns_;
    std::int32_t menuType_ = 0;
    RequestSearchRules rules_;
    ColumnsLauncher columns_;
    bool changed_ = false;
    bool filling_ = false;
};

}  // namespace quarrion
