#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "control_file_lines.h"
#include "modal.h"
#include "shell/app_state.h"
#include "shell/frm_dialog.h"
#include "shell/frm_main.h"
#include "shell/io_manager_store.h"
#include "shell_test_main.h"

using namespace quarrion;
using quarrion::test::FreshHome;
using quarrion::test::ModalWatcher;

namespace {

// What one start of the program showed in modal windows, and the catalog it ended with.
struct Start {
    QStringList windows;
    std::size_t catalog = 0;
};

Start StartProgram() {
    Start seen;
    auto watch = [&seen](QDialog* dialog) {
        QString text;
        if (auto* label = dialog->findChild<QLabel*>("lblInfo")) text = label->text();
        if (auto* frm = qobject_cast<frmDialog*>(dialog)) {
            text = frm->Message();
            frm->cmdOK()->click();
        }
        seen.windows << dialog->windowTitle() + ": " + text;
    };
    ModalWatcher watcher(watch);
    StartUpParts parts;
    parts.MakeStore = [](QBXMLTags& catalog) { return std::make_unique<IOManagerStore>(catalog); };
    auto state = AppState::StartUp(std::move(parts));
    {
        frmMain main(*state);
        main.Load();
        seen.catalog = state->Catalog().Count();
    }
    return seen;
}

const QString kFirstTime = QStringLiteral(
    "Initialization: Initializing Quarrion for first time use, please wait while the process "
    "completes ...");
const QString kUpdate = QStringLiteral(
    "Initialization: Updating Quarrion, please wait while the process completes ...");

}  // namespace

// Start-up with the real store: the database step of the main window's load on a first
// run, a later run and a run after a newer catalog shipped.
class StoreStartTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        home_ = std::make_unique<FreshHome>();
        shipped_ = std::make_unique<test::ShippedCatalog>(home_->Path());
    }
    void cleanup() {
        shipped_.reset();
        home_.reset();
    }

    void FirstRunThenLaterRunThenUpdate() {
        QVERIFY(shipped_->Write(1, 3));
        Start first = StartProgram();
        QCOMPARE(first.windows, QStringList{kFirstTime});
        QCOMPARE(first.catalog, std::size_t{3});
        QVERIFY(QFile::exists(home_->Path() + "Quarrion.qr3"));

        Start later = StartProgram();
        QCOMPARE(later.windows, QStringList{});
        QCOMPARE(later.catalog, std::size_t{3});

        QVERIFY(shipped_->Write(2, 5));
        Start update = StartProgram();
        QCOMPARE(update.windows, QStringList{kUpdate});
        QCOMPARE(update.catalog, std::size_t{5});

        Start after = StartProgram();
        QCOMPARE(after.windows, QStringList{});
        QCOMPARE(after.catalog, std::size_t{5});
    }

    void AFileThatIsNoDatabaseIsReportedAndKept() {
        QVERIFY(shipped_->Write(1, 3));
        QFile foreign(home_->Path() + "Quarrion.qr3");
        QVERIFY(foreign.open(QIODevice::WriteOnly));
        foreign.write("this is not a database, and it is somebody's file");
        foreign.close();

        Start start = StartProgram();
        QVERIFY(!start.windows.isEmpty());
        QVERIFY2(start.windows.first().startsWith("Quarrion::CheckDatabase: ("),
                 qPrintable(start.windows.first()));
        QFile kept(home_->Path() + "Quarrion.qr3");
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("this is not a database, and it is somebody's file"));
    }

  private:
    std::unique_ptr<FreshHome> home_;
    std::unique_ptr<test::ShippedCatalog> shipped_;
};

QUARRION_SHELL_TEST_MAIN(StoreStartTest)
#include "store_start_test.moc"
