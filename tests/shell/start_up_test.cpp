#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QSettings>
#include <QSplashScreen>
#include <QTest>
#include <memory>

#include "fakes.h"
#include "foundation/codes.h"
#include "shell/app_settings.h"
#include "shell/app_state.h"
#include "shell/splash_start.h"
#include "shell_test_main.h"

using quarrion::AppSettings;
using quarrion::AppState;
using quarrion::StartUpParts;
using quarrion::test::FakeStore;
using quarrion::test::FreshHome;

namespace {

StartUpParts PartsWith(std::shared_ptr<FakeStore::Script> script) {
    StartUpParts parts;
    parts.MakeStore = [script](quarrion::QBXMLTags&) {
        return std::make_unique<FakeStore>(script);
    };
    return parts;
}

}  // namespace

// The start-up routine: the fixed order, the crash clean-up of the settings, the
// temporary folders and the database check.
class StartUpTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { home_ = std::make_unique<FreshHome>(); }
    void cleanup() { home_.reset(); }

    void TheSplashIsGoneBeforeTheMainWindowLoads() {
        QPixmap picture(120, 80);
        picture.fill(Qt::darkBlue);
        QSplashScreen splash(picture);
        bool opened = false;
        bool splashShownDuringLoad = true;
        quarrion::OpenAfterSplash(splash, 20, [&] {
            splashShownDuringLoad = splash.isVisible();
            opened = true;
        });
        QVERIFY(splash.isVisible());
        QTRY_VERIFY(opened);
        QVERIFY(!splashShownDuringLoad);
    }

    void TheApplicationFolderIsTheDataFolderWithATrailingSeparator() {
        auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
        QCOMPARE(state->AppFolder(), home_->Path());
        QCOMPARE(state->MarkerPath(), home_->Path() + "temptest.txt");
        QCOMPARE(state->DatabasePath(), home_->Path() + "Quarrion.qr3");
        QCOMPARE(state->XmlFolder(), home_->Path() + "Temporary XML Files/");
        QCOMPARE(state->ExcelFolder(), home_->Path() + "Temporary Excel Files/");
    }

    void OldDatabasesAreRemovedBeforeTheCurrentOneIsChecked() {
        auto script = std::make_shared<FakeStore::Script>();
        auto state = AppState::StartUp(PartsWith(script));
        QString base = home_->Path() + "Quarrion";
        QCOMPARE(script->Calls,
                 QStringList({"DeleteFile:" + base + ".qr1", "DeleteFile:" + base + ".qr2",
                              "CheckDatabase:" + base + ".qr3"}));
    }

    void TheDatabaseIsCheckedAfterMarkerFoldersAndSettingsAreInPlace() {
        // Plant settings and the marker of a run that crashed.
        AppSettings::SetText("frmMain", "arrange", "2");
        QFile marker(home_->Path() + "temptest.txt");
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.write("left over");
        marker.close();

        auto script = std::make_shared<FakeStore::Script>();
        bool markerThere = false, foldersThere = false, settingsGone = false;
        script->OnCall = [&](const QString& call) {
            if (!call.startsWith("CheckDatabase")) return;
            markerThere = QFileInfo(home_->Path() + "temptest.txt").size() == 0 &&
                          QFile::exists(home_->Path() + "temptest.txt");
            foldersThere = QFileInfo(home_->Path() + "Temporary XML Files").isDir() &&
                           QFileInfo(home_->Path() + "Temporary Excel Files").isDir();
            settingsGone = AppSettings::Text("frmMain", "arrange").isEmpty();
        };
        auto state = AppState::StartUp(PartsWith(script));
        QVERIFY(markerThere);
        QVERIFY(foldersThere);
        QVERIFY(settingsGone);
    }

    void AStartWithoutMarkerKeepsTheSettings() {
        AppSettings::SetText("frmMain", "arrange", "2");
        AppSettings::SetText("Console", "fromdate", "2024-01-01");
        auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
        QVERIFY(!state->SettingsWereReset());
        QCOMPARE(AppSettings::Text("frmMain", "arrange"), QStringLiteral("2"));
        QCOMPARE(AppSettings::Text("Console", "fromdate"), QStringLiteral("2024-01-01"));
        QVERIFY(QFile::exists(state->MarkerPath()));
    }

    void AStartAfterACrashDeletesEverySection() {
        AppSettings::SetText("frmMain", "arrange", "2");
        AppSettings::SetText("Console", "fromdate", "2024-01-01");
        AppSettings::SetText("frmReSearch", "top", "100");
        QFile marker(home_->Path() + "temptest.txt");
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();

        auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
        QVERIFY(state->SettingsWereReset());
        for (auto [section, key] :
             {std::pair{"frmMain", "arrange"}, {"Console", "fromdate"}, {"frmReSearch", "top"}}) {
            QVERIFY2(AppSettings::Text(section, key).isEmpty(), key);
        }
    }

    void TheOrderlyEndDeletesTheMarkerSoTheNextStartKeepsSettings() {
        {
            auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
            AppSettings::SetText("frmMain", "arrange", "0");
            state->ShutDown();
            QVERIFY(!QFile::exists(state->MarkerPath()));
        }
        auto next = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
        QVERIFY(!next->SettingsWereReset());
        QCOMPARE(AppSettings::Text("frmMain", "arrange"), QStringLiteral("0"));
    }

    void ARunThatNeverShutsDownLosesItsSettingsAtTheNextStart() {
        {
            auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
            AppSettings::SetText("frmMain", "arrange", "0");
        }
        auto next = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
        QVERIFY(next->SettingsWereReset());
        QVERIFY(AppSettings::Text("frmMain", "arrange").isEmpty());
    }

    void DeletedTemporaryFoldersAreCreatedAgainAndExistingOnesAreNotEmptied() {
        {
            auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
            QFile kept(state->ExcelFolder() + "kept.xlsx");
            QVERIFY(kept.open(QIODevice::WriteOnly));
            kept.close();
            state->ShutDown();
        }
        QVERIFY(QDir(home_->Path() + "Temporary XML Files").removeRecursively());
        QVERIFY(!QFileInfo(home_->Path() + "Temporary XML Files").exists());

        auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
        QVERIFY(QFileInfo(home_->Path() + "Temporary XML Files").isDir());
        QVERIFY(QFile::exists(state->ExcelFolder() + "kept.xlsx"));
    }

    void TheCodeTablesAreFilledInTheirFixedOrder() {
        auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
        auto& tables = state->Tables();
        QCOMPARE(tables.Operations.Count(), std::size_t{16});
        QCOMPARE(tables.DataTypes.Count(), std::size_t{8});
        QCOMPARE(tables.Choices.Count(), std::size_t{6});
        QCOMPARE(tables.Operations.Item(1)->Code(), std::int32_t{quarrion::Operation::LessThan});
        QCOMPARE(tables.Operations.Item(8)->Code(), std::int32_t{quarrion::Operation::TextEquals});
        QCOMPARE(tables.Operations.Item(16)->Code(), std::int32_t{quarrion::Operation::IsBlank});
        QCOMPARE(tables.DataTypes.Item(7)->Code(), quarrion::DataTypeCode::Str);
        QCOMPARE(tables.Choices.Item(1)->Code(), quarrion::Choice::Text);
    }

    void WindowIdsCountUpFromOne() {
        auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
        QCOMPARE(state->WindowCounter(), 0);
        QCOMPARE(state->NextWindowId(), 1);
        QCOMPARE(state->NextWindowId(), 2);
    }

    void TheSpreadsheetCommandsAreAvailable() {
        auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
        QVERIFY(state->ExcelAvailable());
    }

    void SettingsLiveInTheDataFolder() {
        auto state = AppState::StartUp(PartsWith(std::make_shared<FakeStore::Script>()));
        AppSettings::SetFlag("frmMain", "dblchkedtseq", true);
        QSettings settings;
        settings.sync();
        QVERIFY2(settings.fileName().startsWith(home_->Path()), qPrintable(settings.fileName()));
        QCOMPARE(settings.value("frmMain/dblchkedtseq").toString(), QStringLiteral("True"));
    }

  private:
    std::unique_ptr<FreshHome> home_;
};

QUARRION_SHELL_TEST_MAIN(StartUpTest)
#include "start_up_test.moc"
