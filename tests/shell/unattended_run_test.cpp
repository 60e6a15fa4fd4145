// The desktop program run without a user (--screenshot) must never wait in a modal
// message: it reports on standard error and ends in order with status 1.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include "shell/app_state.h"
#include "shell/frm_dialog.h"
#include "shell/unattended.h"
#include "shell_test_main.h"

using quarrion::test::FreshHome;

class UnattendedRunTest : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        bool finished = false;
        QString err;
    };

    // The real program on a data folder of the test's making.
    static Run Program(const QString& home, const QString& picture) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUARRION_HOME"), home);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(QUARRION_PROGRAM), {QStringLiteral("--screenshot"), picture});
        Run run;
        run.finished = program.waitForFinished(60000);
        if (!run.finished) {
            program.kill();
            program.waitForFinished();
        }
        run.exitCode = program.exitCode();
        run.err = QString::fromUtf8(program.readAllStandardError());
        return run;
    }

  private slots:
    // A question answers Cancel at once instead of waiting for a click, and marks the run
    // failed (a message's way to standard error is seen in the run below).
    void AQuestionIsCancelledAtOnce() {
        quarrion::Unattended::Set(true);
        const auto answer = quarrion::QuestionDialog(nullptr, "Replace?", "Sure?", "Cancel", "OK");
        const bool failed = quarrion::Unattended::Failed();
        quarrion::Unattended::Set(false);
        quarrion::Unattended::Reset();
        QCOMPARE(answer, quarrion::frmDialog::CancelPressed);
        QVERIFY(failed);
    }

    void ACorruptDatabaseEndsTheRunWithStatusOne() {
        FreshHome home;
        QFile database(home.Path() + QStringLiteral("Quarrion.qr3"));
        QVERIFY(database.open(QIODevice::WriteOnly));
        database.write(QByteArray(8192, 'x'));
        database.close();
        const QString picture = home.Path() + QStringLiteral("shot.png");
        Run run = Program(home.Path(), picture);
        QVERIFY2(run.finished, "the program waited for a user");
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(!run.err.isEmpty(), "the reason is on standard error");
        QVERIFY(!QFileInfo::exists(picture));
        QVERIFY2(
            !QFileInfo::exists(home.Path() + QLatin1String(quarrion::AppState::MarkerFileName)),
            "the run ended in order");
        // The damaged file is kept for the user to look at.
        QCOMPARE(QFileInfo(database.fileName()).size(), 8192);
    }
};

QUARRION_SHELL_TEST_MAIN(UnattendedRunTest)
#include "unattended_run_test.moc"
