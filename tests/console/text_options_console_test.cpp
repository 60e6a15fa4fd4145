#include "console/saved_searches.h"
#include "console_rig.h"
#include "shell_test_main.h"
#include "store/io_manager.h"

namespace quarrion {

using test::ConsoleRig;

// A fresh console with customers ticked and one global rule; the text boxes keep
// what they hold.
void ComposeCustomers(SearchConsoleControl* console) {
    QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
    test::ToggleType(console->lstView(), 2);
    test::EnterRule(console->criView(), 1, QStringLiteral("text contains muller"));
}

// The console's two text options, ticked as a user ticks them.
class TextOptionsConsoleTest : public QObject {
    Q_OBJECT

  private slots:
    // The boxes' choices go with the search, are saved with it and come back with it.
    void TheTickedBoxesGoWithTheSearchAndItsSavedCopy() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        QCheckBox* accents = console->findChild<QCheckBox*>(QStringLiteral("chkIgnoreAccents"));
        QCheckBox* fieldCase = console->findChild<QCheckBox*>(QStringLiteral("chkFieldCase"));
        QVERIFY(accents && fieldCase);
        QVERIFY(!accents->isChecked());
        QVERIFY2(fieldCase->isChecked(), "field rules match case unless the user says otherwise");
        QVERIFY(console->fldView()->toolTip().contains(QStringLiteral("match letter case")));

        ComposeCustomers(console);
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QCOMPARE(rig.Handed.size(), std::size_t(1));
        QVERIFY(rig.Handed.back()->TextOptions == TextOptions{});

        QTest::mouseClick(accents, Qt::LeftButton);
        QTest::mouseClick(fieldCase, Qt::LeftButton);
        QVERIFY(accents->isChecked() && !fieldCase->isChecked());
        QVERIFY(console->fldView()->toolTip().contains(QStringLiteral("ignore letter case")));
        test::Picture(&rig.Main(), "console_text_options.png");
        ComposeCustomers(console);
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QCOMPARE(rig.Handed.size(), std::size_t(2));
        QVERIFY(rig.Handed.back()->TextOptions == (TextOptions{true, LetterCase::IgnoreCase}));

        // Saved with the boxes as they are; other choices, then using the saved search
        // puts its own back.
        ComposeCustomers(console);
        test::SaveAs(console, "Without accents");
        std::unique_ptr<SearchObject2s> stored = rig.Store().SearchObjects();
        QVERIFY(stored && stored->Item("Without accents"));
        QVERIFY(stored->Item("Without accents")->TextOptions ==
                (TextOptions{true, LetterCase::IgnoreCase}));
        QTest::mouseClick(accents, Qt::LeftButton);
        QTest::mouseClick(fieldCase, Qt::LeftButton);
        QVERIFY(!accents->isChecked() && fieldCase->isChecked());
        QVERIFY(console->tvwView()->Select("Without accents"));
        console->tvwView()->mnuEdit(1)->trigger();
        QVERIFY(accents->isChecked());
        QVERIFY(!fieldCase->isChecked());
    }
};

}  // namespace quarrion

QUARRION_SHELL_TEST_MAIN(quarrion::TextOptionsConsoleTest)
#include "text_options_console_test.moc"
