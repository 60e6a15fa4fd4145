#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <memory>

#include "control_file_lines.h"
#include "fakes.h"
#include "modal.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"
#include "shell/frm_dialog.h"
#include "shell/frm_main.h"
#include "shell/io_manager_store.h"
#include "shell_test_main.h"

using namespace quarrion;
using quarrion::test::FakeStore;
using quarrion::test::FakeStoreParts;
using quarrion::test::FreshHome;
using quarrion::test::ModalWatcher;

namespace {

// What one start of the program showed in modal windows ("title: text", one per line),
// then the size of the catalog it ended with.
QString StartProgram() {
    QStringList seen;
    ModalWatcher watcher([&seen](QDialog* dialog) {
        QString text;
        if (auto* label = dialog->findChild<QLabel*>("lblInfo")) text = label->text();
        if (auto* frm = qobject_cast<frmDialog*>(dialog)) {
            text = frm->Message();
            frm->cmdOK()->click();
        }
        seen << dialog->windowTitle() + ": " + text;
    });
    StartUpParts parts;
    parts.MakeStore = [](QBXMLTags& catalog) { return std::make_unique<IOManagerStore>(catalog); };
    auto state = AppState::StartUp(std::move(parts));
    frmMain main(*state);
    main.Load();
    seen << QStringLiteral("%1 elements").arg(state->Catalog().Count());
    return seen.join('\n');
}

const QString kFirstTime = QStringLiteral(
    "Initialization: Initializing Quarrion for first time use, please wait while the process "
    "completes ...\n");
const QString kUpdate = QStringLiteral(
    "Initialization: Updating Quarrion, please wait while the process completes ...\n");

}  // namespace

// The start-up routine: the fixed order, the crash clean-up of the settings, the
// temporary folders and the database check, over a store stand-in and the real store.
class StartUpTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { home_ = std::make_unique<FreshHome>(); }
    void cleanup() { home_.reset(); }

    // (The files and folders' places are seen by the two tests below.)
    void SettingsLieInTheDataFolderAndWindowIdsCountUpFromOne() {
        auto state = AppState::StartUp(FakeStoreParts());
        QCOMPARE(state->NextWindowId(), 1);
        AppSettings::SetFlag("frmMain", "dblchkedtseq", true);
        QSettings settings;
        settings.sync();
        QVERIFY2(settings.fileName().startsWith(home_->Path()), qPrintable(settings.fileName()));
        QCOMPARE(settings.value("frmMain/dblchkedtseq").toString(), QStringLiteral("True"));
    }

    // Old databases go first; the current one is checked once the marker (emptied),
    // the temporary folders and the clean-up of a crashed run's settings are in place.
    void TheDatabaseIsCheckedLastAfterOldOnesGoAndAfterTheCrashCleanUp() {
        AppSettings::SetText("frmMain", "arrange", "2");
        QFile marker(home_->Path() + "temptest.txt");
        QVERIFY(marker.open(QIODevice::WriteOnly) && marker.write("left over") > 0);
        marker.close();

        auto script = std::make_shared<FakeStore::Script>();
        bool markerThere = false, foldersThere = false, settingsGone = false;
        script->OnCall = [&](const QString& call) {
            if (!call.startsWith("CheckDatabase")) return;
            const QFileInfo marker(home_->Path() + "temptest.txt");
            markerThere = marker.exists() && marker.size() == 0;
            foldersThere = QFileInfo(home_->Path() + "Temporary XML Files").isDir() &&
                           QFileInfo(home_->Path() + "Temporary Excel Files").isDir();
            settingsGone = AppSettings::Text("frmMain", "arrange").isEmpty();
        };
        auto state = AppState::StartUp(FakeStoreParts(script));
        const QString base = home_->Path() + "Quarrion";
        QCOMPARE(script->Calls,
                 QStringList({"DeleteFile:" + base + ".qr1", "DeleteFile:" + base + ".qr2",
                              "CheckDatabase:" + base + ".qr3"}));
        QVERIFY(markerThere && foldersThere && settingsGone && state->SettingsWereReset());
    }

    // Settings outlive a run that ends in order and are lost after one that never does;
    // either way a deleted temporary folder comes back and a kept one is not emptied.
    void OnlyAnOrderlyEndKeepsTheSettingsForTheNextStart() {
        for (bool orderly : {true, false}) {
            {
                auto state = AppState::StartUp(FakeStoreParts());
                QVERIFY(!state->SettingsWereReset());
                AppSettings::SetText("frmMain", "arrange", "0");
                AppSettings::SetText("Console", "fromdate", "2024-01-01");
                QVERIFY(QFile(state->ExcelFolder() + "kept.xlsx").open(QIODevice::WriteOnly));
                QVERIFY(QFile::exists(state->MarkerPath()));
                if (orderly) state->ShutDown();
                QCOMPARE(QFile::exists(state->MarkerPath()), !orderly);
            }
            QVERIFY(QDir(home_->Path() + "Temporary XML Files").removeRecursively());
            auto next = AppState::StartUp(FakeStoreParts());
            QCOMPARE(next->SettingsWereReset(), !orderly);
            QCOMPARE(
                AppSettings::Text("frmMain", "arrange") + AppSettings::Text("Console", "fromdate"),
                orderly ? "02024-01-01" : QString());
            QVERIFY(QFileInfo(next->XmlFolder()).isDir());
            QVERIFY(QFile::exists(next->ExcelFolder() + "kept.xlsx"));
            next->ShutDown();
        }
    }

    // With the real store: the database step of the main window's load on a first run,
    // a later run and a run after a newer catalog shipped. (A file that is no database is
    // refused by the store's robustness test and kept by the unattended run test.)
    void FirstRunThenLaterRunThenUpdate() {
        test::ShippedCatalog shipped(home_->Path());
        QVERIFY(shipped.Write(1, 3));
        QCOMPARE(StartProgram(), kFirstTime + "3 elements");
        QVERIFY(QFile::exists(home_->Path() + "Quarrion.qr3"));
        QCOMPARE(StartProgram(), QStringLiteral("3 elements"));
        QVERIFY(shipped.Write(2, 5));
        QCOMPARE(StartProgram(), kUpdate + "5 elements");
    }

  private:
    std::unique_ptr<FreshHome> home_;
};

QUARRION_SHELL_TEST_MAIN(StartUpTest)
#include "start_up_test.moc"
