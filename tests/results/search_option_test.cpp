// `quarrion --search NAME`: the program opens a saved search as the saved searches'
// Execute does, and with --screenshot pictures the main window once every type is done.

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "foundation/codes.h"
#include "link/link_settings.h"
#include "model/search_object2.h"
#include "sample/sample_company.h"
#include "search/search_builder.h"
#include "search/store_session.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

// The program's exit status (-1 when it crashed or hung) and what it wrote to stderr.
std::pair<int, QString> Program(const QString& home, const QStringList& arguments) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUARRION_HOME", home);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUARRION_PROGRAM), arguments);
    if (!program.waitForFinished(90000)) program.kill();
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
        builder.IncludeType(RequestTypeCode::Invoice);
        builder.IncludeType(RequestTypeCode::Customer);
        QCOMPARE(QString::fromStdString(builder.AddRule("text contains Supply")), QString());
        SearchObject2 search;
        QCOMPARE(QString::fromStdString(builder.Build(search).Message()), QString());
        search.Name = "Supply houses";
        QVERIFY(store.Manager().SaveSearchObject(&search));
    }

    void ASavedSearchRunsAndIsPicturedWhenDone() {
        const QString picture = home_ + "/search.png";
        QCOMPARE(Program(home_, {"--search", "Supply houses", "--screenshot", picture}).first, 0);
        QImage image(picture);
        QVERIFY(!image.isNull());
        QVERIFY2(FileLabelPixels(image) > 100, "the results window still shows its busy pane");
    }

    void AnUnknownNameEndsWithStatusOneAndSaysWhy() {
        const QString picture = home_ + "/none.png";
        const auto [status, errors] =
            Program(home_, {"--search", "No such search", "--screenshot", picture});
        QCOMPARE(status, 1);
        QVERIFY2(errors.contains("\"No such search\""), qPrintable(errors));
        QVERIFY(!QFile::exists(picture));
    }
};

QUARRION_SHELL_TEST_MAIN(SearchOptionTest)
#include "search_option_test.moc"
