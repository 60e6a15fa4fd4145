#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QTextBrowser>
#include <functional>
#include <memory>

#include "fakes.h"
#include "foundation/codes.h"
#include "modal.h"
#include "qbxml/request_type_info.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"
#include "shell/frm_dialog.h"
#include "shell/frm_error_log.h"
#include "shell/frm_main.h"
#include "shell/frm_pop_up.h"
#include "shell/help_window.h"
#include "shell/la_bar.h"
#include "shell_test_main.h"

using namespace quarrion;
using quarrion::test::FakeLink;
using quarrion::test::FakeResults;
using quarrion::test::FakeStore;
using quarrion::test::FreshHome;
using quarrion::test::OnNextModal;

namespace {

// One start of the program over fakes: start-up, then the main window's load.
struct Program {
    std::shared_ptr<FakeStore::Script> script = std::make_shared<FakeStore::Script>();
    std::shared_ptr<FakeLink::Shared> link = std::make_shared<FakeLink::Shared>();
    std::unique_ptr<AppState> state;
    std::unique_ptr<frmMain> main;

    void Start(bool load = true) {
        StartUpParts parts;
        auto script_ = script;
        auto link_ = link;
        parts.MakeStore = [script_](QBXMLTags&) { return std::make_unique<FakeStore>(script_); };
        parts.MakeLink = [link_] { return std::make_unique<FakeLink>(link_); };
        state = AppState::StartUp(std::move(parts));
        link->LogPath = state->AppFolder() + "errors.log";
        script->Calls.clear();
        main = std::make_unique<frmMain>(*state);
        if (load) main->Load();
        main->show();
    }
    void Stop() {
        main.reset();
        state.reset();
    }

    QMenu* Menu(const char* name) const {
        return main->findChild<QMenu*>(QString::fromLatin1(name));
    }
    ButtonRef* Button(const char* name) const {
        return main->SideBar()->Buttons().Item(QString::fromLatin1(name));
    }
    FakeResults* AddResults(std::int32_t owner) {
        auto* window = new FakeResults(owner);
        main->createMdiChild(window);
        return window;
    }
    void Activate(QWidget* child) {
        main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
    }

    QStringList ExportCaptions() const {
        QStringList captions;
        for (QAction* action : main->ExportMenu()->actions()) {
            captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return captions;
    }
};

QAction* Item(QMenu* menu, const QString& caption) {
    for (QAction* action : menu->actions()) {
        if (action->text() == caption) return action;
    }
    return nullptr;
}

}  // namespace

// The main window: menus, the database step of its load, hub-driven enabling, the
// commands on results, placement and arrangement, pop-ups and the Advanced menu.
class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { home_ = std::make_unique<FreshHome>(); }
    void cleanup() {
        program_.Stop();
        program_ = Program();
        home_.reset();
    }

    // Hub events against what the results commands offer afterwards. Window 1 is the
    // active results window, window 2 another one. `captions` are the export menu's and
    // `codes` the request types its items carry (none: not checked); `tip` is Export's
    // tooltip ("" not checked, "default" its own). `enabled` reads, in order, the export
    // menu, its first two items, the side bar's Export, Export All, Excel and Re-search
    // buttons, the Invoices menu and the edit-sequence option: 1 on, 0 off, - not checked.
    void HubEventsSwitchTheResultsCommands() {
        struct Case {
            const char* name;
            std::function<void(Program&)> events;
            QStringList captions;
            const char* enabled;
            QStringList codes = {};
            QString tip = {};
        };
        namespace T = RequestTypeCode;
        auto notify = [](std::int32_t type, bool rows, const char* others, std::int32_t owner) {
            return [=](Program& p) {
                p.state->Hub().SendRequestTypeNotification(type, rows, others, owner);
            };
        };
        const Case cases[] = {
            {"nothing yet", [](Program&) {}, {}, "0--000000"},
            {"the active window offers its lists",
             notify(T::Invoice, true, "12,7", 1),
             {"Invoice List", "All Search Result Lists", "-", "Purchase Order List",
              "Sales Order List"},
             "1111111--",
             {"4", "", "", "12", "7"},
             "Export Invoice List"},
            {"no other lists",
             notify(T::PurchaseOrder, true, "", 1),
             {"Purchase Order List", "All Search Result Lists"},
             "--0-0----"},
            {"the current type is not offered twice",
             notify(T::Invoice, true, "4,12", 1),
             {"Invoice List", "All Search Result Lists", "-", "Purchase Order List"},
             "---------"},
            {"an empty list without others", notify(T::Invoice, false, "", 1), {}, "0--0-00--"},
            {"an empty list whose siblings have rows",
             notify(T::Invoice, false, "12", 1),
             {},
             "101-1----"},
            {"a window that is not active only switches off",
             [&](Program& p) {
                 notify(T::Invoice, true, "12", 1)(p);
                 notify(T::CreditMemo, true, "7", 2)(p);
             },
             {"Invoice List", "All Search Result Lists"},
             "---0000--",
             {},
             "default"},
            {"a window that is no results window only switches off",
             [&](Program& p) {
                 auto* other = new QWidget;
                 p.main->createMdiChild(other);
                 p.Activate(other);
                 notify(T::Invoice, true, "12", 1)(p);
             },
             {"Displayed Result Lists", "All Search Result Lists"},
             "---0-----"},
            {"request type 0 only switches the displayed list off",
             [&](Program& p) {
                 notify(T::Invoice, true, "12", 1)(p);
                 notify(0, false, "12", 1)(p);
             },
             {"Invoice List", "All Search Result Lists"},
             "-0-------",
             {"4"}},
            {"all off switches every results command off",
             [&](Program& p) {
                 p.state->Hub().SetInvoiceMenu(true);
                 notify(T::Invoice, true, "12", 1)(p);
                 p.state->Hub().AllOff();
             },
             // AllOff ends with a request-type 0 notification: the entry keeps its caption.
             {"Invoice List", "All Search Result Lists"},
             "000--0-00"},
            {"no spreadsheet program",
             [&](Program& p) {
                 p.state->SetExcelAvailable(false);
                 notify(T::Invoice, true, "12", 1)(p);
             },
             {},
             "---1-0---"},
        };
        for (const Case& c : cases) {
            Program program;
            program.Start();
            FakeResults* active = program.AddResults(1);
            program.AddResults(2);
            program.Activate(active);
            c.events(program);
            const QList<QAction*> items = program.main->ExportMenu()->actions();
            const bool shown[] = {
                program.main->ExportMenu()->menuAction()->isEnabled(),
                items[0]->isEnabled(),
                items[1]->isEnabled(),
                program.Button("cmdexport")->Enabled(),
                program.Button("cmdexportall")->Enabled(),
                program.Button("cmdexcel")->Enabled(),
                program.Button("cmdresearch")->Enabled(),
                program.Menu("mnuInvoices")->menuAction()->isEnabled(),
                Item(program.Menu("mnuOptions"), "Double Check Edit Sequences")->isEnabled()};
            for (int i = 0; i < 9; ++i) {
                if (c.enabled[i] == '-') continue;
                QVERIFY2(shown[i] == (c.enabled[i] == '1'),
                         qPrintable(QStringLiteral("%1: switch %2").arg(c.name).arg(i)));
            }
            if (!c.captions.isEmpty()) QVERIFY2(program.ExportCaptions() == c.captions, c.name);
            for (int i = 0; i < c.codes.size(); ++i) {
                QVERIFY2(items[i]->data().toString() == c.codes[i], c.name);
            }
            QVERIFY2(program.Button("cmdshow")->Enabled(), c.name);
            const ButtonRef* exportButton = program.Button("cmdexport");
            if (!c.tip.isEmpty()) {
                QVERIFY2(exportButton->ToolTipText() ==
                             (c.tip == "default" ? exportButton->DefaultToolTipText() : c.tip),
                         c.name);
            }
            program.Stop();
        }
    }

    // Each to-print setter switches its own menu only; the hub's off switches it again.
    void ToPrintMenusFollowTheHub() {
        program_.Start();
        MsgInterface& hub = program_.state->Hub();
        const char* menus[] = {"mnuInvoices", "mnuPOs", "mnuSOs", "mnuCreditMemos"};
        void (MsgInterface::*set[])(bool) = {&MsgInterface::SetInvoiceMenu,
                                             &MsgInterface::SetPOMenu, &MsgInterface::SetSOMenu,
                                             &MsgInterface::SetCreditMemoMenu};
        QAction* option = Item(program_.Menu("mnuOptions"), "Double Check Edit Sequences");
        for (int which = 0; which < 4; ++which) {
            (hub.*set[which])(true);
            for (int i = 0; i < 4; ++i) {
                QVERIFY2(program_.Menu(menus[i])->menuAction()->isEnabled() == (i == which),
                         menus[i]);
            }
            QVERIFY(option->isEnabled());
            (hub.*set[which])(false);
            QVERIFY2(!program_.Menu(menus[which])->menuAction()->isEnabled(), menus[which]);
        }
        hub.SetCreditMemoMenu(true);
        hub.SetToPrintOff();
        QVERIFY(!program_.Menu("mnuCreditMemos")->menuAction()->isEnabled());
        QVERIFY(!option->isEnabled());
    }

    void ResultsCommandsExplainThemselvesWhenNoResultsWindowIsActive_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");
        const QString activate = QStringLiteral(
            "Activate the Search Results window, by clicking on it, so Quarrion can tell which "
            "window to ");
        const QString export_ = activate + "use for the Export.";
        QTest::newRow("export") << "cmdexport"
                                << "Export Search Results" << export_;
        QTest::newRow("export all") << "cmdexportall"
                                    << "Export Search Results" << export_;
        QTest::newRow("excel") << "cmdexcel"
                               << "Open Results in Excel" << activate + "use for Excel.";
        QTest::newRow("re-search") << "cmdresearch"
                                   << "Search Results Again" << activate + "search over again.";
    }
    void ResultsCommandsExplainThemselvesWhenNoResultsWindowIsActive() {
        QFETCH(QString, command);
        QFETCH(QString, caption);
        QFETCH(QString, message);
        program_.Start();
        FakeResults* results = program_.AddResults(1);
        auto* view = new QWidget;
        view->setWindowTitle("Data View");
        program_.main->createMdiChild(view);
        program_.Activate(view);
        QString shownCaption, shownMessage;
        OnNextModal([&](QDialog* dialog) {
            auto* frm = qobject_cast<frmDialog*>(dialog);
            shownCaption = frm->windowTitle();
            shownMessage = frm->Message();
            QTest::mouseClick(frm->cmdOK(), Qt::LeftButton);
        });
        ButtonRef* button = program_.Button(qPrintable(command));
        button->SetEnabled(true);
        QTest::mouseClick(button->Button(), Qt::LeftButton);
        QCOMPARE(shownCaption, caption);
        QCOMPARE(shownMessage, message);
        // Nor do the to-print menus reach a results window that is not active.
        Item(program_.Menu("mnuInvoices"), "Set All Invoices Listed To Print")->trigger();
        QVERIFY(results->Calls.isEmpty());
    }

    void ASingleExportStartsInTheLastFolderAndRemembersTheNewOne() {
        program_.Start();
        FakeResults* results = program_.AddResults(1);
        program_.Activate(results);
        program_.state->Hub().SendRequestTypeNotification(RequestTypeCode::Invoice, true, "12", 1);
        results->ExportTarget = home_->Path() + "exports/Invoice List.csv";

        program_.main->ExportMenu()->actions()[3]->trigger();
        QCOMPARE(results->Calls.last(), QStringLiteral("Export:12:Purchase Order List:%1:1:0")
                                            .arg(program_.state->AppFolder()));
        QCOMPARE(AppSettings::Text("frmMain", "exportpath"), home_->Path() + "exports/");

        results->ExportWrites = false;
        results->ExportTarget = "/elsewhere/x.csv";
        QTest::mouseClick(program_.Button("cmdexport")->Button(), Qt::LeftButton);
        QCOMPARE(results->Calls.last(),
                 QStringLiteral("Export:4:Invoice List:%1:1:0").arg(home_->Path() + "exports/"));
        QCOMPARE(AppSettings::Text("frmMain", "exportpath"), home_->Path() + "exports/");
    }

    // Never narrower than 9015 twips; the placement is saved at unload and restored at the
    // next load, a stored window state is applied alone, and without any the window is
    // centred.
    void PlacementIsSavedAtUnloadAndRestoredAtTheNextLoad() {
        program_.Start(false);
        program_.main->hide();
        program_.main->resize(700, 500);
        program_.main->Load();
        QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QRect frame = program_.main->frameGeometry();
        QVERIFY(qAbs(frame.center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - screen.center().y()) <= 1);
        program_.main->show();
        QCOMPARE(program_.main->minimumWidth(), 9015 / 15);
        program_.main->resize(300, 500);
        QCOMPARE(program_.main->width(), 601);

        program_.main->resize(700, 580);
        program_.main->move(40, 10);
        QPoint saved = program_.main->pos();
        program_.main->close();
        QCOMPARE(AppSettings::Text("frmMain", "width"), QStringLiteral("700"));
        QCOMPARE(AppSettings::Text("frmMain", "height"), QStringLiteral("580"));
        QCOMPARE(AppSettings::Text("frmMain", "left"), QString::number(saved.x()));
        QCOMPARE(AppSettings::Text("frmMain", "top"), QString::number(saved.y()));
        QCOMPARE(AppSettings::Text("frmMain", "windowstate"), QStringLiteral("0"));
        program_.Stop();

        Program next;
        next.Start(false);
        next.main->hide();
        next.main->Load();
        QCOMPARE(next.main->size(), QSize(700, 580));
        QCOMPARE(next.main->pos(), saved);
        next.Stop();

        AppSettings::SetText("frmMain", "windowstate", "2");
        Program maximised;
        maximised.Start();
        QVERIFY(maximised.main->isMaximized());
        maximised.Stop();
    }

    void TheWindowsMenuArrangesAndRemembersTheArrangement() {
        program_.Start();
        QCOMPARE(program_.main->ArrangementCode(), 1);
        QWidget* first = program_.AddResults(1);
        QWidget* second = program_.AddResults(2);
        Item(program_.Menu("mnuWindows"), "Tile Windows &Vertically")->trigger();
        QCOMPARE(program_.main->ArrangementCode(), 2);
        QCOMPARE(AppSettings::Text("frmMain", "arrange"), QStringLiteral("2"));
        QRect a = first->parentWidget()->geometry(), b = second->parentWidget()->geometry();
        QCOMPARE(a.top(), b.top());
        QVERIFY(a.right() < b.left());

        Item(program_.Menu("mnuWindows"), "Tile Windows &Horizontally")->trigger();
        QCOMPARE(AppSettings::Text("frmMain", "arrange"), QStringLiteral("1"));
        a = first->parentWidget()->geometry();
        b = second->parentWidget()->geometry();
        QCOMPARE(a.left(), b.left());
        QVERIFY(a.bottom() < b.top());

        Item(program_.Menu("mnuWindows"), "&Cascade Windows")->trigger();
        QCOMPARE(AppSettings::Text("frmMain", "arrange"), QStringLiteral("0"));
        program_.Stop();

        // The next start uses the stored arrangement; the side bar arranges through the
        // hub, and so does its console toggle.
        program_.Start();
        QCOMPARE(program_.main->ArrangementCode(), 0);
        QSignalSpy arranged(&program_.state->Hub(), &MsgInterface::ArrangeWindows);
        QTest::mouseClick(program_.Button("cmdvertical")->Button(), Qt::LeftButton);
        QCOMPARE(program_.main->ArrangementCode(), 2);
        QCOMPARE(AppSettings::Text("frmMain", "arrange"), QStringLiteral("2"));
        QDockWidget* dock = program_.main->ConsoleDock();
        QVERIFY(dock->isVisible());
        // Without a console the dock says where it goes.
        QVERIFY(dock->findChild<QLabel*>("lblNoConsole"));
        QVERIFY(program_.main->Console() == nullptr);
        QTest::mouseClick(program_.Button("cmdshow")->Button(), Qt::LeftButton);
        QVERIFY(!dock->isVisible());
        QTest::mouseClick(program_.Button("cmdshow")->Button(), Qt::LeftButton);
        QVERIFY(dock->isVisible());
        QCOMPARE(arranged.count(), 3);
    }

    void TheEditSequenceOptionIsStoredAsTrueOrFalse() {
        AppSettings::SetText("frmMain", "dblchkedtseq", "True");
        program_.Start();
        QAction* option = Item(program_.Menu("mnuOptions"), "Double Check Edit Sequences");
        QVERIFY(option->isChecked());
        QVERIFY(!program_.state->SkipEditSequenceCheck());
        option->setEnabled(true);
        option->trigger();
        QVERIFY(!option->isChecked());
        QCOMPARE(AppSettings::Text("frmMain", "dblchkedtseq"), QStringLiteral("False"));
        QVERIFY(program_.state->SkipEditSequenceCheck());
    }

    // Pop-ups show the link's message in one reused window; a missing processor's says what
    // to configure and closes the windows.
    void PopUpsShowTheLinksMessageAndAMissingProcessorClosesTheWindows() {
        program_.Start();
        QString message;
        QDialog* first = nullptr;
        OnNextModal([&](QDialog* dialog) {
            first = dialog;
            message = qobject_cast<frmPopUp*>(dialog)->Message();
            dialog->hide();
        });
        program_.state->Hub().ShowPopUp(LinkError::CompanyFileMissing, "No company file here.");
        QCOMPARE(message, QStringLiteral("No company file here."));
        QDialog* second = nullptr;
        OnNextModal([&](QDialog* dialog) {
            second = dialog;
            dialog->hide();
        });
        program_.state->Hub().ShowPopUp(LinkError::RequestRejected, "Rejected.");
        QCOMPARE(second, first);
        QCOMPARE(program_.main->PopUpWindow(), first);
        program_.AddResults(1);
        program_.AddResults(2);

        QString solution, shownSolution;
        OnNextModal([&](QDialog* dialog) {
            auto* popUp = qobject_cast<frmPopUp*>(dialog);
            message = popUp->Message();
            solution = popUp->Solution();
            shownSolution = popUp->findChild<QLabel*>("lblSolution")->text();
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        });
        program_.state->Hub().ShowPopUp(LinkError::ProcessorMissing, "module not found");
        QCOMPARE(message,
                 QString::fromStdString(RequestTypeInfo::ErrorText(LinkError::ProcessorMissing)));
        QString expected =
            QString::fromStdString(RequestTypeInfo::ErrorSolution(LinkError::ProcessorMissing));
        expected.replace("\n", "\r\n");
        QCOMPARE(solution, expected);
        QVERIFY(solution.contains("\r\n"));
        QCOMPARE(shownSolution, solution.replace("\r\n", "\n"));
        QTRY_COMPARE(program_.main->MdiArea()->subWindowList().size(), 0);
    }

    // Update and Reset ask first and run their store operation only on yes.
    void UpdateAndResetRunOnlyOnYes() {
        program_.Start();
        const struct {
            const char* command;
            const char* caption;
            bool yes;
            QStringList calls;
        } cases[] = {{"&Update Quarrion", "Update Quarrion Database", true, {"InitDataB"}},
                     {"&Reset Quarrion", "Reset Quarrion Database", true, {"InitDataC"}},
                     {"&Reset Quarrion", "Reset Quarrion Database", false, {}}};
        for (const auto& c : cases) {
            program_.script->Calls.clear();
            QString caption;
            OnNextModal([&](QDialog* dialog) {
                auto* frm = qobject_cast<frmDialog*>(dialog);
                caption = frm->windowTitle();
                QTest::mouseClick(c.yes ? frm->cmdOK() : frm->cmdCancel(), Qt::LeftButton);
            });
            Item(program_.Menu("mnuAdvanced"), c.command)->trigger();
            QVERIFY2(program_.script->Calls == c.calls, c.command);
            QCOMPARE(caption, QString::fromLatin1(c.caption));
        }
    }

    void TheAdvancedMenuOpensAndClearsTheErrorLogAndSwitchesLogging() {
        program_.Start();
        QFile log(program_.link->LogPath);
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("time\tmessage\n10:00\tfailed\n");
        log.close();
        QMenu* advanced = program_.Menu("mnuAdvanced");
        Item(advanced, "&Open Error Log")->trigger();
        frmErrorLog* window = program_.main->ErrorLog();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->lstView()->rowCount(), 1);
        Item(advanced, "&Open Error Log")->trigger();
        QCOMPARE(program_.main->ErrorLog(), window);

        Item(advanced, "&Clear Error Log")->trigger();
        QCOMPARE(program_.link->Cleared, 1);
        QCOMPARE(window->lstView()->rowCount(), 0);

        // The Log Errors mark follows the link.
        QAction* logErrors = Item(advanced, "&Log Errors");
        program_.link->LogErrors = true;
        emit advanced->aboutToShow();
        QVERIFY(logErrors->isChecked());
        logErrors->trigger();
        QVERIFY(!program_.link->LogErrors);
        logErrors->trigger();
        QVERIFY(program_.link->LogErrors);
    }

    void HelpOpensItsPageAndCloseAllWindowsClosesItAndTheChildrenAndExitUnloads() {
        program_.Start();
        program_.AddResults(1);
        program_.state->Hub().ShowContextHelp(HelpContext::SearchResults);
        QCOMPARE(program_.main->Help()->CurrentPage(), QStringLiteral("search-results.html"));
        QVERIFY(program_.main->Help()->Browser()->toPlainText().contains("one tab per"));
        program_.state->Hub().ShowContextHelp(424242);
        QCOMPARE(program_.main->Help()->CurrentPage(), QStringLiteral("index.html"));
        Item(program_.Menu("mnuHelp"), "Documentation ...")->trigger();
        QVERIFY(program_.main->Help()->isVisible());
        Item(program_.Menu("mnuWindows"), "Close &All Windows")->trigger();
        QTRY_COMPARE(program_.main->MdiArea()->subWindowList().size(), 0);
        QVERIFY(!program_.main->Help()->isVisible());
        // Exit unloads in order: the marker of a running program goes.
        const QString marker = program_.state->MarkerPath();
        QVERIFY(QFile::exists(marker));
        Item(program_.Menu("mnuFile"), "E&xit")->trigger();
        QVERIFY(!QFile::exists(marker));
        QVERIFY(!program_.main->isVisible());
    }

    void AConsoleIsDockedAndInitialisedDuringLoad() {
        struct Console : QWidget, SearchConsole {
            using QWidget::QWidget;
            QWidget* Widget() override { return this; }
            void InitControl() override { ++initialised; }
            int initialised = 0;
        };
        FreshHome home;
        auto script = std::make_shared<FakeStore::Script>();
        StartUpParts parts;
        parts.MakeStore = [script](QBXMLTags&) { return std::make_unique<FakeStore>(script); };
        auto state = AppState::StartUp(std::move(parts));
        Console* made = nullptr;
        ConsoleHost* host = nullptr;
        frmMain main(*state, [&](ConsoleHost& h, QWidget* parent) {
            host = &h;
            made = new Console(parent);
            return made;
        });
        QVERIFY(made);
        QCOMPARE(main.ConsoleDock()->widget(), made);
        QCOMPARE(made->initialised, 0);
        main.Load();
        QCOMPARE(made->initialised, 1);
        QCOMPARE(&host->State(), state.get());
        auto* results = new FakeResults(3);
        host->createMdiChild(results);
        QCOMPARE(main.activeResultsWindow(), results);
    }

  private:
    std::unique_ptr<FreshHome> home_;
    Program program_;
};

QUARRION_SHELL_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
