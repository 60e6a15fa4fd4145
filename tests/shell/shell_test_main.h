#pragma once

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "shell/app_settings.h"

namespace quarrion::test {

// A fresh data folder for one test: QUARRION_HOME and the settings store point into it
// until the next one is made. Removed with everything in it when the object dies.
class FreshHome {
  public:
    FreshHome() : dir_(Base() + "/home-XXXXXX") {
        qputenv("QUARRION_HOME", dir_.path().toLocal8Bit());
        AppSettings::UseDataFolder(dir_.path() + "/");
    }
    QString Path() const { return dir_.path() + "/"; }
    bool IsValid() const { return dir_.isValid(); }

    static QString Base() {
        QByteArray base = qgetenv("QUARRION_TEST_TMP");
        QString folder = base.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(base);
        QDir().mkpath(folder);
        return folder;
    }

  private:
    QTemporaryDir dir_;
};

}  // namespace quarrion::test

// A QtTest main for the shell's tests: no window system (offscreen), the standard
// locations in test mode, and QUARRION_HOME pointed at a temporary folder of this
// process before anything runs, so no test reads or writes the user's data or settings.
#define QUARRION_SHELL_TEST_MAIN(TestObject)                \
    int main(int argc, char** argv) {                       \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) \
            qputenv("QT_QPA_PLATFORM", "offscreen");        \
        QStandardPaths::setTestModeEnabled(true);           \
        QApplication app(argc, argv);                       \
        QApplication::setOrganizationName("Quarrion");      \
        QApplication::setApplicationName("Quarrion");       \
        quarrion::test::FreshHome home;                     \
        if (!home.IsValid()) return 2;                      \
        TestObject test;                                    \
        return QTest::qExec(&test, argc, argv);             \
    }
