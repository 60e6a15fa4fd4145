#include "console/saved_searches.h"
#include "console_rig.h"
#include "foundation/calendar_day.h"
#include "shell_test_main.h"
#include "store/io_manager.h"

using namespace quarrion;
using test::ConsoleRig;
using test::ToolSearch;
Q_DECLARE_METATYPE(quarrion::test::ToolSearch)

namespace {

constexpr long Modified = DateFilterCode::ModifiedDate;

// What the console shows at a glance: ticked types, caption, rule rows and whether they
// hold anything, and whether Save and Less are on.
QString Shown(SearchConsoleControl* console) {
    QStringList ticked;
    for (std::int32_t code : console->lstView()->TickedTypes()) ticked << QString::number(code);
    auto on = [](QWidget* button) { return button->isEnabled() ? "on" : "off"; };
    return QStringLiteral("ticked [%1] caption [%2] rows %3%4 save %5 less %6")
        .arg(ticked.join(','), console->lblCaption()->text())
        .arg(console->criView()->RowCount())
        .arg(console->criView()->ContainsData() ? " with data" : "")
        .arg(on(console->cmdSave()), on(console->cmdLess()));
}

// The date range as shown: fixed (fields to edit) or a span (fields disabled), the days,
// and the line beside them that spells out a span's days.
QString RangeShown(DateControl* dates) {
    return QStringLiteral("%1 %2..%3 [%4]")
        .arg(dates->dtpFrom()->isEnabled() || dates->dtpTo()->isEnabled() ? "fixed" : "span",
             dates->dtpFrom()->date().toString(Qt::ISODate),
             dates->dtpTo()->date().toString(Qt::ISODate), dates->lblRangeDays()->text());
}

QStandardItem* SavedRoot(SavedSearches* saved, const QString& name) {
    return saved->Model()->findItems(name).value(0);
}

QStringList ChildTexts(QStandardItem* root) {
    QStringList texts;
    for (int row = 0; root && row < root->rowCount(); ++row) texts << root->child(row)->text();
    return texts;
}

// Clicks a line of the saved-search tree with `button`, pressing and releasing at
// points `travel` pixels apart.
void ClickLine(SavedSearches* saved, QStandardItem* line, Qt::MouseButton button, int travel = 0) {
    QTreeView* tree = saved->tvwView();
    tree->scrollTo(line->index());
    const QPoint at = tree->visualRect(line->index()).center();
    QTest::mousePress(tree->viewport(), button, Qt::NoModifier, at);
    QTest::mouseRelease(tree->viewport(), button, Qt::NoModifier, at + QPoint(travel, 0));
}

std::size_t StoredCount(IOManager& store) {
    auto searches = store.SearchObjects();
    return searches ? searches->Count() : 0;
}

}  // namespace

// The search console in the main window, driven as a user drives it, against the real
// store in the test's data folder.
class SearchConsoleTest : public QObject {
    Q_OBJECT

  private slots:
    // Relative values count from this day on both sides of every comparison.
    void initTestCase() { PinDateRulesToday(DayFromCivil(2024, 5, 15)); }
    void cleanupTestCase() { PinDateRulesToday(std::nullopt); }

    void TheConsoleHandsOverTheSearchTheTerminalToolBuilds_data() {
        QTest::addColumn<ToolSearch>("search");
        QTest::newRow("every kind of rule, groups, field rules on two types") << ToolSearch(
            {2, 4, 12}, "2024-02-01", "2024-11-30",
            {"text starts-with Acme", "amount gt 500", "or text in north,south",
             "price between 10 20", "quantity in 1,2,3", "or percent le 8.5", "number eq 100"},
            {"Customer: Balance gt 0", "Customer: IsActive is-true",
             "Invoice: CustomerRef/FullName starts-with Acme",
             "Invoice: or Subtotal between 100 200"},
            Modified);
        QTest::newRow("no rules at all") << ToolSearch({1, 35}, "2024-02-01", "2024-11-30");
        QTest::newRow("date rules on days and spans")
            << ToolSearch({2, 4, 11}, "2024-01-01", "2024-12-31",
                          {"text contains Supply", "or date between last-month 2024-06-30",
                           "date le 2024-03-31"});
        QTest::newRow("date and date-time field rules, a last-N-days range")
            << ToolSearch({4}, "last-30-days", "last-30-days", {},
                          {"Invoice: DueDate lt today", "Invoice: TxnDate ge last-45-days",
                           "Invoice: TimeModified between 2024-01-01 this-month"});
        QTest::newRow("a span range, own and every type's rules")
            << ToolSearch({2, 4, 11}, "last-month", "last-month", {"date ge this-quarter"},
                          {"Invoice: RefNumber equals 1001", "*: Memo contains damaged",
                           "*: or TimeCreated ge last-week"});
    }
    void TheConsoleHandsOverTheSearchTheTerminalToolBuilds() {
        QFETCH(ToolSearch, search);
        ConsoleRig rig;
        test::Compose(rig.Console(), search);
        QTest::mouseClick(rig.Console()->cmdSearch(), Qt::LeftButton);
        QCOMPARE(rig.Handed.size(), std::size_t{1});
        QCOMPARE(test::SearchText(*rig.Handed.front()),
                 test::ToolText(rig.State().Catalog(), search));
    }

    // A search saved with two different ends (the terminal tool's --from last-month --to
    // today, or a span and a day) shows them as its own range entry, runs and saves again
    // with both words, and the next start offers them again; Fixed Dates makes them days.
    void ASavedSearchsOwnEndsAreShownRunAndKept_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("picture");
        QTest::newRow("two spans")
            << "last-month"
            << "today"
            << "Last Month to Today"
            << "span 2024-04-01..2024-05-15 [Today: Apr 1, 2024 to May 15, 2024]"
            << "console_own_ends.png";
        QTest::newRow("a span and a day")
            << "last-30-days"
            << "2024-06-30"
            << "Last 30 Days to Jun 30, 2024"
            << "span 2024-04-16..2024-06-30 [Today: Apr 16, 2024 to Jun 30, 2024]"
            << "console_own_ends_day.png";
    }
    void ASavedSearchsOwnEndsAreShownRunAndKept() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, entry);
        QFETCH(QString, shown);
        QFETCH(QString, picture);
        const ToolSearch wanted({2, 4}, from, to, {"text contains Acme"},
                                {"Invoice: DueDate lt today"});
        {
            ConsoleRig rig;
            SearchConsoleControl* console = rig.Console();
            SearchObject2 search;  // as the terminal tool saves it
            QVERIFY(test::BuildToolSearch(rig.State().Catalog(), wanted, search).empty());
            // Each row saves under its own names in the test's one store.
            const QString name = QStringLiteral("Own ends, ") + QTest::currentDataTag();
            search.Name = name.toStdString();
            QVERIFY(rig.Store().SaveSearchObject(&search));
            const auto StoredText = [&rig](const QString& name) {
                const std::unique_ptr<SearchObject2s> stored = rig.Store().SearchObjects();
                SearchObject2* found = stored ? stored->Item(name.toStdString()) : nullptr;
                return found ? test::SearchText(*found) : QStringLiteral("not stored");
            };
            const QString savedText = StoredText(name);
            QVERIFY(savedText.contains("\nspan " + from + ".."));
            SavedSearches* saved = console->tvwView();
            saved->Refresh();
            ClickLine(saved, SavedRoot(saved, name), Qt::LeftButton);
            DateControl* dates = console->datView();
            QCOMPARE(dates->cboRange()->currentText(), entry);
            QCOMPARE(RangeShown(dates), shown);
            test::Picture(&rig.Main(), picture);
            // Another span and back: the entry still holds both ends.
            test::ChooseData(dates->cboRange(), QStringLiteral("last-week"));
            test::Choose(dates->cboRange(), entry);
            QCOMPARE(RangeShown(dates), shown);

            test::SaveAs(console, name + " again");
            // Read back from the store, it is the very search the terminal tool saved.
            QCOMPARE(StoredText(name + " again"), savedText);
            QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
            QCOMPARE(rig.Handed.size(), std::size_t{1});
            QCOMPARE(test::SearchText(*rig.Handed.front()),
                     test::ToolText(rig.State().Catalog(), wanted));
        }
        ConsoleRig next(test::ConsoleRigOptions{.KeepSettings = true});
        DateControl* dates = next.Console()->datView();
        QCOMPARE(dates->cboRange()->currentText(), entry);
        QCOMPARE(RangeShown(dates), shown);
        test::ChooseData(dates->cboRange(), QString());
        const QString first = shown.mid(5, 10), last = shown.mid(17, 10);
        QCOMPARE(RangeShown(dates), "fixed " + first + ".." + last + " []");
        QTest::mouseClick(next.Console()->cmdSearch(), Qt::LeftButton);
        QCOMPARE(next.Handed.size(), std::size_t{1});
        QCOMPARE(test::SearchText(*next.Handed.front()),
                 test::ToolText(next.State().Catalog(), ToolSearch({2, 4}, first, last)));
    }

    void SearchWithoutATickSaysInvalidSearchAndOpensNothing() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        test::Answers answers;
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        // Save asks for at least one type as well, before any save window opens.
        test::EnterRule(console->criView(), 1, "text contains x");
        QTest::mouseClick(console->cmdSave(), Qt::LeftButton);
        const QString invalid =
            "Invalid Search: You must select at least one transaction type, "
            "or list, to perform a search.";
        QCOMPARE(answers.Seen, QStringList({invalid, invalid}));
        QVERIFY(rig.Handed.empty());
    }

    void AStoreFailureIsShownUnderTheOperationsName() {
        SavedSearches saved;
        test::Answers answers;
        saved.ShowStoreError(19, "the disk is full", "IOManager", "IOManager::SaveCriterion");
        QCOMPARE(answers.Seen,
                 QStringList{"IOManager::SaveCriterion: (19) IOManager\nthe disk is full"});
    }

    void AfterASearchTheConsoleIsEmptyAndTheNextStartShowsWhatItUsed_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fixed days") << "2023-03-04"
                                    << "2023-09-10"
                                    << "fixed 2023-03-04..2023-09-10 []";
        QTest::newRow("a span")
            << "last-month"
            << "last-month"
            << "span 2024-04-01..2024-04-30 [Today: Apr 1, 2024 to Apr 30, 2024]";
    }
    void AfterASearchTheConsoleIsEmptyAndTheNextStartShowsWhatItUsed() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, shown);
        QList<int> sizes;
        {
            ConsoleRig rig;
            SearchConsoleControl* console = rig.Console();
            test::Compose(console, {{5, 12}, from, to, {"text contains Acme"}, {}, Modified});
            QCOMPARE(RangeShown(console->datView()), shown);
            QTest::mouseClick(console->chkIgnoreAccents(), Qt::LeftButton, {}, QPoint(4, 8));
            QTest::mouseClick(console->chkFieldCase(), Qt::LeftButton, {}, QPoint(4, 8));
            QSignalSpy notified(console, &SearchConsoleControl::Notification);
            QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
            QVERIFY(rig.Handed.size() == 1 && notified.count() == 1);
            QCOMPARE(Shown(console), "ticked [] caption [] rows 1 save off less off");
            // The user's split of the console is kept too.
            QSplitter* splitter = console->Splitter();
            splitter->setSizes({150, 700, 230});
            emit splitter->splitterMoved(150, 1);
            sizes = splitter->sizes();
        }
        ConsoleRig next(test::ConsoleRigOptions{.KeepSettings = true});
        SearchConsoleControl* console = next.Console();
        QCOMPARE(Shown(console), "ticked [5,12] caption [] rows 1 save off less off");
        DateControl* dates = console->datView();
        QCOMPARE(RangeShown(dates), shown);
        QVERIFY(dates->DateFilterType() == Modified && dates->optType(1)->isChecked());
        QVERIFY(console->chkIgnoreAccents()->isChecked() && !console->chkFieldCase()->isChecked());
        QCOMPARE(console->Splitter()->sizes(), sizes);
        // Back on fixed days the days stay, to edit, and the line beside them goes.
        test::ChooseData(dates->cboRange(), QString());
        QCOMPARE(RangeShown(dates), "fixed " + shown.mid(shown.indexOf(' ') + 1, 22) + " []");
    }

    void RefiningASecondTypeAsksToKeepTheFirstTypesChangedRules_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK keeps them") << true;
        QTest::newRow("Cancel discards them") << false;
    }
    void RefiningASecondTypeAsksToKeepTheFirstTypesChangedRules() {
        QFETCH(bool, ok);
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        QVERIFY(console->fldView()->isVisible() && !console->criView()->isVisible() &&
                !console->cmdClear()->isVisible());
        test::EnterFieldRule(console->fldView(), 1, ParseRuleText("RefNumber starts-with 10").Rule);

        test::Answers answers;
        answers.Ok = ok;
        test::TypeMenu(console->lstView(), 2, QStringLiteral("Refine Search"));
        QCOMPARE(answers.Seen, QStringList{"Search Rule Set: Do you want to keep the Invoice "
                                           "Search Rule Set?\nClick OK to keep them, or CANCEL "
                                           "to discard them."});
        QCOMPARE(console->fldView()->Title(), QStringLiteral("Customer Search Rule Set"));
        QVERIFY(!console->fldView()->ContainsData());
        QCOMPARE(test::GroupsText(console->lstView()->Rule(4)->FieldExaminors),
                 ok ? QStringLiteral("RefNumber starts-with 10") : QString());
        // Unchanged rules are left without a question.
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
        QVERIFY(!console->FieldMode() && console->criView()->isVisible() &&
                console->cmdClear()->isEnabled() && answers.Seen.size() == 1);
    }

    // Set with an emptied view forgets a type's field rules; Clear Search on a type
    // resets them and leaves field mode.
    void EmptyingOrClearingATypesFieldRulesForgetsThem() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        auto refine = [console](std::int32_t type, const char* rule) {
            test::TypeMenu(console->lstView(), type, QStringLiteral("Refine Search"));
            test::EnterFieldRule(console->fldView(), 1, ParseRuleText(rule).Rule);
            QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
            QVERIFY(console->lstView()->Rule(type)->FieldExaminors.ContainsData() &&
                    console->cmdSave()->isEnabled());
            test::TypeMenu(console->lstView(), type, QStringLiteral("Refine Search"));
        };
        refine(11, "Name contains North");
        FieldCriterionControl* row = console->fldView()->Criterion(1);
        QCOMPARE(row->txtString()->text(), QStringLiteral("North"));
        row->cboTrueCompare()->setFocus();
        QTest::keyClick(row->cboTrueCompare(), Qt::Key_Delete);
        QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
        QVERIFY(!console->lstView()->Rule(11)->FieldExaminors.ContainsData());

        refine(2, "Balance gt 5");
        test::TypeMenu(console->lstView(), 2, QStringLiteral("Clear Search"));
        QVERIFY(!console->FieldMode() && console->cmdSave()->isEnabled());
        QVERIFY(!console->lstView()->Rule(2)->FieldExaminors.ContainsData());
    }

    void LessIsOffWithOneRowAndFollowsTheShowingView() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        QVERIFY(!console->cmdLess()->isEnabled());
        QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        QVERIFY(console->cmdLess()->isEnabled());
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        QVERIFY(!console->cmdLess()->isEnabled());
        QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        QCOMPARE(console->fldView()->RowCount(), 2);
        QTest::mouseClick(console->cmdLess(), Qt::LeftButton);
        QVERIFY(!console->cmdLess()->isEnabled());
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
        QCOMPARE(console->criView()->RowCount(), 2);
        QVERIFY(console->cmdLess()->isEnabled());
    }

    // At the size the program opens in, four rule rows show whole, neither scrolled nor
    // cut off by the buttons below; in a short window they keep their size and scroll.
    void FourRuleRowsShowWholeInTheStartingWindow() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        for (int added = 0; added < 3; ++added)
            QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        test::Picture(&rig.Main(), "console_four_rules.png");
        auto* scroll = console->criView()->findChild<QScrollArea*>(QStringLiteral("scrRows"));
        QVERIFY(scroll && console->criView()->RowCount() == 4);
        for (int row = 1; row <= 4; ++row) {
            QWidget* line = console->criView()->Row(row);
            const QRect shown(line->mapTo(scroll->viewport(), QPoint(0, 0)), line->size());
            QVERIFY2(scroll->viewport()->rect().contains(shown), qPrintable(QString::number(row)));
        }
        for (QWidget* below : {console->cmdSearch(), console->cmdLess()}) {
            const QRect place(below->mapTo(console, QPoint(0, 0)), below->size());
            QVERIFY2(console->rect().contains(place), qPrintable(below->objectName()));
        }
        rig.Main().resize(900, 460);
        test::Picture(&rig.Main(), "console_short_window.png");
        auto* centre = console->findChild<QWidget*>(QStringLiteral("rules"));
        QVERIFY(centre && centre->height() >= centre->minimumSizeHint().height());
    }

    // Enter in a rule's value moves to the next row; in the last row it searches.
    void EnterInTheLastRuleSearches() {
        ConsoleRig rig;
        CriteriaControl* rules = rig.Console()->criView();
        QTest::mouseClick(rig.Console()->cmdMore(), Qt::LeftButton);
        test::EnterRule(rules, 1, "text contains Acme");
        QTest::keyClick(rules->Criterion(1)->txtString(), Qt::Key_Return);
        QVERIFY(rig.Handed.empty());
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(rules->Criterion(2)->cboAndOr()));
        test::EnterRule(rules, 2, "or text contains Supply");
        QTest::keyClick(rules->Criterion(2)->txtString(), Qt::Key_Return);
        QCOMPARE(rig.Handed.size(), std::size_t{1});
        QCOMPARE(test::GroupsText(rig.Handed.front()->Examinors),
                 QStringLiteral("text contains Acme | or text contains Supply"));
    }

    void WithoutResultsWindowsOrWizardTheirCommandsAreOff() {
        ConsoleRig rig(test::ConsoleRigOptions{.WithResults = false});
        SearchConsoleControl* console = rig.Console();
        QVERIFY(!console->cmdSearch()->isEnabled());
        QAction* columns = console->lstView()->MenuFor(0)->findChild<QAction*>("mnuDisplayColumns");
        QVERIFY(columns && !columns->isEnabled());
        // Field mode and back must not switch Search on.
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
        QVERIFY(!console->cmdSearch()->isEnabled());
    }

    void DisplayColumnsGoThroughTheLauncherAndReachTheSearch() {
        QList<std::int32_t> asked;
        test::ConsoleRigOptions options;
        options.Columns = [&asked](ConsoleHost&, std::int32_t type, DisplayColumns& columns,
                                   QWidget*) {
            asked << type;
            // The wizard's answer: only the first column, renamed.
            while (columns.Count() > 1) columns.Remove(columns.Count());
            columns.Item(1)->SetHeading("First");
            return true;
        };
        ConsoleRig rig(options);
        SearchConsoleControl* console = rig.Console();
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        test::ToggleType(console->lstView(), 4);
        console->lstView()->SetChanged(false);
        console->cmdSave()->setEnabled(false);
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Display Columns"));
        QVERIFY(asked == QList<std::int32_t>{4} && console->cmdSave()->isEnabled());
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        const DisplayColumns& shown = rig.Handed.front()->IncludeItems.Item(1)->DisplayColumns;
        QVERIFY(shown.Count() == 1 && shown.Item(1)->Heading() == "First");
    }

    // A cancelled save window saves nothing; a named one saves and lists the search, which
    // comes back as it was entered.
    void ASearchIsSavedClearedAndLoadedBack() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        const std::size_t before = StoredCount(rig.Store());
        const ToolSearch search(
            {2, 4}, "last-quarter", "last-quarter",
            {"text in north,south", "or price between 10 20", "date between last-month 2024-06-30"},
            {"Invoice: CustomerRef/FullName starts-with Acme", "Invoice: or DueDate lt today"},
            Modified);
        test::Compose(console, search);
        test::OnNextModal([](QDialog* dialog) {
            auto* save = qobject_cast<frmSaveSearch*>(dialog);
            QVERIFY(save);
            save->txtName()->setText("Never");
            QTest::mouseClick(save->cmdCancel(), Qt::LeftButton);
        });
        QTest::mouseClick(console->cmdSave(), Qt::LeftButton);
        QCOMPARE(StoredCount(rig.Store()), before);
        test::SaveAs(console, "Acme in May", "Acme's invoices and customers");
        QCOMPARE(StoredCount(rig.Store()), before + 1);
        SavedSearches* saved = console->tvwView();
        QStandardItem* root = SavedRoot(saved, "Acme in May");
        QVERIFY(root);
        QCOMPARE(ChildTexts(root),
                 QStringList({"Acme's invoices and customers", "Customer", "Invoice"}));
        // The main window with the console's parts shown, pictured for the record.
        saved->tvwView()->expandAll();
        for (QWidget* shown : QList<QWidget*>{console->criView(), console->datView(), saved}) {
            QVERIFY(shown->isVisible() && shown->height() > 20);
        }
        test::Picture(&rig.Main(), "console.png");

        // Clear empties everything; a click on the search's line loads it all back.
        QCOMPARE(Shown(console),
                 "ticked [2,4] caption [Acme in May] rows 3 with data save on less on");
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        QVERIFY(!console->lstView()->Rule(4)->FieldExaminors.ContainsData());
        QCOMPARE(Shown(console), "ticked [] caption [] rows 1 save off less off");
        ClickLine(saved, root, Qt::LeftButton);
        QCOMPARE(Shown(console),
                 "ticked [2,4] caption [Acme in May] rows 3 with data save on less on");
        QVERIFY(!console->criView()->Changed());
        // A span and a date rule show as they were entered.
        QVERIFY(console->datView()->FromText() == "last-quarter" &&
                console->datView()->ToText() == "last-quarter");
        DateRuleInput* day = console->criView()->Criterion(3)->txtDate();
        QCOMPARE(day->datFrom()->cboWhen()->currentText(), QStringLiteral("Last Month"));
        QCOMPARE(day->datTo()->dtpDate()->date(), QDate(2024, 6, 30));
        // What the rows hold, field rules too, is read back into the very search saved.
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QCOMPARE(rig.Handed.size(), std::size_t{1});
        QCOMPARE(test::SearchText(*rig.Handed.front()),
                 test::ToolText(rig.State().Catalog(), search));
    }

    void ASavedSearchWithoutColumnsTakesTheTypesDefaultColumns() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        const ToolSearch wanted({4}, "2024-06-01", "2024-06-30", {"text contains Supply"});
        // Saved elsewhere (the terminal tool, an older version) without display columns.
        SearchObject2 search;
        QVERIFY(test::BuildToolSearch(rig.State().Catalog(), wanted, search).empty());
        search.Name = "No columns";
        search.IncludeItems.Item(1)->DisplayColumns.Clear();
        QVERIFY(rig.Store().SaveSearchObject(&search));
        console->tvwView()->Refresh();
        ClickLine(console->tvwView(), SavedRoot(console->tvwView(), "No columns"), Qt::LeftButton);
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QCOMPARE(test::SearchText(*rig.Handed.front()),
                 test::ToolText(rig.State().Catalog(), wanted));
    }

    // A drag, or a click on a child line, chooses nothing; a click within the slack
    // and Return use the search; Delete deletes it once confirmed.
    void TheSavedSearchTreeTakesClicksAndKeysButNotDrags() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        test::Compose(console,
                      test::ToolSearch({11}, "2024-03-01", "2024-03-09", {"text contains k"}));
        test::SaveAs(console, "Keys", "   ");
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        SavedSearches* saved = console->tvwView();
        QStandardItem* root = SavedRoot(saved, "Keys");
        QVERIFY(root);
        QCOMPARE(ChildTexts(root), QStringList{"Vendor"});  // a blank description has no line
        saved->tvwView()->expandAll();
        QSignalSpy use(saved, &SavedSearches::UseThis);
        ClickLine(saved, root, Qt::LeftButton, SavedSearches::ClickSlack + 2);
        QCOMPARE(use.count(), 0);
        ClickLine(saved, root->child(0), Qt::RightButton);
        QVERIFY(!saved->EditMenu()->isVisible() && !saved->SearchObject());
        ClickLine(saved, root, Qt::LeftButton, SavedSearches::ClickSlack);
        QCOMPARE(use.count(), 1);

        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        QTreeView* tree = saved->tvwView();
        tree->setFocus();
        tree->setCurrentIndex(SavedRoot(saved, "Keys")->index());
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(Shown(console), "ticked [11] caption [Keys] rows 1 with data save on less off");
        // Delete asks first: cancelled, store and tree stay; confirmed, the search goes.
        const std::size_t before = StoredCount(rig.Store());
        test::Answers answers;
        answers.Ok = false;
        QTest::keyClick(tree, Qt::Key_Delete);
        QVERIFY(StoredCount(rig.Store()) == before && SavedRoot(saved, "Keys"));
        answers.Ok = true;
        QTest::keyClick(tree, Qt::Key_Delete);
        const QString asked =
            "Delete Search Rules: Are you sure you want to delete \"Keys\". Click OK "
            "to confirm the delete, or CANCEL to stop the delete.";
        QCOMPARE(answers.Seen, QStringList({asked, asked}));
        QVERIFY(StoredCount(rig.Store()) == before - 1 && !SavedRoot(saved, "Keys"));
    }

    void SavingWithABlankNameSaysSoAndKeepsTheWindowOpen() {
        frmSaveSearch dialog;
        dialog.show();
        dialog.txtName()->setText(QStringLiteral("   "));
        test::Answers answers;
        QTest::mouseClick(dialog.cmdSave(), Qt::LeftButton);
        QCOMPARE(answers.Seen, QStringList{"Cannot Save Search: You must enter a name for the "
                                           "search, before you can save it."});
        QVERIFY(dialog.isVisible() && dialog.ButtonPressed() == frmSaveSearch::NotPressed);
        dialog.txtName()->setText(QStringLiteral("Named"));
        QTest::mouseClick(dialog.cmdSave(), Qt::LeftButton);
        QVERIFY(!dialog.isVisible() && dialog.ButtonPressed() == frmSaveSearch::SavePressed);
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
        QVERIFY(rig.Handed.empty() && answers.Seen.size() == 1);
        QVERIFY2(answers.Seen.front().startsWith("Invalid Search: A rule for every included type "
                                                 "cannot be used: no included type has a field "
                                                 "\"DueDate\""),
                 qPrintable(answers.Seen.front()));
    }

    // The text boxes' choices go with the search, are saved with it and come back with it.
    void TheTickedTextBoxesGoWithTheSearchAndItsSavedCopy() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        auto* accents = console->findChild<QCheckBox*>(QStringLiteral("chkIgnoreAccents"));
        auto* fieldCase = console->findChild<QCheckBox*>(QStringLiteral("chkFieldCase"));
        QVERIFY(accents && fieldCase);
        const ToolSearch customers({2}, "2024-01-01", "2024-12-31", {"text contains muller"});
        test::Compose(console, customers);
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QVERIFY2(rig.Handed.back()->TextOptions == TextOptions{}, "field rules match case");
        QTest::mouseClick(accents, Qt::LeftButton);
        QTest::mouseClick(fieldCase, Qt::LeftButton);
        test::Picture(&rig.Main(), "console_text_options.png");
        // Clear leaves the boxes as they are.
        test::Compose(console, customers);
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        const TextOptions chosen{true, LetterCase::IgnoreCase};
        QVERIFY(rig.Handed.size() == 2 && rig.Handed.back()->TextOptions == chosen);

        // Saved with the boxes as they are (the tree reads it back from the store); other
        // choices, then using the saved search puts its own back.
        test::Compose(console, customers);
        test::SaveAs(console, "Without accents");
        QTest::mouseClick(accents, Qt::LeftButton);
        QTest::mouseClick(fieldCase, Qt::LeftButton);
        QVERIFY(console->tvwView()->Select("Without accents"));
        console->tvwView()->mnuEdit(1)->trigger();
        QVERIFY(accents->isChecked() && !fieldCase->isChecked());
    }

    void EveryControlHasANameATooltipAndAnAccessibleName() {
        ConsoleRig rig;
        QTest::mouseClick(rig.Console()->cmdMore(), Qt::LeftButton);
        QStringList missing;
        for (QWidget* control : rig.Console()->findChildren<QWidget*>()) {
            // Scroll bars, calendars and the inner parts of combo and spin boxes are Qt's.
            QWidget* parent = control->parentWidget();
            if (!parent || control->focusPolicy() == Qt::NoFocus) continue;
            bool inner = false;
            for (const char* part : {"QScrollBar", "QAbstractScrollArea", "QCalendarWidget"}) {
                inner |= control->inherits(part) || parent->inherits(part);
            }
            if (inner || parent->inherits("QComboBox") || parent->inherits("QAbstractSpinBox"))
                continue;
            if (control->objectName().isEmpty() || control->toolTip().isEmpty() ||
                control->accessibleName().isEmpty()) {
                missing << QString(control->metaObject()->className()) + "/" +
                               control->objectName();
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }
};

QUARRION_SHELL_TEST_MAIN(SearchConsoleTest)
#include "search_console_test.moc"
