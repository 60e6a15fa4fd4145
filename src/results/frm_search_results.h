#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "results/frm_re_search.h"
#include "results/result_list.h"
#include "shell/results_window.h"
#include "shell/window_openers.h"

class QCheckBox;
class QLabel;
class QMdiSubWindow;
class QTabWidget;
class QTableView;
class QTimer;
class QVariantAnimation;

namespace quarrion {

class BusyPane;
class ConsoleHost;
class Relaywick;
class ResultTableModel;
class SearchObject2;
class SearchRun;
class frmReSearch;

// The MDI child that shows one search's results: one tab per included type, each a
// list of the type's matching records in the type's display columns. The window owns
// its link instance, its SearchRun (the definition, the kept answers and the lists)
// and its re-search window.
//
// While the search runs a busy pane covers the window and the completion timer
// (tmrCheck) watches for every type to be done; then the pane slides away and the
// window reports the selected tab through the hub, so the main window enables export,
// workbook, re-search and the to-print menus that fit.
//
// Below the lists, lblStatus shows the selected type's status as the terminal tool
// prints it (progress, found, done, and why every record is listed when the type has no
// element the global rules could test), and chkHideEmpty ("Hide types without rows",
// remembered in the settings) hides the tabs of types that are done and found nothing.
//
// The host (the main window) must outlive the window.
class frmSearchResults : public QWidget, public ResultsWindow {
    Q_OBJECT

  public:
    static constexpr int CheckInterval = 500;
    // A mouse release farther than this (pixels, either way) from its press is a drag.
    static constexpr int ClickSlop = 3;
    static constexpr const char* WaitText = "Initializing, please wait ...";
    static constexpr const char* ProcessingText = "Processing search request, please wait ...";
    static constexpr const char* HideEmptyText = "Hide types without rows";
    static constexpr const char* AllHiddenText =
        "No type found rows; untick \"Hide types without rows\" to see every type.";

    frmSearchResults(ConsoleHost& host, OutputWindows outputs, QWidget* parent = nullptr);
    ~frmSearchResults() override;

    // The window's own definition; the opener fills it through Copy before SetDisplay.
    SearchObject2& SearchObject();
    SearchRun& Run() { return *run_; }

    // One tab and list per included type, in order, with the type's display columns;
    // the first tab selected.
    void SetDisplay();
    // Asks the link for every included type; answers are examined as they arrive.
    void Start();
    void SetBusyText(const QString& text);

    // Runs `work` on a thread of its own while this thread keeps handling events, and
    // returns once the work is done. For work that touches no window and no state
    // the events could change.
    static void RunAside(const std::function<void()>& work);

    // True once every included type is done and the busy pane has gone.
    bool IsComplete() const { return complete_; }
    // Reports the selected tab's state to the hub (all off while the search runs).
    void UpdateHubState();

    // ResultsWindow
    std::int32_t OwnerID() const override;
    bool Export(std::int32_t requestType, QString& fileName, QString& folder, int& format,
                bool silent) override;
    void ExportAll(const QList<ExportListEntry>& lists) override;
    void Excel() override;
    void ReSearch() override;
    void SetToPrint(bool& toPrint, const QString& title, const QString& message) override;

    QLabel* lblFile() const { return lblFile_; }
    QLabel* lblStatus() const { return lblStatus_; }
    QCheckBox* chkHideEmpty() const { return chkHideEmpty_; }
    QTabWidget* tabView() const { return tabView_; }
    BusyPane* busyView() const { return busyView_; }
    QTimer* tmrCheck() const { return tmrCheck_; }
    // The list of tab `index` (0-based), or nullptr.
    QTableView* lstView(int index) const;
    ResultTableModel* Model(int index) const;
    int ListCount() const { return static_cast<int>(lists_.size()); }
    // The list of tab `index` as shown: columns left to right, rows in sort order.
    ResultList ShownList(int index) const;
    // The re-search window once made (it is kept, hidden, between uses), else nullptr.
    frmReSearch* ReSearchWindow() const;

  signals:
    // Every type is done and the busy pane is gone.
    void Completed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    struct MouseDown {
        int List = -1;
        Qt::MouseButton Button = Qt::NoButton;
        Qt::KeyboardModifiers Modifiers;
        QPoint Position;
    };

    void CheckDone();
    // The selected type's status in lblStatus.
    void ShowStatus();
    // Shows or hides each tab as chkHideEmpty says; a hidden selected tab gives way to
    // the first one shown.
    void ShowTabs();
    void SlideBusyAway();
    void PlaceBusyPane();
    void OnChanged(std::int32_t requestType);
    void OnExamining(std::int32_t requestType);
    void Yield();
    void SortBy(int list, int column);
    void Released(int list, const QMouseEvent& event);
    void OpenDataView(std::int32_t requestType, const std::string& key, bool canOpenRecord);
    void SendAllOff();
    int ListOfType(std::int32_t requestType) const;
    std::int32_t TypeOfList(int list) const;
    std::vector<ResultList> ShownLists() const;
    void NotInBuild(const QString& caption, const QString& command);
    void RunSearchAgain();
    // Work that runs pending events (and so a close request) inside it holds the
    // window open: a close arriving meanwhile is carried out once the work is over.
    void EnterWork() { ++working_; }
    void LeaveWork();
    void AttachToSubWindow();

    ConsoleHost& host_;
    OutputWindows outputs_;
    std::unique_ptr<Relaywick> link_;
    std::unique_ptr<SearchRun> run_;
    // The lists' columns before the search starts (SetDisplay), then the run's lists.
    std::vector<ResultList> displayLists_;

    QLabel* lblFile_;
    QTabWidget* tabView_;
    QLabel* lblStatus_;
    QCheckBox* chkHideEmpty_;
    BusyPane* busyView_;
    QTimer* tmrCheck_;
    QVariantAnimation* slide_;
    std::vector<QTableView*> lists_;
    std::vector<ResultTableModel*> models_;
    MouseDown down_;
    QPointer<frmReSearch> reSearch_;
    QPointer<QMdiSubWindow> subWindow_;

    bool complete_ = false;
    int working_ = 0;
    bool closeWhenIdle_ = false;
};

}  // namespace quarrion
