#include "shell/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>

#include "foundation/common_tools.h"
#include "qbxml/request_type_info.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"
#include "shell/artwork.h"
#include "shell/context_help.h"
#include "shell/frm_dialog.h"
#include "shell/frm_error_log.h"
#include "shell/frm_init.h"
#include "shell/frm_pop_up.h"
#include "shell/help_window.h"
#include "shell/la_bar.h"
#include "shell/msg_interface.h"
#include "shell/results_window.h"
#include "shell/unattended.h"
#include "shell/window_arrangement.h"

namespace quarrion {

namespace {

const QString kSection = QString::fromLatin1(frmMain::Section);
const QString kWait = QStringLiteral(
    "Please wait, while Quarrion processes your request.  This may take a few "
    "minutes.");

QString ListCaption(std::int32_t requestType) {
    return QString::fromStdString(RequestTypeInfo::TypeTitle(requestType)) + " List";
}

}  // namespace

frmMain::frmMain(AppState& state, SearchConsoleFactory console, QWidget* parent)
    : QMainWindow(parent), state_(state) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quarrion"));
    setWindowIcon(Artwork::Icon(QStringLiteral("quarrion")));
    setMinimumWidth(MinimumWidth);
    setCorner(Qt::TopLeftCorner, Qt::LeftDockWidgetArea);
    setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setBackground(QColor(96, 116, 126));
    mdiArea_->installEventFilter(this);
    qApp->installEventFilter(new ContextHelpKey(
        [this](const QString& page, QWidget* over) {
            // A modal dialog blocks every other window: its help opens beside it.
            if (over && over != this && over->isModal()) {
                auto* beside = new HelpWindow(state_.HelpFile(), over);
                beside->setAttribute(Qt::WA_DeleteOnClose);
                beside->ShowPage(page);
                return;
            }
            ShowHelp(page);
        },
        this));
    setCentralWidget(mdiArea_);

    BuildMenus();
    BuildSideBar();
    BuildConsole(console);

    // Wide enough that the console shows a two-value rule and a type's rule set whole;
    // a small screen gets nine tenths of itself.
    QSize screen = QGuiApplication::primaryScreen()->availableSize();
    resize(qMin(1200, screen.width() * 9 / 10), qMin(760, screen.height() * 9 / 10));

    connect(qApp, &QCoreApplication::aboutToQuit, this, &frmMain::Unload);
}

frmMain::~frmMain() {
    Unload();
}

void frmMain::BuildMenus() {
    mnuFile_ = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile_->setObjectName(QStringLiteral("mnuFile"));

    mnuAdvanced_ = mnuFile_->addMenu(QStringLiteral("&Advanced ..."));
    mnuAdvanced_->setObjectName(QStringLiteral("mnuAdvanced"));
    mnuOpenErrorLog_ =
        mnuAdvanced_->addAction(QStringLiteral("&Open Error Log"), this, &frmMain::OpenErrorLog);
    mnuClearErrorLog_ =
        mnuAdvanced_->addAction(QStringLiteral("&Clear Error Log"), this, &frmMain::ClearErrorLog);
    mnuAdvanced_->addSeparator();
    mnuLogErrors_ = mnuAdvanced_->addAction(QStringLiteral("&Log Errors"));
    mnuLogErrors_->setCheckable(true);
    mnuAdvanced_->addSeparator();
    mnuAdvanced_->addAction(QStringLiteral("&Update Quarrion"), this, &frmMain::AskUpdateDatabase);
    mnuAdvanced_->addAction(QStringLiteral("&Reset Quarrion"), this, &frmMain::AskResetDatabase);
    for (QAction* item : {mnuOpenErrorLog_, mnuClearErrorLog_, mnuLogErrors_}) {
        item->setEnabled(state_.CanMakeLink());
    }
    // The check mark shows what a fresh link instance says, read each time the menu
    // opens; the link may have been switched elsewhere.
    connect(mnuAdvanced_, &QMenu::aboutToShow, this, [this] {
        if (auto link = state_.MakeLink()) mnuLogErrors_->setChecked(link->LogErrors());
    });
    connect(mnuLogErrors_, &QAction::triggered, this, [this](bool checked) {
        if (auto link = state_.MakeLink()) link->SetLogErrors(checked);
    });

    mnuExport_ = mnuFile_->addMenu(QStringLiteral("&Export to SpreadSheet"));
    mnuExport_->setObjectName(QStringLiteral("mnuExport"));
    mnuExportDisplayed_ = mnuExport_->addAction(QStringLiteral("Displayed Result Lists"));
    mnuExportAll_ = mnuExport_->addAction(QStringLiteral("All Search Result Lists"));
    connect(mnuExportDisplayed_, &QAction::triggered, this,
            [this] { ExportList(mnuExportDisplayed_); });
    connect(mnuExportAll_, &QAction::triggered, this, &frmMain::ExportAllLists);
    mnuExportDisplayed_->setEnabled(false);
    mnuExportAll_->setEnabled(false);
    mnuExport_->menuAction()->setEnabled(false);
    mnuFile_->addSeparator();
    QAction* exit = mnuFile_->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exit->setObjectName(QStringLiteral("mnuExit"));

    mnuTools_ = menuBar()->addMenu(QStringLiteral("&Tools"));
    mnuTools_->setObjectName(QStringLiteral("mnuTools"));
    struct ToPrintMenu {
        QMenu** menu;
        const char* name;
        const char* title;
        const char* set;
        const char* clear;
    };
    const ToPrintMenu toPrint[] = {
        {&mnuInvoices_, "mnuInvoices", "Invoices", "Set All Invoices Listed To Print",
         "Set All Invoices Listed To Not Print"},
        {&mnuPOs_, "mnuPOs", "Purchase Orders", "Set All POs Listed to Print",
         "Set All POs Listed To Not Print"},
        {&mnuSOs_, "mnuSOs", "Sales Orders", "Set All Sales Orders Listed To Print",
         "Set All Sales Orders Listed To Not Print"},
        {&mnuCreditMemos_, "mnuCreditMemos", "Credit Memos", "Set All Credit Memos Listed To Print",
         "Set All Credit Memos Listed To Not Print"},
    };
    for (const ToPrintMenu& entry : toPrint) {
        QMenu* menu = mnuTools_->addMenu(QString::fromLatin1(entry.title));
        menu->setObjectName(QString::fromLatin1(entry.name));
        QAction* set = menu->addAction(QString::fromLatin1(entry.set));
        QAction* clear = menu->addAction(QString::fromLatin1(entry.clear));
        connect(set, &QAction::triggered, this, [this, set] { RunToPrint(set, true); });
        connect(clear, &QAction::triggered, this, [this, clear] { RunToPrint(clear, false); });
        menu->menuAction()->setEnabled(false);
        *entry.menu = menu;
    }

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    mnuDblChkEdtSeq_ = options->addAction(QStringLiteral("Double Check Edit Sequences"));
    mnuDblChkEdtSeq_->setObjectName(QStringLiteral("mnuDblChkEdtSeq"));
    mnuDblChkEdtSeq_->setCheckable(true);
    mnuDblChkEdtSeq_->setEnabled(false);
    connect(mnuDblChkEdtSeq_, &QAction::triggered, this, [this](bool checked) {
        AppSettings::SetFlag(kSection, QStringLiteral("dblchkedtseq"), checked);
        state_.SetSkipEditSequenceCheck(!checked);
    });

    mnuWindows_ = menuBar()->addMenu(QStringLiteral("&Windows"));
    mnuWindows_->setObjectName(QStringLiteral("mnuWindows"));
    connect(mnuWindows_, &QMenu::aboutToShow, this, &frmMain::FillWindowList);
    FillWindowList();

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(QStringLiteral("About ..."), this, [this] {
        QMessageBox::about(this, QStringLiteral("About Quarrion"),
                           QStringLiteral("<h3>Quarrion</h3>"
                                          "<p>Finds QuickBooks lists and transactions across "
                                          "many types at once, and lists, exports, views and "
                                          "marks what it finds.</p>"
                                          "<p>Settings and data are kept in %1</p>")
                               .arg(state_.AppFolder().toHtmlEscaped()));
    });
    help->addAction(QStringLiteral("Documentation ..."), this,
                    [this] { ShowHelp(QStringLiteral("index.html")); });
}

void frmMain::FillWindowList() {
    mnuWindows_->clear();
    mnuWindows_->addAction(QStringLiteral("&Cascade Windows"), this,
                           [this] { Arrange(Arrangement::Cascade); });
    mnuWindows_->addAction(QStringLiteral("Tile Windows &Vertically"), this,
                           [this] { Arrange(Arrangement::TileVertically); });
    mnuWindows_->addAction(QStringLiteral("Tile Windows &Horizontally"), this,
                           [this] { Arrange(Arrangement::TileHorizontally); });
    mnuWindows_->addSeparator();
    mnuWindows_->addAction(QStringLiteral("Close &All Windows"), this, [this] {
        CloseAllWindows();
        AppSettings::SetNumber(kSection, QStringLiteral("arrange"), arrangement_);
    });
    // The open child windows follow, the active one checked, as in any MDI program.
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (!windows.isEmpty()) mnuWindows_->addSeparator();
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        ++number;
        QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle())
                                   : QStringLiteral("%1 %2").arg(number).arg(window->windowTitle());
        QAction* item = mnuWindows_->addAction(
            text, this, [this, window] { mdiArea_->setActiveSubWindow(window); });
        item->setCheckable(true);
        item->setChecked(window == mdiArea_->currentSubWindow());
    }
}

void frmMain::BuildSideBar() {
    bar_ = new laBar(this);
    auto* dock = new QDockWidget(this);
    dock->setObjectName(QStringLiteral("dockSideBar"));
    dock->setTitleBarWidget(new QWidget(dock));
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setWidget(bar_);
    addDockWidget(Qt::LeftDockWidgetArea, dock);

    for (const char* name : {"cmdexport", "cmdexportall", "cmdexcel", "cmdresearch"}) {
        bar_->Buttons().Item(QString::fromLatin1(name))->SetEnabled(false);
    }
    connect(bar_, &laBar::ExcelClick, this, &frmMain::OpenExcel);
    connect(bar_, &laBar::ExportClick, this, [this] { ExportList(mnuExportDisplayed_); });
    connect(bar_, &laBar::ExportAllClick, this, &frmMain::ExportAllLists);
    connect(bar_, &laBar::ReSearchClick, this, &frmMain::SearchAgain);
    connect(bar_, &laBar::HelpClick, this, [this] { ShowHelp(QStringLiteral("index.html")); });
    connect(bar_, &laBar::PreferencesClick, this, [this] {
        if (wizard_) wizard_(state_, this);
    });
    connect(bar_, &laBar::ShowConsole, this, [this] { SetConsoleVisible(true); });
    connect(bar_, &laBar::HideConsole, this, [this] { SetConsoleVisible(false); });
    auto arrangeFromBar = [this](int code) {
        arrangement_ = code;
        AppSettings::SetNumber(kSection, QStringLiteral("arrange"), code);
        state_.Hub().Arrange();
    };
    connect(bar_, &laBar::CascadeClick, this,
            [arrangeFromBar] { arrangeFromBar(Arrangement::Cascade); });
    connect(bar_, &laBar::HorizontalClick, this,
            [arrangeFromBar] { arrangeFromBar(Arrangement::TileHorizontally); });
    connect(bar_, &laBar::VerticalClick, this,
            [arrangeFromBar] { arrangeFromBar(Arrangement::TileVertically); });
    bar_->Buttons().Item(QStringLiteral("cmdpreferences"))->SetEnabled(false);
}

void frmMain::SetColumnsWizard(ColumnsWizardLauncher launcher) {
    wizard_ = std::move(launcher);
    bar_->Buttons().Item(QStringLiteral("cmdpreferences"))->SetEnabled(static_cast<bool>(wizard_));
}

void frmMain::BuildConsole(const SearchConsoleFactory& factory) {
    // The search console's place: a dock above the child windows, shown and hidden by
    // the side bar's console toggle.
    consoleDock_ = new QDockWidget(QStringLiteral("Search Console"), this);
    consoleDock_->setObjectName(QStringLiteral("dockConsole"));
    consoleDock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    consoleDock_->setAllowedAreas(Qt::TopDockWidgetArea);
    if (factory) console_ = factory(*this, consoleDock_);
    if (console_) {
        consoleDock_->setWidget(console_->Widget());
    } else {
        auto* notice =
            new QLabel(QStringLiteral("The search console is not part of this build of Quarrion."),
                       consoleDock_);
        notice->setObjectName(QStringLiteral("lblNoConsole"));
        notice->setAlignment(Qt::AlignCenter);
        notice->setMinimumHeight(80);
        consoleDock_->setWidget(notice);
    }
    addDockWidget(Qt::TopDockWidgetArea, consoleDock_);
}

void frmMain::SetConsoleVisible(bool visible) {
    consoleDock_->setVisible(visible);
    state_.Hub().Arrange();
}

void frmMain::HookHub() {
    if (hubHooked_) return;
    hubHooked_ = true;
    MsgInterface& hub = state_.Hub();
    // Direct connections: a sender sees the menus updated when its call returns.
    auto direct = Qt::DirectConnection;
    connect(&hub, &MsgInterface::ArrangeWindows, this, &frmMain::ArrangeWindows, direct);
    connect(&hub, &MsgInterface::PopUp, this, &frmMain::OnPopUp, direct);
    connect(
        &hub, &MsgInterface::ContextualHelp, this,
        [this](std::int32_t id) { ShowHelp(HelpPageFor(id)); }, direct);
    connect(
        &hub, &MsgInterface::InvoiceMenu, this,
        [this](bool on) { OnToPrintMenu(mnuInvoices_, on); }, direct);
    connect(
        &hub, &MsgInterface::POMenu, this, [this](bool on) { OnToPrintMenu(mnuPOs_, on); }, direct);
    connect(
        &hub, &MsgInterface::SOMenu, this, [this](bool on) { OnToPrintMenu(mnuSOs_, on); }, direct);
    connect(
        &hub, &MsgInterface::CreditMemoMenu, this,
        [this](bool on) { OnToPrintMenu(mnuCreditMemos_, on); }, direct);
    connect(&hub, &MsgInterface::ToPrintOff, this, &frmMain::OnToPrintOff, direct);
    connect(&hub, &MsgInterface::RequestTypeNotification, this, &frmMain::OnRequestTypeNotification,
            direct);
}

void frmMain::Load() {
    setWindowTitle(QStringLiteral("Quarrion"));
    RestorePlacement();
    HookHub();

    StoreLifeCycle& store = state_.Store();
    if (store.FirstTime()) {
        store.InitDataA();
    } else {
        store.LoadData();
        if (store.NeedsUpdate()) UpdateDatabase(store, this);
    }

    if (console_) console_->InitControl();
    bool doubleCheck = AppSettings::Flag(kSection, QStringLiteral("dblchkedtseq"), false);
    mnuDblChkEdtSeq_->setChecked(doubleCheck);
    arrangement_ = AppSettings::Number(kSection, QStringLiteral("arrange"), 1);
    state_.SetSkipEditSequenceCheck(!doubleCheck);
}

void frmMain::RestorePlacement() {
    int windowState = AppSettings::Number(kSection, QStringLiteral("windowstate"), 0);
    if (windowState != 0) {
        setWindowState(windowState == 1 ? Qt::WindowMinimized : Qt::WindowMaximized);
        return;
    }
    int top = AppSettings::Number(kSection, QStringLiteral("top"), 0);
    int left = AppSettings::Number(kSection, QStringLiteral("left"), 0);
    int width = AppSettings::Number(kSection, QStringLiteral("width"), 0);
    int height = AppSettings::Number(kSection, QStringLiteral("height"), 0);
    if (top == 0 && left == 0 && width == 0 && height == 0) {
        QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        move(screen.left() + (screen.width() - frameGeometry().width()) / 2,
             screen.top() + (screen.height() - frameGeometry().height()) / 2);
        return;
    }
    resize(qMax(width, MinimumWidth), qMax(height, 1));
    move(left, top);
}

void frmMain::SavePlacement() {
    int windowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    QRect normal = windowState == 0 ? QRect(pos(), size()) : normalGeometry();
    AppSettings::SetNumber(kSection, QStringLiteral("top"), normal.top());
    AppSettings::SetNumber(kSection, QStringLiteral("left"), normal.left());
    AppSettings::SetNumber(kSection, QStringLiteral("width"), normal.width());
    AppSettings::SetNumber(kSection, QStringLiteral("height"), normal.height());
    AppSettings::SetNumber(kSection, QStringLiteral("windowstate"), windowState);
}

void frmMain::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    SavePlacement();
    state_.ShutDown();
    if (help_) help_->close();
    if (errorLog_) errorLog_->close();
    mdiArea_->closeAllSubWindows();
    disconnect(&state_.Hub(), nullptr, this, nullptr);
}

void frmMain::closeEvent(QCloseEvent* event) {
    Unload();
    event->accept();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!isMinimized() && width() < MinimumWidth) resize(MinimumWidth, height());
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // Child windows follow the area's size in the user's arrangement.
    if (watched == mdiArea_ && event->type() == QEvent::Resize && !isMinimized()) {
        ArrangeWindows();
    }
    return QMainWindow::eventFilter(watched, event);
}

QMdiSubWindow* frmMain::createMdiChild(QWidget* child) {
    QMdiSubWindow* window = mdiArea_->addSubWindow(child);
    window->setAttribute(Qt::WA_DeleteOnClose);
    child->show();
    return window;
}

frmErrorLog* frmMain::ErrorLog() const {
    return errorLog_;
}

frmPopUp* frmMain::PopUpWindow() const {
    return popUp_;
}

HelpWindow* frmMain::Help() const {
    return help_;
}

QWidget* frmMain::activeMdiChild() const {
    // currentSubWindow also answers while the application itself is not active (a
    // modal dialog is up, or no window system is present).
    QMdiSubWindow* window = mdiArea_->currentSubWindow();
    return window ? window->widget() : nullptr;
}

ResultsWindow* frmMain::activeResultsWindow() const {
    return dynamic_cast<ResultsWindow*>(activeMdiChild());
}

void frmMain::ArrangeWindows() {
    ArrangeSubWindows(*mdiArea_, arrangement_);
}

void frmMain::Arrange(int code) {
    arrangement_ = code;
    ArrangeWindows();
    AppSettings::SetNumber(kSection, QStringLiteral("arrange"), code);
}

void frmMain::CloseAllWindows() {
    mdiArea_->closeAllSubWindows();
    if (help_) help_->close();
    if (errorLog_) errorLog_->hide();
}

void frmMain::ShowHelp(const QString& page) {
    if (!help_) help_ = new HelpWindow(state_.HelpFile(), this);
    help_->ShowPage(page);
}

bool frmMain::ExplainUnlessResults(const QString& caption, const QString& action) {
    if (activeResultsWindow()) return true;
    MessageDialog(this, caption,
                  QStringLiteral("Activate the Search Results window, by clicking on it, "
                                 "so Quarrion can tell which window to use %1.")
                      .arg(action));
    return false;
}

void frmMain::ExportList(QAction* item) {
    if (!ExplainUnlessResults(QStringLiteral("Export Search Results"),
                              QStringLiteral("for the Export"))) {
        return;
    }
    QString fileName = item->text();
    QString folder = AppSettings::Text(kSection, QStringLiteral("exportpath"), state_.AppFolder());
    int format = 1;
    if (activeResultsWindow()->Export(item->data().toString().toInt(), fileName, folder, format,
                                      false)) {
        AppSettings::SetText(kSection, QStringLiteral("exportpath"),
                             QString::fromStdString(CommonTools::FolderOf(fileName.toStdString())));
    }
}

void frmMain::ExportAllLists() {
    if (!ExplainUnlessResults(QStringLiteral("Export Search Results"),
                              QStringLiteral("for the Export"))) {
        return;
    }
    QList<ExportListEntry> lists;
    for (QAction* item : mnuExport_->actions()) {
        if (item == mnuExportAll_ || item->isSeparator() || !item->isEnabled()) continue;
        lists.append({item->data().toString().toInt(), item->text()});
    }
    activeResultsWindow()->ExportAll(lists);
}

void frmMain::OpenExcel() {
    if (ExplainUnlessResults(QStringLiteral("Open Results in Excel"),
                             QStringLiteral("for Excel"))) {
        activeResultsWindow()->Excel();
    }
}

void frmMain::SearchAgain() {
    if (!activeResultsWindow()) {
        MessageDialog(this, QStringLiteral("Search Results Again"),
                      QStringLiteral("Activate the Search Results window, by clicking on it, "
                                     "so Quarrion can tell which window to search over again."));
        return;
    }
    activeResultsWindow()->ReSearch();
}

void frmMain::RunToPrint(QAction* item, bool toPrint) {
    if (ResultsWindow* results = activeResultsWindow()) {
        results->SetToPrint(toPrint, item->text(), kWait);
    }
}

void frmMain::OpenErrorLog() {
    if (!errorLog_) {
        errorLog_ = new frmErrorLog(state_.MakeLink(), state_.NextWindowId(), state_.Hub(), this);
    }
    errorLog_->show();
    errorLog_->raise();
    errorLog_->activateWindow();
}

void frmMain::ClearErrorLog() {
    if (auto link = state_.MakeLink()) link->ClearErrorLog();
    if (errorLog_) errorLog_->Display();
}

void frmMain::AskUpdateDatabase() {
    std::int16_t answer = QuestionDialog(
        this, QStringLiteral("Update Quarrion Database"),
        QStringLiteral("You should only update your Quarrion database, if you have installed "
                       "a newer version.\nDo you need to update Quarrion?"),
        QStringLiteral("No"), QStringLiteral("Yes"));
    if (answer == frmDialog::OkPressed) UpdateDatabase(state_.Store(), this);
}

void frmMain::AskResetDatabase() {
    std::int16_t answer = QuestionDialog(
        this, QStringLiteral("Reset Quarrion Database"),
        QStringLiteral("Resetting your Quarrion database will remove all default, user-defined "
                       "column headings.  The application defaults will be used instead.\n"
                       "Are you sure you need to reset the Quarrion database?"),
        QStringLiteral("No"), QStringLiteral("Yes"));
    if (answer == frmDialog::OkPressed) ResetDatabase(state_.Store(), this);
}

void frmMain::OnPopUp(std::int32_t errorCode, const QString& message) {
    if (!popUp_) popUp_ = new frmPopUp(this);
    QString text = message;
    if (errorCode == LinkError::ProcessorMissing) {
        // No installer is started: the solution text says which request processor to
        // configure instead.
        text = QString::fromStdString(RequestTypeInfo::ErrorText(errorCode));
    }
    QString solution = QString::fromStdString(RequestTypeInfo::ErrorSolution(errorCode));
    solution.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    popUp_->SetMessage(text);
    popUp_->SetSolution(solution);
    if (Unattended::IsOn()) {
        Unattended::Report(QStringLiteral("QuickBooks link"), text + QLatin1Char('\n') + solution);
        return;
    }
    // A second pop-up while one is up replaces its texts; the open one is still modal.
    if (popUp_->isVisible()) return;
    popUp_->exec();
    CloseAllWindows();
}

void frmMain::OnToPrintMenu(QMenu* menu, bool enabled) {
    menu->menuAction()->setEnabled(enabled);
    mnuDblChkEdtSeq_->setEnabled(enabled);
}

void frmMain::OnToPrintOff() {
    mnuDblChkEdtSeq_->setEnabled(false);
    for (QMenu* menu : {mnuInvoices_, mnuPOs_, mnuSOs_, mnuCreditMemos_}) {
        menu->menuAction()->setEnabled(false);
    }
}

void frmMain::OnRequestTypeNotification(std::int32_t requestType, bool hasRows,
                                        const QString& otherTypes, std::int32_t ownerId) {
    // Request type 0 (no list on show) only switches the entry off: its caption and
    // tag keep naming the list last offered.
    if (requestType == 0) mnuExportDisplayed_->setEnabled(false);
    if (otherTypes.isEmpty()) mnuExportAll_->setEnabled(false);
    if (requestType == 0 && otherTypes.isEmpty()) mnuExport_->menuAction()->setEnabled(false);

    // The run-time items (a separator and one item per other list) go, last first. One
    // of them may be the item whose command is running (a notification can arrive while
    // its export dialog is up), so each is deleted only once control is back in the
    // event loop.
    QList<QAction*> items = mnuExport_->actions();
    for (qsizetype i = items.size() - 1; i >= 2; --i) {
        mnuExport_->removeAction(items[i]);
        items[i]->deleteLater();
    }

    ButtonRefs& buttons = bar_->Buttons();
    ButtonRef* cmdExport = buttons.Item(QStringLiteral("cmdexport"));
    ButtonRef* cmdExportAll = buttons.Item(QStringLiteral("cmdexportall"));
    ButtonRef* cmdExcel = buttons.Item(QStringLiteral("cmdexcel"));
    ButtonRef* cmdResearch = buttons.Item(QStringLiteral("cmdresearch"));
    cmdExport->SetEnabled(false);
    cmdExport->SetToolTipText(cmdExport->DefaultToolTipText());
    cmdExportAll->SetEnabled(false);
    if (state_.ExcelAvailable()) cmdExcel->SetEnabled(false);
    cmdResearch->SetEnabled(false);

    ResultsWindow* active = activeResultsWindow();
    if (!active || active->OwnerID() != ownerId || requestType == 0) return;

    if (state_.ExcelAvailable()) cmdExcel->SetEnabled(hasRows);
    cmdResearch->SetEnabled(hasRows);
    mnuExportDisplayed_->setEnabled(hasRows);
    cmdExport->SetEnabled(hasRows);
    QString caption = ListCaption(requestType);
    mnuExportDisplayed_->setData(QString::number(requestType));
    mnuExportDisplayed_->setText(caption);
    cmdExport->SetToolTipText(QStringLiteral("Export ") + caption);

    bool first = true;
    for (const QString& part : otherTypes.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool number = false;
        std::int32_t other = part.trimmed().toInt(&number);
        if (!number || other == requestType) continue;
        if (first) {
            first = false;
            cmdExportAll->SetEnabled(true);
            mnuExportAll_->setEnabled(true);
            mnuExport_->addSeparator();
        }
        QAction* item = mnuExport_->addAction(ListCaption(other));
        item->setData(QString::number(other));
        connect(item, &QAction::triggered, this, [this, item] { ExportList(item); });
    }
    mnuExport_->menuAction()->setEnabled(hasRows || mnuExport_->actions().size() >= 4);
}

}  // namespace quarrion
