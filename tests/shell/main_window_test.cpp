#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QTextBrowser>
#include <functional>
#include <memory>
#include <tuple>

#include "fakes.h"
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
using namespace quarrion::test;

namespace {

// One start of the program over fakes: start-up, then the main window's load.
struct Program {
    std::shared_ptr<FakeStore::Script> script = std::make_shared<FakeStore::Script>();
    std::shared_ptr<FakeLink::Shared> link = std::make_shared<FakeLink::Shared>();
    std::unique_ptr<AppState> state;
    std::unique_ptr<frmMain> main;

    void Start(bool load = true) {
        StartUpParts parts = FakeStoreParts(script);
        parts.MakeLink = [l = link] { return std::make_unique<FakeLink>(l); };
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
    QAction* Item(const char* menu, const QString& caption) const {
        for (QAction* action : Menu(menu)->actions()) {
            if (action->text() == caption) return action;
        }
        return nullptr;
    }
    ButtonRef* Button(const char* name) const {
        return main->SideBar()->Buttons().Item(QString::fromLatin1(name));
    }
    void Click(const char* button) const {
        QTest::mouseClick(Button(button)->Button(), Qt::LeftButton);
    }
    FakeResults* AddResults(std::int32_t owner) {
        auto* window = new FakeResults(owner);
        main->createMdiChild(window);
        return window;
    }
    void Activate(QWidget* child) {
        main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
    }
    // The export menu's items as "caption:request type" ("-" a separator).
    QStringList ExportItems() const {
        QStringList items;
        for (QAction* action : main->ExportMenu()->actions()) {
            const QString type = action->data().toString();
            items << (action->isSeparator() ? QStringLiteral("-")
                                            : action->text() + (type.isEmpty() ? "" : ":" + type));
        }
        return items;
    }
    // What the hub switches, 1 on and 0 off, in this order: the export menu, its first
    // two items, the side bar's Export, Export All, Excel and Re-search, the Invoices,
    // POs, SOs and Credit Memos menus and the edit-sequence option.
    QString Switches() const {
        const QList<QAction*> items = main->ExportMenu()->actions();
        QList<bool> on = {main->ExportMenu()->menuAction()->isEnabled(), items[0]->isEnabled(),
                          items[1]->isEnabled()};
        for (const char* button : {"cmdexport", "cmdexportall", "cmdexcel", "cmdresearch"}) {
            on << Button(button)->Enabled();
        }
        for (const char* menu : {"mnuInvoices", "mnuPOs", "mnuSOs", "mnuCreditMemos"}) {
            on << Menu(menu)->menuAction()->isEnabled();
        }
        on << Item("mnuOptions", "Double Check Edit Sequences")->isEnabled();
        QString shown;
        for (bool b : on) shown += b ? '1' : '0';
        return shown;
    }
};

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

    // Hub events against what the results commands and to-print menus offer afterwards.
    // Window 1 is the active results window, window 2 another one. `before` runs ahead of
    // the notifications and `after` behind them; `enabled` reads as Switches() does, "-"
    // not checked; `items` are the export menu's (none: not checked); `tip` is Export's
    // tooltip ("" not checked, "default" its own).
    void HubEventsSwitchTheResultsCommandsAndToPrintMenus() {
        using Step = std::function<void(Program&)>;
        using H = MsgInterface;
        // A notification: request type, whether it has rows, the other types, the owner.
        using Note = std::tuple<std::int32_t, bool, const char*, std::int32_t>;
        struct Case {
            const char* name;
            QList<Note> notes;
            const char* enabled;
            Step before = nullptr, after = nullptr;
            QString items = {};
            QString tip = {};
        };
        namespace T = RequestTypeCode;
        auto note = [](std::int32_t type, bool rows, const char* others, std::int32_t owner = 1) {
            return QList<Note>() << Note{type, rows, others, owner};
        };
        auto set = [](void (H::*setter)(bool), bool on = true) -> Step {
            return [=](Program& p) { (p.state->Hub().*setter)(on); };
        };
        auto call = [](void (H::*event)()) -> Step {
            return [=](Program& p) { (p.state->Hub().*event)(); };
        };
        const Step otherChildActive = [](Program& p) {
            auto* other = new QWidget;
            p.main->createMdiChild(other);
            p.Activate(other);
        };
        const Step noExcel = [](Program& p) { p.state->SetExcelAvailable(false); };
        const QList<Note> none;
        const QString invoiceAndAll = "Invoice List:4|All Search Result Lists";
        const Case cases[] = {
            {"nothing yet", none, "0--00000---0"},
            {"the active window offers its lists", note(T::Invoice, true, "12,7"), "1111111-----",
             nullptr, nullptr, invoiceAndAll + "|-|Purchase Order List:12|Sales Order List:7",
             "Export Invoice List"},
            {"no other lists", note(T::PurchaseOrder, true, ""), "--0-0-------", nullptr, nullptr,
             "Purchase Order List:12|All Search Result Lists"},
            {"the current type is not offered twice", note(T::Invoice, true, "4,12"),
             "------------", nullptr, nullptr, invoiceAndAll + "|-|Purchase Order List:12"},
            {"an empty list without others", note(T::Invoice, false, ""), "0--0-00-----"},
            {"an empty list whose siblings have rows", note(T::Invoice, false, "12"),
             "101-1-------"},
            {"a window that is not active only switches off",
             note(T::Invoice, true, "12") + note(T::CreditMemo, true, "7", 2), "---0000-----",
             nullptr, nullptr, invoiceAndAll, "default"},
            {"a window that is no results window only switches off", note(T::Invoice, true, "12"),
             "---0--------", otherChildActive, nullptr,
             "Displayed Result Lists|All Search Result Lists"},
            {"request type 0 only switches the displayed list off",
             note(T::Invoice, true, "12") + note(0, false, "12"), "-0----------", nullptr, nullptr,
             invoiceAndAll},
            // AllOff ends with a request-type 0 notification: the entry keeps its caption.
            {"all off switches every results command off", note(T::Invoice, true, "12"),
             "000--0-0---0", set(&H::SetInvoiceMenu), call(&H::AllOff), invoiceAndAll},
            {"no spreadsheet program", note(T::Invoice, true, "12"), "---1-0------", noExcel},
            {"the invoice menu", none, "-------10001", set(&H::SetInvoiceMenu)},
            {"the PO menu", none, "-------01001", set(&H::SetPOMenu)},
            {"the SO menu", none, "-------00101", set(&H::SetSOMenu)},
            {"the credit memo menu", none, "-------00011", set(&H::SetCreditMemoMenu)},
            {"a to-print menu off again", none, "-------00000", set(&H::SetSOMenu),
             set(&H::SetSOMenu, false)},
            {"the to-print menus all off", none, "-------00000", set(&H::SetPOMenu),
             call(&H::SetToPrintOff)},
        };
        for (const Case& c : cases) {
            Program program;
            program.Start();
            FakeResults* active = program.AddResults(1);
            program.AddResults(2);
            program.Activate(active);
            if (c.before) c.before(program);
            for (const auto& [type, rows, others, owner] : c.notes) {
                program.state->Hub().SendRequestTypeNotification(type, rows, others, owner);
            }
            if (c.after) c.after(program);
            QString shown = program.Switches();
            for (int i = 0; i < shown.size(); ++i) {
                if (c.enabled[i] == '-') shown[i] = '-';
            }
            QVERIFY2(shown == c.enabled, qPrintable(QStringLiteral("%1: %2").arg(c.name, shown)));
            if (!c.items.isEmpty()) QVERIFY2(program.ExportItems().join('|') == c.items, c.name);
            QVERIFY2(program.Button("cmdshow")->Enabled(), c.name);
            const ButtonRef* button = program.Button("cmdexport");
            if (!c.tip.isEmpty()) {
                QVERIFY2(button->ToolTipText() ==
                             (c.tip == "default" ? button->DefaultToolTipText() : c.tip),
                         c.name);
            }
            program.Stop();
        }
    }

    void ResultsCommandsExplainThemselvesWhenNoResultsWindowIsActive_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("shown");
        const QString activate = QStringLiteral(
            "Activate the Search Results window, by clicking on it, so Quarrion can tell which "
            "window to ");
        const QString export_ = "Export Search Results: " + activate + "use for the Export.";
        QTest::newRow("export") << "cmdexport" << export_;
        QTest::newRow("export all") << "cmdexportall" << export_;
        QTest::newRow("excel") << "cmdexcel"
                               << "Open Results in Excel: " + activate + "use for Excel.";
        QTest::newRow("re-search") << "cmdresearch"
                                   << "Search Results Again: " + activate + "search over again.";
    }
    void ResultsCommandsExplainThemselvesWhenNoResultsWindowIsActive() {
        QFETCH(QString, command);
        QFETCH(QString, shown);
        program_.Start();
        FakeResults* results = program_.AddResults(1);
        auto* view = new QWidget;
        program_.main->createMdiChild(view);
        program_.Activate(view);
        program_.Button(qPrintable(command))->SetEnabled(true);
        QCOMPARE(MessageOf([&] { program_.Click(qPrintable(command)); }), shown);
        // Nor do the to-print menus reach a results window that is not active.
        program_.Item("mnuInvoices", "Set All Invoices Listed To Print")->trigger();
        QVERIFY(results->Calls.isEmpty());
    }

    void ASingleExportStartsInTheLastFolderAndRemembersTheNewOne() {
        program_.Start();
        FakeResults* results = program_.AddResults(1);
        program_.Activate(results);
        program_.state->Hub().SendRequestTypeNotification(RequestTypeCode::Invoice, true, "12", 1);
        const QString exports = home_->Path() + "exports/";
        results->ExportTarget = exports + "Invoice List.csv";

        program_.main->ExportMenu()->actions()[3]->trigger();
        QCOMPARE(results->Calls.last(), QStringLiteral("Export:12:Purchase Order List:%1:1:0")
                                            .arg(program_.state->AppFolder()));
        QCOMPARE(AppSettings::Text("frmMain", "exportpath"), exports);

        // An export that writes nothing leaves the remembered folder alone.
        results->ExportWrites = false;
        results->ExportTarget = "/elsewhere/x.csv";
        program_.Click("cmdexport");
        QCOMPARE(results->Calls.last(), "Export:4:Invoice List:" + exports + ":1:0");
        QCOMPARE(AppSettings::Text("frmMain", "exportpath"), exports);
    }

    // Never narrower than 9015 twips; the placement is saved at unload and restored at the
    // next load.
    void PlacementIsSavedAtUnloadAndRestoredAtTheNextLoad() {
        program_.Start();
        program_.main->resize(300, 500);
        QCOMPARE(program_.main->width(), 601);

        program_.main->resize(700, 580);
        program_.main->move(40, 10);
        const QPoint saved = program_.main->pos();
        program_.main->close();
        QStringList stored;
        for (const char* key : {"width", "height", "left", "top", "windowstate"}) {
            stored << AppSettings::Text("frmMain", key);
        }
        QCOMPARE(stored, QStringList({"700", "580", QString::number(saved.x()),
                                      QString::number(saved.y()), "0"}));
        program_.Stop();

        program_.Start(false);
        program_.main->hide();
        program_.main->Load();
        QCOMPARE(program_.main->size(), QSize(700, 580));
        QCOMPARE(program_.main->pos(), saved);
    }

    void TheWindowsMenuArrangesAndRemembersTheArrangement() {
        program_.Start();
        QCOMPARE(program_.main->ArrangementCode(), 1);
        QWidget* first = program_.AddResults(1)->parentWidget();
        QWidget* second = program_.AddResults(2)->parentWidget();
        // The stored arrangement, and how the two windows lie.
        auto arranged = [&] {
            const QRect a = first->geometry(), b = second->geometry();
            return AppSettings::Text("frmMain", "arrange") +
                   (a.top() == b.top() && a.right() < b.left()     ? " side by side"
                    : a.left() == b.left() && a.bottom() < b.top() ? " stacked"
                                                                   : " overlapping");
        };
        program_.Item("mnuWindows", "Tile Windows &Vertically")->trigger();
        QCOMPARE(arranged(), QStringLiteral("2 side by side"));
        program_.Item("mnuWindows", "Tile Windows &Horizontally")->trigger();
        QCOMPARE(arranged(), QStringLiteral("1 stacked"));
        program_.Item("mnuWindows", "&Cascade Windows")->trigger();
        QCOMPARE(arranged(), QStringLiteral("0 overlapping"));
        program_.Stop();

        // The next start uses the stored arrangement; the side bar arranges through the
        // hub, and so does its console toggle.
        program_.Start();
        QCOMPARE(program_.main->ArrangementCode(), 0);
        QSignalSpy hubArranges(&program_.state->Hub(), &MsgInterface::ArrangeWindows);
        QString codes;
        for (const char* button : {"cmdvertical", "cmdhorizontal", "cmdcascade"}) {
            program_.Click(button);
            codes += QString::number(program_.main->ArrangementCode());
        }
        QCOMPARE(codes, QStringLiteral("210"));
        QDockWidget* dock = program_.main->ConsoleDock();
        // Without a console the dock says where it goes.
        QVERIFY(dock->isVisible() && dock->findChild<QLabel*>("lblNoConsole"));
        program_.Click("cmdshow");
        QVERIFY(!dock->isVisible());
        program_.Click("cmdshow");
        QVERIFY(dock->isVisible());
        QCOMPARE(hubArranges.count(), 5);
    }

    void TheEditSequenceOptionIsStoredAsTrueOrFalse() {
        AppSettings::SetText("frmMain", "dblchkedtseq", "True");
        program_.Start();
        QAction* option = program_.Item("mnuOptions", "Double Check Edit Sequences");
        QVERIFY(option->isChecked() && !program_.state->SkipEditSequenceCheck());
        option->setEnabled(true);
        option->trigger();
        QVERIFY(!option->isChecked() && program_.state->SkipEditSequenceCheck());
        QCOMPARE(AppSettings::Text("frmMain", "dblchkedtseq"), QStringLiteral("False"));
    }

    // Pop-ups show the link's message in one reused window; a missing processor's says what
    // to configure and closes the windows.
    void PopUpsShowTheLinksMessageAndAMissingProcessorClosesTheWindows() {
        program_.Start();
        QStringList seen;
        QString solution;
        QList<QDialog*> windows;
        auto answer = [&](QDialog* dialog) {
            auto* popUp = qobject_cast<frmPopUp*>(dialog);
            windows << dialog;
            seen << popUp->Message();
            solution = popUp->Solution();
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        };
        OnNextModal(answer);
        program_.state->Hub().ShowPopUp(LinkError::CompanyFileMissing, "No company file here.");
        OnNextModal(answer);
        program_.state->Hub().ShowPopUp(LinkError::RequestRejected, "Rejected.");
        program_.AddResults(1);
        program_.AddResults(2);
        OnNextModal(answer);
        program_.state->Hub().ShowPopUp(LinkError::ProcessorMissing, "module not found");
        const auto missing = LinkError::ProcessorMissing;
        QCOMPARE(seen, QStringList({"No company file here.", "Rejected.",
                                    QString::fromStdString(RequestTypeInfo::ErrorText(missing))}));
        QCOMPARE(
            solution,
            QString::fromStdString(RequestTypeInfo::ErrorSolution(missing)).replace("\n", "\r\n"));
        QCOMPARE(windows, QList<QDialog*>(3, program_.main->PopUpWindow()));
        QTRY_COMPARE(program_.main->MdiArea()->subWindowList().size(), 0);
    }

    // Update and Reset ask first and run their store operation only on yes.
    void UpdateAndResetRunOnlyOnYes() {
        program_.Start();
        const struct {
            const char* command;
            bool yes;
            QStringList calls;
        } cases[] = {{"&Update Quarrion", true, {"InitDataB"}},
                     {"&Reset Quarrion", true, {"InitDataC"}},
                     {"&Reset Quarrion", false, {}}};
        for (const auto& c : cases) {
            program_.script->Calls.clear();
            OnNextModal([&](QDialog* dialog) {
                auto* frm = qobject_cast<frmDialog*>(dialog);
                QTest::mouseClick(c.yes ? frm->cmdOK() : frm->cmdCancel(), Qt::LeftButton);
            });
            program_.Item("mnuAdvanced", c.command)->trigger();
            QVERIFY2(program_.script->Calls == c.calls, c.command);
        }
    }

    void TheAdvancedMenuOpensAndClearsTheErrorLogAndSwitchesLogging() {
        program_.Start();
        QFile log(program_.link->LogPath);
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("time\tmessage\n10:00\tfailed\n");
        log.close();
        program_.Item("mnuAdvanced", "&Open Error Log")->trigger();
        frmErrorLog* window = program_.main->ErrorLog();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->lstView()->rowCount(), 1);

        program_.Item("mnuAdvanced", "&Clear Error Log")->trigger();
        QCOMPARE(program_.link->Cleared, 1);
        QCOMPARE(window->lstView()->rowCount(), 0);

        // The Log Errors mark follows the link.
        QAction* logErrors = program_.Item("mnuAdvanced", "&Log Errors");
        program_.link->LogErrors = true;
        emit program_.Menu("mnuAdvanced")->aboutToShow();
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
        for (bool button : {true, false}) {
            program_.main->Help()->hide();
            button ? program_.Click("cmdhelp")
                   : program_.Item("mnuHelp", "Documentation ...")->trigger();
            QVERIFY(program_.main->Help()->isVisible());
        }
        program_.Item("mnuWindows", "Close &All Windows")->trigger();
        QTRY_COMPARE(program_.main->MdiArea()->subWindowList().size(), 0);
        QVERIFY(!program_.main->Help()->isVisible());
        // Exit unloads in order: the marker of a running program goes.
        const QString marker = program_.state->MarkerPath();
        QVERIFY(QFile::exists(marker));
        program_.Item("mnuFile", "E&xit")->trigger();
        QVERIFY(!QFile::exists(marker));
        QVERIFY(!program_.main->isVisible());
    }

  private:
    std::unique_ptr<FreshHome> home_;
    Program program_;
};

QUARRION_SHELL_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
