// F1 opens the help of the window or panel it is pressed in.

#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include "fakes.h"
#include "shell/app_state.h"
#include "shell/context_help.h"
#include "shell/frm_main.h"
#include "shell/help_window.h"
#include "shell_test_main.h"

using namespace quarrion;
using namespace quarrion::test;

class ContextHelpTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { qApp->installEventFilter(&key_); }
    void cleanup() {
        qApp->removeEventFilter(&key_);
        shown_.clear();
    }

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
    // A window named `window` holding a panel named `panel` holding a text field.
    void TheNearestNamedWindowOrPanelDecides() {
        QFETCH(QString, window);
        QFETCH(QString, panel);
        QFETCH(QString, page);
        QWidget top;
        top.setObjectName(window);
        auto* inner = new QWidget(&top);
        inner->setObjectName(panel);
        auto* field = new QLineEdit(inner);
        top.show();
        QTest::keyClick(field, Qt::Key_F1);
        // Other keys pass through to the field.
        QTest::keyClicks(field, QStringLiteral("ab"));
        QCOMPARE(shown_, QStringList{page});
        QCOMPARE(field->text(), QStringLiteral("ab"));
    }

    // The main window shows the page of the focused window in its own help window; a
    // modal dialog gets its help beside it instead.
    void TheMainWindowShowsThePageOfTheFocusedWindowAndModalsGetItBeside() {
        qApp->removeEventFilter(&key_);
        auto state = AppState::StartUp(FakeStoreParts());
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

        auto* results = new FakeResults(1);
        results->setObjectName(QStringLiteral("frmSearchResults"));
        auto* field = new QLineEdit(results);
        main.createMdiChild(results);
        QTest::keyClick(field, Qt::Key_F1);
        QCOMPARE(main.Help()->CurrentPage(), QStringLiteral("search-results.html"));
    }

  private:
    QStringList shown_;
    ContextHelpKey key_{[this](const QString& opened, QWidget*) { shown_ << opened; }};
};

QUARRION_SHELL_TEST_MAIN(ContextHelpTest)
#include "context_help_test.moc"
