// F1 opens the help of the window or panel it is pressed in.

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWizard>

#include "fakes.h"
#include "shell/app_state.h"
#include "shell/context_help.h"
#include "shell/frm_main.h"
#include "shell/help_window.h"
#include "shell_test_main.h"

using namespace quarrion;

namespace {

// A window named `window` holding a panel named `panel` holding a text field.
struct Nest {
    QWidget window;
    QWidget* panel;
    QLineEdit* field;

    Nest(const QString& windowName, const QString& panelName) {
        window.setObjectName(windowName);
        panel = new QWidget(&window);
        panel->setObjectName(panelName);
        field = new QLineEdit(panel);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(panel);
        (new QVBoxLayout(panel))->addWidget(field);
    }
};

}  // namespace

class ContextHelpTest : public QObject {
    Q_OBJECT

  private slots:
    void TheNearestNamedWindowOrPanelDecides_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("page");
        const char* rows[][4] = {
            {"rule editor in the console", "conView", "criView", "rules.html"},
            {"plain panel of the console", "conView", "rules", "search-console.html"},
            {"workbook window", "frmExcel", "", "workbook.html"},
            {"unknown window", "frmSomething", "panel", "index.html"}};
        for (const auto& row : rows) QTest::newRow(row[0]) << row[1] << row[2] << row[3];
    }
    void TheNearestNamedWindowOrPanelDecides() {
        QFETCH(QString, window);
        QFETCH(QString, panel);
        QFETCH(QString, page);
        QStringList shown;
        ContextHelpKey key([&](const QString& opened, QWidget*) { shown << opened; });
        qApp->installEventFilter(&key);
        Nest nest(window, panel);
        nest.window.show();
        QTest::keyClick(nest.field, Qt::Key_F1);
        QCOMPARE(shown, QStringList{page});
        // Other keys pass through to the field.
        QTest::keyClicks(nest.field, QStringLiteral("ab"));
        QCOMPARE(nest.field->text(), QStringLiteral("ab"));
        QCOMPARE(shown.size(), 1);
    }

    // The main window shows the page of the focused window in its own help window; a
    // modal dialog gets its help beside it instead.
    void TheMainWindowShowsThePageOfTheFocusedWindowAndModalsGetItBeside() {
        StartUpParts parts;
        auto script = std::make_shared<test::FakeStore::Script>();
        parts.MakeStore = [script](QBXMLTags&) {
            return std::make_unique<test::FakeStore>(script);
        };
        auto state = AppState::StartUp(std::move(parts));
        frmMain main(*state);
        main.Load();
        main.show();

        QDialog dialog(&main);
        dialog.setObjectName(QStringLiteral("frmSaveSearch"));
        auto* name = new QLineEdit(&dialog);
        dialog.setModal(true);
        dialog.show();
        QTest::keyClick(name, Qt::Key_F1);
        auto* beside = dialog.findChild<HelpWindow*>();
        QVERIFY2(beside, "no help window beside the modal dialog");
        QCOMPARE(beside->CurrentPage(), QStringLiteral("saved-searches.html"));
        QVERIFY(!main.Help());
        dialog.close();

        QTest::keyClick(&main, Qt::Key_F1);
        QVERIFY(main.Help());
        QCOMPARE(main.Help()->CurrentPage(), QStringLiteral("main-window.html"));

        auto* results = new test::FakeResults(1);
        results->setObjectName(QStringLiteral("frmSearchResults"));
        auto* field = new QLineEdit(results);
        main.createMdiChild(results);
        QTest::keyClick(field, Qt::Key_F1);
        QCOMPARE(main.Help()->CurrentPage(), QStringLiteral("search-results.html"));
    }

    void AWizardAnswersWithItsOwnHelpButton() {
        QWizard wizard;
        wizard.setObjectName(QStringLiteral("frmWizard"));
        wizard.setOption(QWizard::HaveHelpButton, true);
        auto* page = new QWizardPage;
        auto* field = new QLineEdit(page);
        wizard.addPage(page);
        int helpClicks = 0;
        connect(&wizard, &QWizard::helpRequested, [&] { ++helpClicks; });
        QStringList shown;
        ContextHelpKey key([&](const QString& opened, QWidget*) { shown << opened; });
        qApp->installEventFilter(&key);
        wizard.show();
        QTest::keyClick(field, Qt::Key_F1);
        QCOMPARE(helpClicks, 1);
        QVERIFY(shown.isEmpty());
    }
};

QUARRION_SHELL_TEST_MAIN(ContextHelpTest)
#include "context_help_test.moc"
