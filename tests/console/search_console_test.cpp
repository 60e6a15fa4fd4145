#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTest>

#include "console/saved_searches.h"
#include "console_rig.h"
#include "foundation/calendar_day.h"
#include "shell_test_main.h"
#include "store/io_manager.h"

using namespace quarrion;
using test::ConsoleRig;

namespace {

QList<std::int32_t> Ticked(RequestControl* list) {
    QList<std::int32_t> codes;
    for (std::int32_t code : list->TickedTypes()) codes << code;
    return codes;
}

QStandardItem* SavedRoot(SavedSearches* saved, const QString& name) {
    QStandardItemModel* model = saved->Model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->item(row)->text() == name) return model->item(row);
    }
    return nullptr;
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

// The main window with the console's parts shown, pictured for the record (with the
// field rules of the invoices too).
void Picture(ConsoleRig& rig, SearchConsoleControl* console) {
    console->tvwView()->tvwView()->expandAll();
    for (QWidget* shown :
         {static_cast<QWidget*>(console->criView()), static_cast<QWidget*>(console->datView()),
          static_cast<QWidget*>(console->tvwView())}) {
        QVERIFY(shown->isVisible() && shown->height() > 20);
    }
    test::Picture(&rig.Main(), "console.png");
    test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
    test::Picture(&rig.Main(), "console_field_rules.png");
    QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
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
        QTest::addColumn<QList<std::int32_t>>("types");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<long>("filter");
        QTest::addColumn<QStringList>("rules");
        QTest::addColumn<QStringList>("fields");
        const QList<std::int32_t> invoices{4};
        const QList<std::int32_t> three{2, 4, 11};
        QTest::newRow("every kind of rule, groups, field rules on two types")
            << QList<std::int32_t>{2, 4, 12} << "2024-02-01"
            << "2024-11-30" << 2L
            << QStringList{"text starts-with Acme", "amount gt 500",     "or text in north,south",
                           "price between 10 20",   "quantity in 1,2,3", "or percent le 8.5",
                           "number eq 100"}
            << QStringList{"Customer: Balance gt 0", "Customer: IsActive is-true",
                           "Invoice: CustomerRef/FullName starts-with Acme",
                           "Invoice: or Subtotal between 100 200"};
        QTest::newRow("no rules at all") << QList<std::int32_t>{1, 35} << "2024-02-01"
                                         << "2024-11-30" << 1L << QStringList{} << QStringList{};
        QTest::newRow("date rules on days and spans")
            << three << "2024-01-01"
            << "2024-12-31" << 1L
            << QStringList{"text contains Supply", "or date between last-month 2024-06-30",
                           "date le 2024-03-31"}
            << QStringList{};
        QTest::newRow("date and date-time field rules, a last-N-days range")
            << invoices << "last-30-days"
            << "last-30-days" << 1L << QStringList{}
            << QStringList{"Invoice: DueDate lt today", "Invoice: TxnDate ge last-45-days",
                           "Invoice: TimeModified between 2024-01-01 this-month"};
        QTest::newRow("a span range, own and every type's rules")
            << three << "last-month"
            << "last-month" << 1L << QStringList{"date ge this-quarter"}
            << QStringList{"Invoice: RefNumber equals 1001", "*: Memo contains damaged",
                           "*: or TimeCreated ge last-week"};
    }
    void TheConsoleHandsOverTheSearchTheTerminalToolBuilds() {
        QFETCH(QList<std::int32_t>, types);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(long, filter);
        QFETCH(QStringList, rules);
        QFETCH(QStringList, fields);
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        test::Compose(console, types, from, to, rules, fields, filter);
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QCOMPARE(rig.Handed.size(), std::size_t{1});
        const QString expected =
            test::ToolText(rig.State().Catalog(), types, from, to, rules, fields, filter);
        QVERIFY2(!expected.startsWith("refused"), qPrintable(expected));
        QCOMPARE(test::SearchText(*rig.Handed.front()), expected);
    }

    void SearchWithoutATickSaysInvalidSearchAndOpensNothing() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        test::Answers answers;
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QCOMPARE(answers.Seen, QStringList{"Invalid Search: You must select at least one "
                                           "transaction type, or list, to perform a search."});
        QVERIFY(rig.Handed.empty());
        // Save asks for at least one type as well, before any save window opens.
        test::EnterRule(console->criView(), 1, "text contains x");
        QVERIFY(console->cmdSave()->isEnabled());
        QTest::mouseClick(console->cmdSave(), Qt::LeftButton);
        QCOMPARE(answers.Seen.size(), 2);
        QCOMPARE(answers.Seen.last(), answers.Seen.first());
    }

    void AStoreFailureIsShownUnderTheOperationsName() {
        SavedSearches saved;
        test::Answers answers;
        saved.ShowStoreError(19, "the disk is full", "IOManager", "IOManager::SaveCriterion");
        QCOMPARE(answers.Seen,
                 QStringList{"IOManager::SaveCriterion: (19) IOManager\nthe disk is full"});
    }

    void AfterASearchTheConsoleIsEmptyAndTheNextStartShowsWhatItUsed() {
        QList<int> sizes;
        {
            ConsoleRig rig;
            SearchConsoleControl* console = rig.Console();
            test::Compose(console, {5, 12}, "2023-03-04", "2023-09-10",
                          {"text contains Acme", "amount gt 10"}, {}, 2);
            QSignalSpy notified(console, &SearchConsoleControl::Notification);
            QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
            QCOMPARE(rig.Handed.size(), std::size_t{1});
            QCOMPARE(notified.count(), 1);
            QVERIFY(Ticked(console->lstView()).isEmpty());
            QCOMPARE(console->criView()->RowCount(), 1);
            QVERIFY(!console->criView()->ContainsData());
            QVERIFY(!console->cmdSave()->isEnabled());
            // The user's split of the console is kept too.
            QSplitter* splitter = console->Splitter();
            splitter->setSizes({150, 700, 230});
            emit splitter->splitterMoved(150, 1);
            sizes = splitter->sizes();
        }
        ConsoleRig next(test::ConsoleRigOptions{.KeepSettings = true});
        SearchConsoleControl* console = next.Console();
        QCOMPARE(Ticked(console->lstView()), (QList<std::int32_t>{5, 12}));
        QCOMPARE(console->datView()->FromDate(), QDate(2023, 3, 4));
        QCOMPARE(console->datView()->ToDate(), QDate(2023, 9, 10));
        QCOMPARE(console->datView()->DateFilterType(), 2L);
        QVERIFY(console->datView()->optType(1)->isChecked());
        QCOMPARE(console->Splitter()->sizes(), sizes);
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
        QCOMPARE(console->fldView()->Title(), QStringLiteral("Invoice Search Rule Set"));
        QCOMPARE(console->cmdOK()->text(), QStringLiteral("Set Invoice Search Rule Set"));
        QVERIFY(console->fldView()->isVisible());
        QVERIFY(!console->criView()->isVisible());
        QVERIFY(!console->cmdClear()->isVisible());
        RuleText rule = ParseRuleText("RefNumber starts-with 10").Rule;
        test::EnterFieldRule(console->fldView(), 1, rule);

        test::Answers answers;
        answers.Ok = ok;
        test::TypeMenu(console->lstView(), 2, QStringLiteral("Refine Search"));
        QCOMPARE(answers.Seen, QStringList{"Search Rule Set: Do you want to keep the Invoice "
                                           "Search Rule Set?\nClick OK to keep them, or CANCEL "
                                           "to discard them."});
        QCOMPARE(console->fldView()->Title(), QStringLiteral("Customer Search Rule Set"));
        QVERIFY(!console->fldView()->ContainsData());
        RequestSearchRule* invoice = console->lstView()->Rule(4);
        QCOMPARE(invoice->FieldExaminors.ContainsData(), ok);
        if (ok) {
            QCOMPARE(test::FieldExaminorsText(invoice->FieldExaminors),
                     QStringLiteral("RefNumber starts-with 10"));
        }
        // Unchanged rules are left without a question.
        QTest::mouseClick(console->cmdCancel(), Qt::LeftButton);
        QVERIFY(!console->FieldMode());
        QVERIFY(console->criView()->isVisible());
        QVERIFY(console->cmdClear()->isEnabled());
        QCOMPARE(answers.Seen.size(), 1);
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
            QVERIFY(console->lstView()->Rule(type)->FieldExaminors.ContainsData());
            QVERIFY(console->cmdSave()->isEnabled());
            test::TypeMenu(console->lstView(), type, QStringLiteral("Refine Search"));
        };
        refine(11, "Name contains North");
        QCOMPARE(console->fldView()->RowCount(), 1);
        QCOMPARE(console->fldView()->Criterion(1)->txtString()->text(), QStringLiteral("North"));
        console->fldView()->Criterion(1)->cboTrueCompare()->setFocus();
        QTest::keyClick(console->fldView()->Criterion(1)->cboTrueCompare(), Qt::Key_Delete);
        QTest::mouseClick(console->cmdOK(), Qt::LeftButton);
        QVERIFY(!console->lstView()->Rule(11)->FieldExaminors.ContainsData());

        refine(2, "Balance gt 5");
        test::TypeMenu(console->lstView(), 2, QStringLiteral("Clear Search"));
        QVERIFY(!console->FieldMode());
        QVERIFY(!console->lstView()->Rule(2)->FieldExaminors.ContainsData());
        QVERIFY(console->cmdSave()->isEnabled());
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
    // cut off by the buttons below.
    void FourRuleRowsShowWholeInTheStartingWindow() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        for (int added = 0; added < 3; ++added) {
            QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        }
        QCOMPARE(console->criView()->RowCount(), 4);
        QTest::qWait(50);
        test::Picture(&rig.Main(), "console_four_rules.png");
        auto* scroll = console->criView()->findChild<QScrollArea*>(QStringLiteral("scrRows"));
        QVERIFY(scroll);
        const QRect viewport = scroll->viewport()->rect();
        for (int row = 1; row <= 4; ++row) {
            QWidget* line = console->criView()->Row(row);
            QVERIFY(line);
            const QRect shown(line->mapTo(scroll->viewport(), QPoint(0, 0)), line->size());
            QVERIFY2(viewport.contains(shown),
                     qPrintable(QStringLiteral("row %1 at %2,%3 %4x%5 outside %6x%7")
                                    .arg(row)
                                    .arg(shown.x())
                                    .arg(shown.y())
                                    .arg(shown.width())
                                    .arg(shown.height())
                                    .arg(viewport.width())
                                    .arg(viewport.height())));
        }
        // The controls below the rules stay on screen.
        for (QWidget* below :
             std::initializer_list<QWidget*>{console->cmdSearch(), console->cmdLess()}) {
            const QRect place(below->mapTo(console, QPoint(0, 0)), below->size());
            QVERIFY2(console->rect().contains(place), qPrintable(below->objectName()));
        }
        // In a short window the rules and buttons keep their size and scroll instead.
        rig.Main().resize(900, 460);
        QTest::qWait(50);
        test::Picture(&rig.Main(), "console_short_window.png");
        auto* centre = console->findChild<QWidget*>(QStringLiteral("rules"));
        QVERIFY(centre);
        QVERIFY2(centre->height() >= centre->minimumSizeHint().height(),
                 qPrintable(QStringLiteral("%1 < %2")
                                .arg(centre->height())
                                .arg(centre->minimumSizeHint().height())));
    }

    // Enter in a rule's value moves to the next row; in the last row it searches.
    void EnterInTheLastRuleSearches() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        test::EnterRule(console->criView(), 1, "text contains Acme");
        QTest::keyClick(console->criView()->Criterion(1)->txtString(), Qt::Key_Return);
        QVERIFY(rig.Handed.empty());
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(console->criView()->Criterion(2)->cboAndOr()));
        test::EnterRule(console->criView(), 2, "or text contains Supply");
        QTest::keyClick(console->criView()->Criterion(2)->txtString(), Qt::Key_Return);
        QCOMPARE(rig.Handed.size(), std::size_t{1});
        QCOMPARE(test::ExaminorsText(rig.Handed.front()->Examinors),
                 QStringLiteral("text contains Acme | or text contains Supply"));
    }

    void WithoutResultsWindowsOrWizardTheirCommandsAreOff() {
        ConsoleRig rig(test::ConsoleRigOptions{.WithResults = false});
        SearchConsoleControl* console = rig.Console();
        QVERIFY(!console->cmdSearch()->isEnabled());
        QCOMPARE(console->cmdSearch()->toolTip(),
                 QStringLiteral("Results windows are not part of this build of Quarrion."));
        QMenu* menu = console->lstView()->MenuFor(0);
        QAction* columns = menu->findChild<QAction*>("mnuDisplayColumns");
        QVERIFY(columns);
        QVERIFY(!columns->isEnabled());
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
        QCOMPARE(asked, QList<std::int32_t>{4});
        QVERIFY(console->cmdSave()->isEnabled());
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        const IncItem* item = rig.Handed.front()->IncludeItems.Item(1);
        QCOMPARE(item->DisplayColumns.Count(), std::size_t{1});
        QCOMPARE(QString::fromStdString(item->DisplayColumns.Item(1)->Heading()),
                 QStringLiteral("First"));
    }

    // A cancelled save window saves nothing; a named one saves and lists the search.
    void ASearchIsSavedClearedAndLoadedBack() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        const std::size_t before = StoredCount(rig.Store());
        const QStringList rules{"text in north,south", "or price between 10 20", "percent eq 8.5"};
        const QStringList fields{"Invoice: CustomerRef/FullName starts-with Acme",
                                 "Invoice: or Subtotal gt 100"};
        test::Compose(console, {2, 4}, "2024-05-01", "2024-05-31", rules, fields, 2);
        QVERIFY(console->cmdLess()->isEnabled());
        test::OnNextModal([](QDialog* dialog) {
            auto* save = qobject_cast<frmSaveSearch*>(dialog);
            QVERIFY(save);
            QCOMPARE(save->Message(), QString::fromLatin1(SearchConsoleControl::SaveMessage));
            save->txtName()->setText("Never");
            QTest::mouseClick(save->cmdCancel(), Qt::LeftButton);
        });
        QTest::mouseClick(console->cmdSave(), Qt::LeftButton);
        QCOMPARE(StoredCount(rig.Store()), before);
        test::SaveAs(console, "Acme in May", "Acme's invoices and customers");
        QCOMPARE(StoredCount(rig.Store()), before + 1);
        QCOMPARE(console->lblCaption()->text(), QStringLiteral("Acme in May"));
        SavedSearches* saved = console->tvwView();
        QStandardItem* root = SavedRoot(saved, "Acme in May");
        QVERIFY(root);
        QCOMPARE(ChildTexts(root),
                 QStringList({"Acme's invoices and customers", "Customer", "Invoice"}));
        Picture(rig, console);

        // Clear empties everything; a click on the search's line loads it all back.
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        QVERIFY(Ticked(console->lstView()).isEmpty());
        QVERIFY(!console->lstView()->Rule(4)->FieldExaminors.ContainsData());
        QCOMPARE(console->criView()->RowCount(), 1);
        QVERIFY(!console->criView()->ContainsData());
        QVERIFY(!console->cmdSave()->isEnabled());
        QVERIFY(!console->cmdLess()->isEnabled());
        QCOMPARE(console->lblCaption()->text(), QString());
        ClickLine(saved, root, Qt::LeftButton);
        QCOMPARE(console->lblCaption()->text(), QStringLiteral("Acme in May"));
        QCOMPARE(Ticked(console->lstView()), (QList<std::int32_t>{2, 4}));
        QCOMPARE(console->datView()->FromDate(), QDate(2024, 5, 1));
        QCOMPARE(console->datView()->DateFilterType(), 2L);
        CriteriaControl* global = console->criView();
        QCOMPARE(global->RowCount(), 3);
        QVERIFY(!global->Changed());
        QCOMPARE(global->Criterion(1)->txtList()->ListItem(2), QStringLiteral("south"));
        QCOMPARE(global->Criterion(2)->cboAndOr()->currentText(), QStringLiteral("OR"));
        QCOMPARE(global->Criterion(2)->txtRange()->ToNumber(), QStringLiteral("20"));
        QCOMPARE(global->Criterion(3)->txtNumber()->text(), QStringLiteral("8.5"));
        test::TypeMenu(console->lstView(), 4, QStringLiteral("Refine Search"));
        QCOMPARE(console->fldView()->RowCount(), 2);
        QCOMPARE(console->fldView()->Criterion(2)->cboAndOr()->currentText(), QStringLiteral("OR"));
        QTest::mouseClick(console->cmdOK(), Qt::LeftButton);

        // What the rows show is read back into the very search that was saved.
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        QCOMPARE(rig.Handed.size(), std::size_t{1});
        QCOMPARE(test::SearchText(*rig.Handed.front()),
                 test::ToolText(rig.State().Catalog(), {2, 4}, "2024-05-01", "2024-05-31", rules,
                                fields, 2));

        // Delete asks first; cancelled, store and tree stay (OK deletes: see the Delete key
        // below).
        {
            test::Answers answers;
            answers.Ok = false;
            ClickLine(saved, SavedRoot(saved, "Acme in May"), Qt::RightButton);
            saved->mnuEdit(4)->trigger();
            saved->EditMenu()->hide();
            QCOMPARE(answers.Seen,
                     QStringList{"Delete Search Rules: Are you sure you want to delete \"Acme "
                                 "in May\". Click OK to confirm the delete, or CANCEL to stop "
                                 "the delete."});
        }
        QCOMPARE(StoredCount(rig.Store()), before + 1);
        QVERIFY(SavedRoot(saved, "Acme in May"));
    }

    void ASavedSearchWithoutColumnsTakesTheTypesDefaultColumns() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        auto build = [&rig](SearchObject2& search) {
            SearchBuilder builder(rig.State().Catalog());
            builder.IncludeType(4);
            builder.SetDates(SearchDate(std::chrono::year(2024) / 6 / 1),
                             SearchDate(std::chrono::year(2024) / 6 / 30), 1);
            builder.AddRule("text contains Supply");
            QVERIFY(builder.Build(search));
        };
        // Saved elsewhere (the terminal tool, an older version) without display columns.
        SearchObject2 search;
        build(search);
        search.Name = "No columns";
        search.IncludeItems.Item(1)->DisplayColumns.Clear();
        QVERIFY(rig.Store().SaveSearchObject(&search));
        console->tvwView()->Refresh();
        ClickLine(console->tvwView(), SavedRoot(console->tvwView(), "No columns"), Qt::LeftButton);
        RequestSearchRule* invoice = console->lstView()->Rule(4);
        QVERIFY(invoice->DisplayColumns.Count() > 0);
        QCOMPARE(invoice->DisplayColumns.Count(), invoice->DefaultColumns.Count());
        QTest::mouseClick(console->cmdSearch(), Qt::LeftButton);
        SearchObject2 expected;
        build(expected);
        QCOMPARE(test::SearchText(*rig.Handed.front()), test::SearchText(expected));
    }

    // A drag, or a click on a child line, chooses nothing; a click within the slack
    // and Return use the search; Delete deletes it.
    void TheSavedSearchTreeTakesClicksAndKeysButNotDrags() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        test::Compose(console, {11}, "2024-03-01", "2024-03-09", {"text contains k"}, {});
        test::SaveAs(console, "Keys", "   ");
        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        SavedSearches* saved = console->tvwView();
        QStandardItem* root = SavedRoot(saved, "Keys");
        QVERIFY(root);
        // A blank description has no line.
        QCOMPARE(ChildTexts(root), QStringList{"Vendor"});
        saved->tvwView()->expandAll();
        QSignalSpy use(saved, &SavedSearches::UseThis);
        ClickLine(saved, root, Qt::LeftButton, SavedSearches::ClickSlack + 2);
        QCOMPARE(use.count(), 0);
        ClickLine(saved, root->child(0), Qt::RightButton);
        QVERIFY(!saved->EditMenu()->isVisible());
        QVERIFY(!saved->SearchObject());
        ClickLine(saved, root, Qt::LeftButton, SavedSearches::ClickSlack);
        QCOMPARE(use.count(), 1);

        QTest::mouseClick(console->cmdClear(), Qt::LeftButton);
        QTreeView* tree = saved->tvwView();
        tree->setFocus();
        tree->setCurrentIndex(SavedRoot(saved, "Keys")->index());
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(Ticked(console->lstView()), QList<std::int32_t>{11});
        QCOMPARE(console->lblCaption()->text(), QStringLiteral("Keys"));
        const std::size_t before = StoredCount(rig.Store());
        test::Answers answers;
        QTest::keyClick(tree, Qt::Key_Delete);
        QCOMPARE(answers.Seen.size(), 1);
        QCOMPARE(StoredCount(rig.Store()), before - 1);
    }

    void SavingWithABlankNameSaysSoAndKeepsTheWindowOpen() {
        frmSaveSearch dialog;
        dialog.show();
        dialog.txtName()->setText(QStringLiteral("   "));
        test::Answers answers;
        QTest::mouseClick(dialog.cmdSave(), Qt::LeftButton);
        QCOMPARE(answers.Seen, QStringList{"Cannot Save Search: You must enter a name for the "
                                           "search, before you can save it."});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.ButtonPressed(), frmSaveSearch::NotPressed);
        dialog.txtName()->setText(QStringLiteral("Named"));
        QTest::mouseClick(dialog.cmdSave(), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.ButtonPressed(), frmSaveSearch::SavePressed);
    }

    void EveryControlHasANameATooltipAndAnAccessibleName() {
        ConsoleRig rig;
        SearchConsoleControl* console = rig.Console();
        QTest::mouseClick(console->cmdMore(), Qt::LeftButton);
        QStringList missing;
        const auto controls = console->findChildren<QWidget*>();
        for (QWidget* control : controls) {
            const bool interactive =
                control->focusPolicy() != Qt::NoFocus && !control->inherits("QScrollBar") &&
                !control->inherits("QAbstractScrollArea") && control->parentWidget() &&
                !control->parentWidget()->inherits("QComboBox") &&
                !control->parentWidget()->inherits("QAbstractSpinBox") &&
                !control->inherits("QCalendarWidget") &&
                !control->parentWidget()->inherits("QCalendarWidget");
            if (!interactive) continue;
            if (control->objectName().isEmpty() || control->toolTip().isEmpty() ||
                control->accessibleName().isEmpty()) {
                missing << QString::fromLatin1(control->metaObject()->className()) + "/" +
                               control->objectName();
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
    }
};

QUARRION_SHELL_TEST_MAIN(SearchConsoleTest)
#include "search_console_test.moc"
