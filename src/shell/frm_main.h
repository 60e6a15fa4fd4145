#pragma once

#include <QMainWindow>
#include <QPointer>
#include <cstdint>

#include "shell/search_console.h"

class QAction;
class QDockWidget;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace quarrion {

class AppState;
class HelpWindow;
class ResultsWindow;
class frmErrorLog;
class frmPopUp;
class laBar;

// The program's MDI parent window: the menus, the side bar, the search console's dock
// and the area that holds the results and other child windows.
//
// It never reads a results window's internals. Results windows report through the hub
// (MsgInterface), and the main window enables menus and side-bar buttons from those
// reports; commands on results act on the active MDI child, and only when that child
// implements ResultsWindow.
class frmMain : public QMainWindow, public ConsoleHost {
    Q_OBJECT

  public:
    // 9015 twips at 15 twips per pixel.
    static constexpr int MinimumWidth = 601;
    static constexpr const char* Section = "frmMain";

    // `state` must outlive the window. `console` creates the search console; without
    // one the console's dock shows a notice in its place.
    explicit frmMain(AppState& state, SearchConsoleFactory console = {}, QWidget* parent = nullptr);
    ~frmMain() override;

    // Opens the display-columns wizard from the side bar; without one the button is off.
    void SetColumnsWizard(ColumnsWizardLauncher launcher);

    // The load that finishes start-up: caption, placement restored, hub events hooked,
    // the database step (first-time initialisation, or load and update when the
    // database asks for one), the console's InitControl, the options and arrangement.
    void Load();
    // The orderly end, run once: placement saved, marker file deleted, help and the
    // other windows closed, the hub unhooked. Closing the window runs it.
    void Unload();

    // ConsoleHost
    AppState& State() override { return state_; }
    QMdiSubWindow* createMdiChild(QWidget* child) override;
    void ResultsWindowOpened() override { ArrangeWindows(); }

    QWidget* activeMdiChild() const;
    // The active MDI child when it is a results window, else nullptr.
    ResultsWindow* activeResultsWindow() const;

    // 0 cascade, 1 tile horizontally, 2 tile vertically (setting "arrange").
    int ArrangementCode() const { return arrangement_; }
    // Arranges the child windows with the current arrangement.
    void ArrangeWindows();
    // Remembers `code`, saves it as "arrange" and arranges.
    void Arrange(int code);
    // Closes every other window: the MDI children, the help and error-log windows.
    void CloseAllWindows();

    // The commands on the active results window; each explains itself in a dialog when
    // the active child is not a results window.
    void ExportList(QAction* item);
    void ExportAllLists();
    void OpenExcel();
    void SearchAgain();

    // The Advanced menu.
    void OpenErrorLog();
    void ClearErrorLog();
    void AskUpdateDatabase();
    void AskResetDatabase();

    QMdiArea* MdiArea() const { return mdiArea_; }
    laBar* SideBar() const { return bar_; }
    QDockWidget* ConsoleDock() const { return consoleDock_; }
    SearchConsole* Console() const { return console_; }
    // Null until first opened.
    frmErrorLog* ErrorLog() const;
    frmPopUp* PopUpWindow() const;
    HelpWindow* Help() const;
    QMenu* ExportMenu() const { return mnuExport_; }
    // Rooms add their own entries (the QuickBooks connection) here.
    QMenu* AdvancedMenu() const { return mnuAdvanced_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildMenus();
    void BuildSideBar();
    void BuildConsole(const SearchConsoleFactory& factory);
    void HookHub();
    void RestorePlacement();
    void SavePlacement();
    void ShowHelp(const QString& page);
    void SetConsoleVisible(bool visible);
    void RunToPrint(QAction* item, bool toPrint);
    void FillWindowList();
    bool ExplainUnlessResults(const QString& caption, const QString& action);

    // Hub events.
    void OnPopUp(std::int32_t errorCode, const QString& message);
    void OnToPrintMenu(QMenu* menu, bool enabled);
    void OnToPrintOff();
    void OnRequestTypeNotification(std::int32_t requestType, bool hasRows,
                                   const QString& otherTypes, std::int32_t ownerId);

    AppState& state_;
    QMdiArea* mdiArea_ = nullptr;
    laBar* bar_ = nullptr;
    QDockWidget* consoleDock_ = nullptr;
    SearchConsole* console_ = nullptr;
    ColumnsWizardLauncher wizard_;

    QMenu* mnuFile_ = nullptr;
    QMenu* mnuAdvanced_ = nullptr;
    QAction* mnuOpenErrorLog_ = nullptr;
    QAction* mnuClearErrorLog_ = nullptr;
    QAction* mnuLogErrors_ = nullptr;
    QMenu* mnuExport_ = nullptr;
    QAction* mnuExportDisplayed_ = nullptr;
    QAction* mnuExportAll_ = nullptr;
    QMenu* mnuTools_ = nullptr;
    QMenu* mnuInvoices_ = nullptr;
    QMenu* mnuPOs_ = nullptr;
    QMenu* mnuSOs_ = nullptr;
    QMenu* mnuCreditMemos_ = nullptr;
    QAction* mnuDblChkEdtSeq_ = nullptr;
    QMenu* mnuWindows_ = nullptr;

    int arrangement_ = 1;
    bool hubHooked_ = false;
    bool unloaded_ = false;
    QPointer<frmPopUp> popUp_;
    QPointer<frmErrorLog> errorLog_;
    QPointer<HelpWindow> help_;
};

}  // namespace quarrion
