// The desktop program: start-up, a short splash, then the main window until it closes.
//
//   quarrion                     the program
//   quarrion --screenshot FILE   start up without a display, save the main window as a
//                                PNG picture in FILE and exit (status 1 when it cannot
//                                be saved)

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QSplashScreen>
#include <QTimer>
#include <cstring>
#include <memory>

#include "shell/app_state.h"
#include "shell/artwork.h"
#include "shell/frm_main.h"
#include "shell/io_manager_store.h"
#include "shell/relaywick_link.h"
#include "shell/splash_start.h"
#include "shell/unattended.h"

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
    parser.process(app);

    // Nobody answers messages in a screenshot run: they go to standard error.
    quarrion::Unattended::Set(parser.isSet(screenshot));
    std::unique_ptr<quarrion::AppState> state = quarrion::AppState::StartUp(ProgramParts());
    quarrion::frmMain main(*state);

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
        // Let the layout settle and the first paint happen before the picture is taken.
        QTimer::singleShot(500, &main, [&main, &app, file] {
            bool saved = main.grab().save(file, "PNG");
            if (!saved) {
                quarrion::Unattended::Report(QStringLiteral("Screenshot"),
                                             QStringLiteral("Cannot save ") + file);
            }
            main.close();
            app.exit(saved && !quarrion::Unattended::Failed() ? 0 : 1);
        });
        return app.exec();
    }

    QSplashScreen splash(quarrion::Artwork::SplashPicture());
    quarrion::OpenAfterSplash(splash, 1200, [&main] {
        main.Load();
        main.show();
    });
    return app.exec();
}
