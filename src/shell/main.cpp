// The desktop program: start-up, a short splash, then the main window until it closes.
//
//   quarrion                     the program
//   quarrion --screenshot FILE   start up without a display, save the main window as a
//                                PNG picture in FILE and exit (status 1 when it cannot
//                                be saved)
//   quarrion --search NAME       start and run the saved search NAME in a results
//                                window, as the saved searches' Execute does; with
//                                --screenshot the picture is taken once every type is
//                                done (status 1 and a message when NAME is not saved)

#include <QApplication>
#include <QCommandLineParser>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QSplashScreen>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

#include "console/search_console_factory.h"
#include "link/frm_quickbooks_connection.h"
#include "model/search_object2.h"
#include "output/output_windows.h"
#include "results/frm_search_results.h"
#include "results/results_window_opener.h"
#include "search/search_builder.h"
#include "shell/app_state.h"
#include "shell/artwork.h"
#include "shell/frm_main.h"
#include "shell/io_manager_store.h"
#include "shell/relaywick_link.h"
#include "shell/splash_start.h"
#include "shell/unattended.h"
#include "store/io_manager.h"
#include "wizard/wizard_launchers.h"

namespace {

bool AskedForScreenshot(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--screenshot", 12) == 0) return true;
    }
    return false;
}

quarrion::StartUpParts ProgramParts() {
    quarrion::StartUpParts parts;
    parts.MakeStore = [](quarrion::QBXMLTags& catalog) {
        return std::make_unique<quarrion::IOManagerStore>(catalog);
    };
    parts.MakeLink = [] { return std::make_unique<quarrion::RelaywickLink>(); };
    return parts;
}

// Runs the saved search `name` through `open` as the saved searches' Execute does.
// False (with a message on standard error) when no search of that name is saved.
bool ExecuteSavedSearch(quarrion::frmMain& main, quarrion::AppState& state,
                        const quarrion::ResultsWindowOpener& open, const QString& name) {
    quarrion::IOManager* manager = state.Manager();
    std::unique_ptr<quarrion::SearchObject2s> saved = manager ? manager->SearchObjects() : nullptr;
    quarrion::SearchObject2* search = saved ? saved->Item(name.toStdString()) : nullptr;
    if (!search) {
        std::fprintf(stderr, "quarrion: no saved search is named \"%s\"\n", qPrintable(name));
        return false;
    }
    quarrion::PrepareSavedSearch(*search, state.Catalog());
    open(main, *search);
    return true;
}

// The results window the main window shows, or nullptr.
quarrion::frmSearchResults* ResultsWindowOf(quarrion::frmMain& main) {
    for (QMdiSubWindow* window : main.MdiArea()->subWindowList()) {
        if (auto* results = qobject_cast<quarrion::frmSearchResults*>(window->widget()))
            return results;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    // A picture needs no display: the window is drawn off screen.
    if (AskedForScreenshot(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(QUARRION_VERSION));
    QApplication::setWindowIcon(quarrion::Artwork::Icon(QStringLiteral("quarrion")));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Finds QuickBooks lists and transactions across many types at once."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Start up, save the main window as a PNG picture in <file>, and exit."),
        QStringLiteral("file"));
    parser.addOption(screenshot);
    QCommandLineOption search(
        QStringLiteral("search"),
        QStringLiteral("Start and run the saved search <name> in a results window."),
        QStringLiteral("name"));
    parser.addOption(search);
    parser.process(app);

    // Nobody answers messages in a screenshot run: they go to standard error.
    quarrion::Unattended::Set(parser.isSet(screenshot));
    std::unique_ptr<quarrion::AppState> state = quarrion::AppState::StartUp(ProgramParts());
    const quarrion::ResultsWindowOpener openResults =
        quarrion::MakeResultsWindowOpener(quarrion::MakeOutputWindows());
    quarrion::frmMain main(*state, quarrion::MakeSearchConsoleFactory(
                                       openResults, quarrion::MakeDisplayColumnsLauncher()));
    main.SetColumnsWizard(quarrion::MakePreferencesWizardLauncher());
    quarrion::AddQuickBooksConnectionMenu(main.AdvancedMenu(), &main);

    if (parser.isSet(screenshot)) {
        main.Load();
        if (quarrion::Unattended::Failed()) {
            // Closed in order, so the run's marker file goes as after any normal end.
            main.close();
            return 1;
        }
        main.resize(1024, 720);
        main.show();
        const QString file = parser.value(screenshot);
        auto takePicture = [&main, &app, file] {
            bool saved = main.grab().save(file, "PNG");
            if (!saved) {
                quarrion::Unattended::Report(QStringLiteral("Screenshot"),
                                             QStringLiteral("Cannot save ") + file);
            }
            main.close();
            app.exit(saved && !quarrion::Unattended::Failed() ? 0 : 1);
        };
        if (parser.isSet(search)) {
            if (!ExecuteSavedSearch(main, *state, openResults, parser.value(search))) {
                main.close();
                return 1;
            }
            quarrion::frmSearchResults* results = ResultsWindowOf(main);
            if (results && !results->IsComplete()) {
                QObject::connect(results, &quarrion::frmSearchResults::Completed, &main,
                                 [takePicture] { QTimer::singleShot(100, takePicture); });
                return app.exec();
            }
        }
        // Let the layout settle and the first paint happen before the picture is taken.
        QTimer::singleShot(500, &main, takePicture);
        return app.exec();
    }

    if (parser.isSet(search)) {
        main.Load();
        main.show();
        if (!ExecuteSavedSearch(main, *state, openResults, parser.value(search))) {
            main.close();
            return 1;
        }
        return app.exec();
    }

    QSplashScreen splash(quarrion::Artwork::SplashPicture());
    quarrion::OpenAfterSplash(splash, 1200, [&main] {
        main.Load();
        main.show();
    });
    return app.exec();
}
