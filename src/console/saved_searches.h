#pragma once

#include <QPoint>
#include <QWidget>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

namespace quarrion {

class IOManager;
class SearchObject2;
class SearchObject2s;

// The console's panel of saved searches (tvwView): a captioned tree with one root per
// saved search (keyed by its name), under it the description when it is not blank and
// one line per included type. A click on a search's line chooses it for editing
// (UseThis); a right click opens its menu: Use, Execute (ExecuteThis) and Delete (after
// an OK/CANCEL confirmation). A press and release more than 3 pixels apart, or with
// another button or shift state, is a drag and does nothing. Keys: Enter uses the
// current search, the menu key opens its menu, Delete deletes it.
class SavedSearches : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* DefaultCaption = "Saved Search Rule Sets";
    // Mouse travel (pixels) that still counts as a click.
    static constexpr int ClickSlack = 3;
    // Model role holding a root line's key (the search's name); child lines hold none.
    static constexpr int KeyRole = Qt::UserRole + 1;

    explicit SavedSearches(QWidget* parent = nullptr);
    ~SavedSearches() override;

    // Keeps the store (which must outlive the panel; nullptr: none), then rebuilds.
    void SetIOManager(IOManager* io);
    // Reads every saved search from the store and rebuilds the tree.
    void Refresh();
    // The chosen search (owned by the panel until the next Refresh), or nullptr.
    SearchObject2* SearchObject() const { return selected_; }
    // Chooses the search named `name` as a click does, without raising anything; false
    // when there is none.
    bool Select(const std::string& name);
    // Asks, then deletes the chosen search (menu item 4).
    void DeleteSelected();

    // A store failure: a message titled with the operation, "(" number ") " source, a
    // line break and the description.
    void ShowStoreError(long number, const std::string& description, const std::string& source,
                        const std::string& operation);

    void SetCaption(const QString& caption);
    QString Caption() const;

    QTreeView* tvwView() const { return tvwView_; }
    QStandardItemModel* Model() const { return model_; }
    QMenu* EditMenu() const { return EditMenu_; }
    // 1-based as the menu counts: 1 Use, 2 Execute, 3 the separator, 4 Delete.
    QAction* mnuEdit(int index) const;

  signals:
    void UseThis();
    void ExecuteThis();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Pick(const QPoint& at, Qt::MouseButton button);
    SearchObject2* SearchAt(const QModelIndex& index) const;

    IOManager* io_ = nullptr;
    std::unique_ptr<SearchObject2s> searches_;
    SearchObject2* selected_ = nullptr;
    // The press that a release must match to count as a click.
    Qt::MouseButton downButton_ = Qt::NoButton;
    Qt::KeyboardModifiers downShift_;
    QPoint downAt_;

    QLabel* lblHdr_;
    QTreeView* tvwView_;
    QStandardItemModel* model_;
    QMenu* EditMenu_;
    QList<QAction*> mnuEdit_;
};

}  // namespace quarrion
