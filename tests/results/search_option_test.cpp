// `quarrion --search NAME`: the program opens a saved search as the saved searches'
// Execute does, and with --screenshot pictures the main window once every type is done.

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "link/link_settings.h"
#include "model/search_object2.h"
#include "sample/sample_company.h"
#include "search/search_builder.h"
#include "search/store_session.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

struct Run {
    int status = -1;
    QString errors;
};

Run Program(const QString& home, const QStringList& arguments) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUARRION_HOME", home);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUARRION_PROGRAM), arguments);
    if (!program.waitForFinished(90000)) {
        program.kill();
        return {};
    }
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromLocal8Bit(program.readAllStandardError())};
}

// Pixels of the file label's dark green: it shows only once the busy pane has gone.
int FileLabelPixels(const QImage& picture) {
    int count = 0;
    for (int y = 0; y < picture.height(); y += 2) {
        for (int x = 0; x < picture.width(); x += 2) {
            if (picture.pixelColor(x, y) == QColor(0, 100, 0)) ++count;
        }
    }
    return count;
}

}  // namespace

class SearchOptionTest : public QObject {
    Q_OBJECT

    QString home_;

  private slots:
    void initTestCase() {
        home_ = qEnvironmentVariable("QUARRION_HOME");
        const std::filesystem::path folder(home_.toStdString());
        SampleCompanyOptions options;
        options.scale = 0.1;
        options.today = "2024-06-30";
        QCOMPARE(
            QString::fromStdString(WriteSampleCompany(folder / "company.qbxml", options).Message()),
            QString());
        LinkSettings link;
        link.CompanyFile = folder / "company.qbxml";
        QCOMPARE(QString::fromStdString(link.Save(folder).Message()), QString());

        StoreSession store;
        QVERIFY(store.Open());
        SearchBuilder builder(store.Catalog());
        builder.IncludeType(4);
        builder.IncludeType(2);
        QCOMPARE(QString::fromStdString(builder.AddRule("text contains Supply")), QString());
        SearchObject2 search;
        QCOMPARE(QString::fromStdString(builder.Build(search).Message()), QString());
        search.Name = "Supply houses";
        QVERIFY(store.Manager().SaveSearchObject(&search));
    }

    void ASavedSearchRunsAndIsPicturedWhenDone() {
        const QString picture = home_ + "/search.png";
        Run run = Program(home_, {"--search", "Supply houses", "--screenshot", picture});
        QCOMPARE(run.status, 0);
        QImage image(picture);
        QVERIFY(!image.isNull());
        QVERIFY2(FileLabelPixels(image) > 100, "the results window still shows its busy pane");
    }

    void AnUnknownNameEndsWithStatusOneAndSaysWhy() {
        const QString picture = home_ + "/none.png";
        Run run = Program(home_, {"--search", "No such search", "--screenshot", picture});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains("\"No such search\""), qPrintable(run.errors));
        QVERIFY(!QFile::exists(picture));
    }
};

QUARRION_SHELL_TEST_MAIN(SearchOptionTest)
#include "search_option_test.moc"
