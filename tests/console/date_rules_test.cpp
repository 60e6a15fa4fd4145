#include "console/saved_searches.h"
#include "console_rig.h"
#include "foundation/calendar_day.h"
#include "shell_test_main.h"

using namespace quarrion;
using test::ConsoleRig;
using test::ConsoleRigOptions;

// Date rules, relative ranges and rules for every included type in the console, driven
// as a user drives them.
class DateRulesTest : public QObject {
    Q_OBJECT

  private slots:
    // Relative values count from this day.
    void initTestCase() { PinDateRulesToday(DayFromCivil(2024, 5, 15)); }
    void cleanupTestCase() { PinDateRulesToday(std::nullopt); }

    // A new date row shows a blank day and holds nothing; a span chosen is held; Delete
    // blanks it again; back on Text no date is left to pass for a text.
    void ADateRowHoldsWhatItShows() {
        CriteriaControl panel;
        CriterionControl* row = panel.Criterion(1);
        DateRuleInput* dates = row->txtDate();
        test::Choose(row->cboDataType(), QString::fromLatin1(CriterionControl::DateChoiceText));
        QCOMPARE(row->Input(), static_cast<QWidget*>(dates));
        QVERIFY(dates->datFrom()->IsBlank() && !row->ContainsData());

        test::Choose(dates->datFrom()->cboWhen(), QStringLiteral("Yesterday"));
        QVERIFY(row->ContainsData());
        QCOMPARE(CriterionText(row->Criterion(), false), std::string("date lt yesterday"));
        test::ChooseData(row->cboTrueCompare(), static_cast<int>(Operation::Between));
        QVERIFY2(!row->ContainsData(), "between holds nothing until both days are given");
        test::Choose(dates->datTo()->cboWhen(), QStringLiteral("Last N Days"));
        test::TypeCount(dates->datTo()->spnDays(), 12);
        QCOMPARE(CriterionText(row->Criterion(), false),
                 std::string("date between yesterday last-12-days"));

        row->cboTrueCompare()->setFocus();
        QTest::keyClick(row->cboTrueCompare(), Qt::Key_Delete);
        QVERIFY(!row->ContainsData() && dates->datFrom()->IsBlank());

        test::Choose(dates->datFrom()->cboWhen(), QStringLiteral("Today"));
        test::Choose(row->cboDataType(), QStringLiteral("Text"));
        QCOMPARE(row->txtString()->text(), QString());
        QVERIFY(!row->ContainsData());
    }

    // A span shows the days it covers today in the disabled date fields and the line
    // beside it, and the next start of the program offers it again. (The days it hands to
    // the search: the console test's span-range case.)
    void ARelativeRangeShowsItsDaysAndIsRememberedForTheNextStart() {
        {
            ConsoleRig rig;
            DateControl* dates = rig.Console()->datView();
            test::EnterRange(dates, "last-month", "last-month");
            QVERIFY(!dates->dtpFrom()->isEnabled() && !dates->dtpTo()->isEnabled());
            QCOMPARE(dates->dtpFrom()->date(), QDate(2024, 4, 1));
            QCOMPARE(dates->dtpTo()->date(), QDate(2024, 4, 30));
            QCOMPARE(dates->lblRangeDays()->text(),
                     QStringLiteral("Today: Apr 1, 2024 to Apr 30, 2024"));
            // A search keeps the range for the next start.
            test::ToggleType(rig.Console()->lstView(), 4);
            QTest::mouseClick(rig.Console()->cmdSearch(), Qt::LeftButton);
        }
        ConsoleRig again(ConsoleRigOptions{.KeepSettings = true});
        DateControl* dates = again.Console()->datView();
        QCOMPARE(dates->RangeWord(), QStringLiteral("last-month"));
        QCOMPARE(dates->FromDate(), QDate(2024, 4, 1));
        test::ChooseData(dates->cboRange(), QString());
        QVERIFY(dates->dtpFrom()->isEnabled());
        QCOMPARE(dates->lblRangeDays()->text(), QString());
    }

    // A rule for every type that none of the ticked types can take stops the search
    // with the builder's reason; nothing is opened.
    void ARuleForEveryTypeThatNoTickedTypeHasStopsTheSearch() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        test::Compose(console, test::ToolSearch({4}, "2024-01-01", "2024-12-31", {},
                                                {"*: DueDate le today"}));
        QCOMPARE(console->criView()->lblTitle()->text(),
                 QStringLiteral("Global Search Rule Set + Every Included Type rules"));
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Every Included Type"));
        test::Picture(&rig.Main(), "console_every_type.png");
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
        test::ToggleType(console->lstView(), 4);
        test::ToggleType(console->lstView(), 2);
        test::Answers answers;
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QVERIFY(rig.Handed.empty());
        QCOMPARE(answers.Seen.size(), 1);
        QVERIFY2(answers.Seen.front().startsWith(
                     "Invalid Search: A rule for every included type cannot be used: no "
                     "included type has a field \"DueDate\""),
                 qPrintable(answers.Seen.front()));
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        QCOMPARE(console->criView()->lblTitle()->text(), QStringLiteral("Global Search Rule Set"));
    }

    // Saved and used again, a span and a date rule come back as they were entered.
    void ASavedSpanAndDateRuleComeBackAsEntered() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        test::Compose(console,
                      test::ToolSearch({4}, "last-quarter", "last-quarter",
                                       {"date between last-month 2024-06-30", "amount ge 500"},
                                       {"Invoice: DueDate lt today"}));
        test::Picture(&rig.Main(), "console_date_rules.png");
        test::SaveAs(console, "Dated");
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        QVERIFY(console->tvwView()->Select("Dated"));
        const SearchObject2* stored = console->tvwView()->SearchObject();
        QVERIFY(stored && stored->FromText + ".." + stored->ToText == "last-quarter..last-quarter");
        console->UseSavedSearch();
        QCOMPARE(console->datView()->RangeWord(), QStringLiteral("last-quarter"));
        QCOMPARE(console->datView()->FromDate(), QDate(2024, 1, 1));
        CriterionControl* row = console->criView()->Criterion(1);
        DateRuleInput* dates = row->txtDate();
        QCOMPARE(row->Input(), static_cast<QWidget*>(dates));
        QCOMPARE(row->cboTrueCompare()->currentText(), QStringLiteral("Between"));
        QCOMPARE(dates->datFrom()->cboWhen()->currentText(), QStringLiteral("Last Month"));
        QCOMPARE(dates->datTo()->dtpDate()->date(), QDate(2024, 6, 30));
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        FieldCriterionControl* field = console->fldView()->Criterion(1);
        QCOMPARE(field->cboTrueCompare()->currentText(), QStringLiteral("Before"));
        QCOMPARE(field->txtDate()->Text(), QStringLiteral("today"));
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
    }
};

QUARRION_SHELL_TEST_MAIN(DateRulesTest)
#include "date_rules_test.moc"
